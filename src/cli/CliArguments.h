#pragma once

#include <optional>
#include <string>
#include <vector>

/// The command of one run of the headless tool.
enum class CliCommand { Help, Dump, Resave, Render, Frames };

/// A parsed command line of zyntra-cli.
struct CliArguments {
  CliCommand command = CliCommand::Help;
  /// The project (dump, render, frames) or the file to resave.
  std::string input;
  /// resave: the file written; render: the PNG; frames: the folder of the PNGs.
  std::string output;
  /// render: page in play order, 1 = first.
  int page = 0;
  /// render, frames: the local date-time number the clocks start at; none = now.
  std::optional<double> time;
  /// frames: seconds of play to capture.
  double seconds = 0;
  /// frames: frames per second.
  int fps = 0;

  /// frames: how many frames the run writes (seconds × fps, rounded; at least 1).
  int FrameCount() const;
  /// frames: virtual milliseconds from the start of play to frame `index`, rounded.
  long long FrameTimeMs(int index) const;
};

/// The usage text: one usage line per command, then what each does.
std::string CliUsage();

/// Parses the arguments after the program name. False, with a one-line reason in `error`, for
/// an unknown command or option, a missing or repeated value, or a value out of range.
bool ParseCliArguments(const std::vector<std::string>& args, CliArguments& out, std::string& error);

/// Reads a local time written "YYYY-MM-DD HH:MM:SS" as a date-time number; nullopt for any
/// other form or a date or time that does not exist.
std::optional<double> ParseLocalTime(const std::string& text);
