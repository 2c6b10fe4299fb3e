#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "controls/WebEngineEnvironment.h"

int main(int argc, char** argv) {
  // Headless like every GUI test; the web engine then renders in software.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!getenv("XDG_RUNTIME_DIR")) {
    std::string dir = QDir::tempPath().toStdString() + "/zyntra-test-runtime";
    mkdir(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  PrepareWebEngineEnvironment();
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
