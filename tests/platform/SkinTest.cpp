// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Theme numbers switch the look of every window at once.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>

#include "platform/SkinManager.h"

namespace wc {
namespace {

TEST(Skins, ThemeNumbersSwitchTheWholeApplication) {
  int argc = 1;
  char arg0[] = "platform_tests";
  char* argv[] = {arg0, nullptr};
  QApplication app(argc, argv);
  const QString desktopStyle = app.style()->name();
  QPushButton openWindow("OK");
  openWindow.show();

  SkinManager skins;
  skins.setSkinDirectory(QStringLiteral(WC_PROGRAM_DIR "Skins"));
  for (int theme = 1; theme <= 5; ++theme) {
    SCOPED_TRACE(theme);
    ASSERT_TRUE(skins.applyTheme(theme));
    EXPECT_TRUE(skins.active());
    EXPECT_EQ(skins.skinName(), SkinManager::themeSkinName(theme));
    EXPECT_TRUE(app.styleSheet().contains("QPushButton"));
    // Every picture the sheet names is there, for a 2x screen too: a missing
    // one leaves a drop-down or spin button without its arrow.
    const QString sheet = app.styleSheet();
    const QRegularExpression url(QStringLiteral("url\\((skin:[^)]+)\\.png\\)"));
    int pictures = 0;
    for (auto m = url.globalMatch(sheet); m.hasNext(); ++pictures) {
      const QString name = m.next().captured(1);
      EXPECT_FALSE(QImage(name + ".png").isNull()) << name.toStdString();
      EXPECT_FALSE(QImage(name + "@2x.png").isNull()) << name.toStdString();
    }
    EXPECT_GT(pictures, 0);
    // The open window picked the sheet up without being touched.
    EXPECT_NE(openWindow.style()->name(), desktopStyle == "fusion" ? "none" : desktopStyle);
  }
  const QString lastSheet = app.styleSheet();

  // Numbers outside the table change nothing.
  EXPECT_FALSE(skins.applyTheme(6));
  EXPECT_FALSE(skins.applyTheme(-1));
  EXPECT_EQ(app.styleSheet(), lastSheet);

  // A skin that cannot be read keeps the current look.
  EXPECT_FALSE(skins.setSkin("No Such Skin"));
  EXPECT_EQ(skins.skinName(), "MacOS2");
  EXPECT_EQ(app.styleSheet(), lastSheet);

  ASSERT_TRUE(skins.applyTheme(0));
  EXPECT_FALSE(skins.active());
  EXPECT_TRUE(app.styleSheet().isEmpty());
  EXPECT_EQ(app.style()->name(), desktopStyle);
}

}  // namespace
}  // namespace wc
