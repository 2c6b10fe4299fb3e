#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "app/DesktopEnvironment.h"

int main(int argc, char** argv) {
  // Every GUI test runs headless, whatever display the shell has.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!getenv("XDG_RUNTIME_DIR")) {
    std::string dir = QDir::tempPath().toStdString() + "/zyntra-test-runtime";
    mkdir(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  // The program's font configuration from the build tree, as the program itself takes it.
  PrepareDesktopEnvironment();
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
