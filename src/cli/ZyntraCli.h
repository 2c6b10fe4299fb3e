#pragma once

#include <string>

#include "cli/CliArguments.h"

/// The headless tool zyntra-cli: prints a project as JSON, resaves projects and task lists
/// with the program's own code, renders a page and plays a show into numbered pictures, all
/// without a display (Qt's offscreen platform unless the caller chose another).
///
/// Exit status: 0 done; 1 a damaged input file ("文件已经损坏或非本系统文件!" on stderr) or an
/// output that could not be written; 2 bad arguments (the reason and the usage on stderr).
class CZyntraCli {
public:
  /// Keeps the command line; nothing runs yet.
  CZyntraCli(int& argc, char** argv);
  /// Runs the command; the process's exit status.
  int Run();

  /// The text of --help: usage lines, then what each command does.
  static std::string Help();

private:
  int Dump(const CliArguments& args);
  int Resave(const CliArguments& args);
  int Render(const CliArguments& args);
  int Frames(const CliArguments& args);

  int& argc_;
  char** argv_;
};
