// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The box above every list of cities. Typing narrows the list to the names
// that hold the text (CityListModel) and makes the best match current;
// emptying the box gives the whole list back, on the city that was current.
// Up, Down and the page keys move through the list without leaving the box,
// so a city is found and picked from the keyboard alone.

#include <QLineEdit>

class QAbstractItemView;
class QComboBox;

namespace wc {

class CityListModel;

class CityFilterBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit CityFilterBox(QWidget* parent = nullptr);

  // The list the box narrows: a list view or a drop-down list of model.
  void attach(QAbstractItemView* list, CityListModel* model);
  void attach(QComboBox* list, CityListModel* model);

  // Empties the box and makes the city at a position (of the model's names)
  // current, shown in the middle of the list; -1 leaves none current.
  void startOn(int position);
  // startOn the user's own city (OwnCityName), or the first when it has none.
  void startOnOwnCity();
  // The position of the current city; -1 when there is none.
  int currentPosition() const;

 signals:
  // The current city changed through the box: typing or its keys.
  void currentChanged();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void refilter();
  int currentRow() const;
  void setCurrentRow(int row, bool centre);

  QAbstractItemView* view_ = nullptr;
  QComboBox* combo_ = nullptr;
  CityListModel* model_ = nullptr;
};

}  // namespace wc
