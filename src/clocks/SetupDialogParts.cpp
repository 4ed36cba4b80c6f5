// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SetupDialogParts.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "core/CityFile.h"
#include "widgets/CityFilterBox.h"
#include "widgets/CityListModel.h"

namespace wc {

void SetUpDialogFrame(QDialog& d, QSize client, QWidget* mainWindow) {
  d.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
  d.setWindowTitle(QString());
  d.setAttribute(Qt::WA_DeleteOnClose);
  // The controls' places and sizes were laid out for an 11-pixel face of
  // these widths; a wider desktop font would cut captions short.
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(11);
  d.setFont(f);
  d.setFixedSize(client);
  if (mainWindow) {
    const QRect m = mainWindow->frameGeometry();
    d.move(m.center() - QPoint(client.width() / 2, client.height() / 2));
  }
}

QLabel* DialogHeading(QWidget* parent, const char* name, const char* text, QPoint at, QRect line) {
  QLabel* l = PlacedLabel(parent, name, text, at);
  // A style sheet of its own, as a skin's would override colour and font.
  l->setStyleSheet(QStringLiteral("QLabel { color: black; font: bold 19px \"Tahoma\"; }"));
  l->adjustSize();
  auto* sPanel1 = new QFrame(parent);
  sPanel1->setObjectName(QStringLiteral("sPanel1"));
  sPanel1->setFrameShape(QFrame::HLine);
  sPanel1->setFrameShadow(QFrame::Sunken);
  sPanel1->setGeometry(line);
  return l;
}

QLabel* PlacedLabel(QWidget* parent, const char* name, const char* text, QPoint at) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setObjectName(QLatin1String(name));
  l->move(at);
  l->adjustSize();
  return l;
}

QListWidget* PlacedList(QWidget* parent, const char* name, QRect at) {
  auto* l = new QListWidget(parent);
  l->setObjectName(QLatin1String(name));
  l->setGeometry(at);
  // Long city names end in an ellipsis instead of a sideways scroll bar.
  l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  l->setTextElideMode(Qt::ElideRight);
  return l;
}

CityPicker PlacedCityPicker(QWidget* parent, const char* listName, QRect at,
                            const std::vector<CityItem>& cities, std::function<void()> picked) {
  CityPicker p;
  p.filter = new CityFilterBox(parent);
  p.filter->setObjectName(QStringLiteral("edFilter"));
  const int boxHeight = p.filter->sizeHint().height();
  p.filter->setGeometry(at.x(), at.y(), at.width(), boxHeight);
  p.list = new QListView(parent);
  p.list->setObjectName(QLatin1String(listName));
  p.list->setGeometry(at.adjusted(0, boxHeight + 3, 0, 0));
  p.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  p.list->setTextElideMode(Qt::ElideRight);
  p.list->setUniformItemSizes(true);
  p.list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  p.model = new CityListModel(parent);
  std::vector<std::string> names;
  names.reserve(cities.size());
  for (const CityItem& c : cities) names.push_back(c.name);
  p.model->setNames(std::move(names));
  p.filter->attach(p.list, p.model);
  p.filter->startOnOwnCity();
  QWidget::setTabOrder(p.filter, p.list);
  QObject::connect(p.filter, &CityFilterBox::currentChanged, parent, picked);
  QObject::connect(p.list, &QListView::clicked, parent, picked);
  // Keys in the list count as a click.
  QObject::connect(p.list->selectionModel(), &QItemSelectionModel::currentChanged, parent,
                   [list = p.list, picked] {
                     if (list->hasFocus()) picked();
                   });
  return p;
}

QCheckBox* PlacedCheck(QWidget* parent, const char* name, const char* text, QPoint at) {
  auto* c = new QCheckBox(QString::fromUtf8(text), parent);
  c->setObjectName(QLatin1String(name));
  c->move(at);
  c->adjustSize();
  return c;
}

QPushButton* PlacedButton(QWidget* parent, const char* name, const char* text, QRect at) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(QLatin1String(name));
  b->setStyleSheet(QStringLiteral("QPushButton { min-width: 0px; }"));
  b->setGeometry(at);
  b->setAutoDefault(false);
  return b;
}

void SetTextColour(QLabel* label, const QColor& colour) {
  label->setStyleSheet(QStringLiteral("QLabel { color: %1; background: transparent; }").arg(colour.name()));
}

std::vector<CityItem> ReadSetUpCities(QWidget* parent) {
  CityReadResult r = ReadCityFile(CityDataPath());
  if (!r.file.ok() && !r.file.error.empty())
    QMessageBox::warning(parent, QStringLiteral("Warning"), QString::fromStdString(r.file.error));
  return std::move(r.cities);
}

}  // namespace wc
