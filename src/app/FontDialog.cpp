// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FontDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace wc {

namespace {

// The sixteen colours of the classic font dialog's effects.
struct NamedColour {
  const char* name;
  QRgb rgb;
};
constexpr NamedColour kColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

QIcon Swatch(QColor c) {
  QPixmap pm(16, 12);
  pm.fill(c);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 15, 11);
  return QIcon(pm);
}

}  // namespace

std::optional<FontChange> ChooseMapFont(QWidget* parent, const MapFont& current, const QString& title) {
  QDialog dlg(parent);
  dlg.setWindowTitle(title);
  dlg.setObjectName(QStringLiteral("FontDialog"));
  auto* layout = new QVBoxLayout(&dlg);

  // The toolkit's own font chooser, used as a part of this dialog.
  auto* chooser = new QFontDialog(&dlg);
  chooser->setWindowFlags(Qt::Widget);
  chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  QFont shown = current.font;
  const QString renders = QFontInfo(current.font).family();
  if (!renders.isEmpty()) shown.setFamily(renders);
  chooser->setCurrentFont(shown);
  // As the dialog holds it (sizes in points): what OK is compared with.
  const QFont preset = chooser->currentFont();
  layout->addWidget(chooser);

  auto* row = new QHBoxLayout;
  auto* colourLabel = new QLabel(QStringLiteral("&Colour:"), &dlg);
  auto* colour = new QComboBox(&dlg);
  colour->setObjectName(QStringLiteral("cbColour"));
  colourLabel->setBuddy(colour);
  int match = -1;
  for (const NamedColour& c : kColours) {
    colour->addItem(Swatch(QColor(c.rgb)), QString::fromLatin1(c.name), QColor(c.rgb));
    if (QColor(c.rgb) == current.color.toRgb()) match = colour->count() - 1;
  }
  if (match < 0) {
    colour->addItem(Swatch(current.color), QStringLiteral("Custom"), current.color);
    match = colour->count() - 1;
  }
  colour->setCurrentIndex(match);
  row->addWidget(colourLabel);
  row->addWidget(colour);
  row->addStretch();
  layout->addLayout(row);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
  layout->addWidget(buttons);

  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return CompareFonts({preset, current.color},
                      {chooser->currentFont(), colour->currentData().value<QColor>()});
}

}  // namespace wc
