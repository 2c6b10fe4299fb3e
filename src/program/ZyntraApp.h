#pragma once

#include <string>

/// The application: sets up the platform pieces (Qt, the control host with every control, the
/// real seams), runs the screen window until ExitSystem, and returns the exit status.
class CZyntraApp {
public:
  /// Parses the command line: [--play] [FILE.vrx | FILE.tak], --help, --version.
  CZyntraApp(int& argc, char** argv);
  /// Runs the program; the process's exit status.
  int Run();

  /// The usage text of --help.
  static std::string Usage();

private:
  int& argc_;
  char** argv_;
};
