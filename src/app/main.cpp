// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Process entry: one copy per desktop, the start-up (app/StartUp.cpp), then
// the message loop.

#include <unistd.h>
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "app/ToolIcons.h"
#include "core/SessionPlatform.h"
#include "core/SingleInstance.h"
#include "platform/SessionEnd.h"

namespace {

// Seconds since this process started, from the kernel's own record of the
// start (10 ms resolution), for the start-up measurement.
double SecondsSinceProcessStart() {
#ifdef _WIN32
  return -1;
#else
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream rest(text.substr(close + 2));
  std::string field;
  unsigned long long start = 0;
  for (int i = 3; i <= 22 && rest >> field; ++i) {
    if (i == 22) start = std::stoull(field);
  }
  timespec boot{};
  clock_gettime(CLOCK_BOOTTIME, &boot);
  const double now = static_cast<double>(boot.tv_sec) + static_cast<double>(boot.tv_nsec) / 1e9;
  return now - static_cast<double>(start) / static_cast<double>(sysconf(_SC_CLK_TCK));
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  // On a Wayland session the desktop clocks need Xwayland to have places.
  std::vector<std::string> args = wc::ToolkitArguments(wc::CurrentSessionEnvironment(), {argv, argv + argc});
  std::vector<char*> toolkitArgv;
  for (std::string& a : args) toolkitArgv.push_back(a.data());
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(args.size());
  QApplication app(toolkitArgc, toolkitArgv.data());
  // Windows are hidden while the program sits in the tray, and dialogs open
  // from there; the program ends only through its close path.
  app.setQuitOnLastWindowClosed(false);

  wc::SingleInstance instance(wc::DesktopName());
  if (!instance.acquire()) {
    QMessageBox::warning(nullptr, QStringLiteral("Warning!"),
                         QStringLiteral("World clock is already running!"));
    return 0;
  }

  app.setApplicationName(QStringLiteral("Tavrel World Clock Pro"));
  app.setApplicationVersion(QStringLiteral(WC_VERSION));
  app.setWindowIcon(wc::ToolIcon(wc::ToolPicture::Globe));
  std::unique_ptr<wc::MainWindow> window = wc::StartUp();

  if (std::getenv("TAVREL_REPORT_STARTUP")) {
    QObject::connect(window.get(), &wc::MainWindow::firstMapShown, [] {
      std::fprintf(stderr, "first map on screen after %.3f s\n", SecondsSinceProcessStart());
    });
  }

  wc::SessionEndWatcher sessionEnd;
  QObject::connect(&sessionEnd, &wc::SessionEndWatcher::sessionEnding, window.get(),
                   &wc::MainWindow::endSession);

  window->show();
  const int rc = app.exec();
  window.reset();  // FormDestroy writes the per-user files
  return rc;
}
