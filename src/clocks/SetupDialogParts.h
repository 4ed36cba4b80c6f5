// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the two clock set-up dialogs share: their frame, their controls at the
// designed places, and their own reading of the city database.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

#include "core/City.h"

class QCheckBox;
class QDialog;
class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QWidget;

namespace wc {

class CityFilterBox;
class CityListModel;

// Empty caption, a dialog border with only the system-menu button, above
// other windows, the client area of the given size centred over mainWindow.
void SetUpDialogFrame(QDialog& d, QSize client, QWidget* mainWindow);

// The heading in 19-pixel bold black, and the two-pixel line below it.
QLabel* DialogHeading(QWidget* parent, const char* name, const char* text, QPoint at, QRect line);
QLabel* PlacedLabel(QWidget* parent, const char* name, const char* text, QPoint at);
QListWidget* PlacedList(QWidget* parent, const char* name, QRect at);
// The list of cities with the filter box above it, together filling the
// place designed for the list, holding the names of cities and started on
// the user's own city. picked runs whenever the user makes another city
// current: by typing, clicking or keys.
struct CityPicker {
  CityFilterBox* filter = nullptr;
  QListView* list = nullptr;
  CityListModel* model = nullptr;
};
CityPicker PlacedCityPicker(QWidget* parent, const char* listName, QRect at,
                            const std::vector<CityItem>& cities, std::function<void()> picked);
QCheckBox* PlacedCheck(QWidget* parent, const char* name, const char* text, QPoint at);
// A button of exactly its designed size, also under a skin that asks for
// wider ones; Return does not press it.
QPushButton* PlacedButton(QWidget* parent, const char* name, const char* text, QRect at);
// A label's text colour, also under a skin that colours every dialog label.
void SetTextColour(QLabel* label, const QColor& colour);

// The cities of citydata.dat in file order, lon west positive. A file that
// cannot be read gives none, and the user hears why.
std::vector<CityItem> ReadSetUpCities(QWidget* parent);

}  // namespace wc
