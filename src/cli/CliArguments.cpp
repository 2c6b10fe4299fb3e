#include "cli/CliArguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "base/DateTime.h"

namespace {

constexpr int kMaxFps = 1000;
constexpr double kMaxSeconds = 24 * 3600;

struct CommandShape {
  CliCommand command;
  size_t positionals;                // files named after the command
  std::vector<std::string> required; // options that must be given
  std::vector<std::string> optional;
};

const std::map<std::string, CommandShape>& Commands() {
  static const std::map<std::string, CommandShape> commands = {
      {"dump", {CliCommand::Dump, 1, {}, {}}},
      {"resave", {CliCommand::Resave, 2, {}, {}}},
      {"render", {CliCommand::Render, 1, {"--page", "--out"}, {"--time"}}},
      {"frames", {CliCommand::Frames, 1, {"--seconds", "--fps", "--out"}, {"--time"}}},
  };
  return commands;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& n : names)
    if (n == name) return true;
  return false;
}

// The whole text as a number, nothing before or after it.
template <class T> std::optional<T> WholeNumber(const std::string& text) {
  T value{};
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

// Reads `width` digits at `pos`; -1 when one of them is not a digit.
int Digits(const std::string& text, size_t pos, size_t width) {
  int value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool ApplyOption(const std::string& name, const std::string& value, CliArguments& out,
                 std::string& error) {
  if (name == "--page") {
    std::optional<int> page = WholeNumber<int>(value);
    if (!page || *page < 1) {
      error = "--page wants a page number from 1, not \"" + value + "\"";
      return false;
    }
    out.page = *page;
  } else if (name == "--out") {
    if (value.empty()) {
      error = "--out wants a file or folder name";
      return false;
    }
    out.output = value;
  } else if (name == "--time") {
    out.time = ParseLocalTime(value);
    if (!out.time) {
      error = "--time wants a local time \"YYYY-MM-DD HH:MM:SS\", not \"" + value + "\"";
      return false;
    }
  } else if (name == "--seconds") {
    std::optional<double> seconds = WholeNumber<double>(value);
    if (!seconds || !(*seconds > 0) || *seconds > kMaxSeconds) {
      error = "--seconds wants a number above 0 and at most 86400, not \"" + value + "\"";
      return false;
    }
    out.seconds = *seconds;
  } else if (name == "--fps") {
    std::optional<int> fps = WholeNumber<int>(value);
    if (!fps || *fps < 1 || *fps > kMaxFps) {
      error = "--fps wants a whole number from 1 to 1000, not \"" + value + "\"";
      return false;
    }
    out.fps = *fps;
  }
  return true;
}

} // namespace

int CliArguments::FrameCount() const {
  return std::max(1, static_cast<int>(std::lround(seconds * fps)));
}

long long CliArguments::FrameTimeMs(int index) const {
  // From the frame number, not summed step by step, so that 1000 / fps never drifts.
  return (static_cast<long long>(index) * 1000 + fps / 2) / fps;
}

std::string CliUsage() {
  return "usage: zyntra-cli dump FILE.vrx\n"
         "       zyntra-cli resave IN OUT\n"
         "       zyntra-cli render FILE.vrx --page N [--time \"YYYY-MM-DD HH:MM:SS\"] --out "
         "FILE.png\n"
         "       zyntra-cli frames FILE.vrx --seconds S --fps F --out DIR [--time \"YYYY-MM-DD "
         "HH:MM:SS\"]\n";
}

bool ParseCliArguments(const std::vector<std::string>& args, CliArguments& out,
                       std::string& error) {
  out = CliArguments{};
  if (args.empty()) {
    error = "no command given";
    return false;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    out.command = CliCommand::Help;
    return true;
  }
  auto found = Commands().find(args[0]);
  if (found == Commands().end()) {
    error = "unknown command \"" + args[0] + "\"";
    return false;
  }
  const CommandShape& shape = found->second;
  out.command = shape.command;

  std::vector<std::string> positionals;
  std::vector<std::string> seen;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      positionals.push_back(arg);
      continue;
    }
    std::string name = arg;
    std::string value;
    const size_t equals = arg.find('=');
    if (equals != std::string::npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    }
    if (!Contains(shape.required, name) && !Contains(shape.optional, name)) {
      error = args[0] + " has no option " + name;
      return false;
    }
    if (Contains(seen, name)) {
      error = name + " is given twice";
      return false;
    }
    seen.push_back(name);
    if (equals == std::string::npos) {
      if (i + 1 >= args.size()) {
        error = name + " wants a value";
        return false;
      }
      value = args[++i];
    }
    if (!ApplyOption(name, value, out, error)) return false;
  }
  for (const std::string& name : shape.required) {
    if (!Contains(seen, name)) {
      error = args[0] + " needs " + name;
      return false;
    }
  }
  if (positionals.size() != shape.positionals) {
    error = args[0] + " takes " + std::to_string(shape.positionals) +
            (shape.positionals == 1 ? " file" : " files") + ", not " +
            std::to_string(positionals.size());
    return false;
  }
  out.input = positionals[0];
  if (shape.command == CliCommand::Resave) out.output = positionals[1];
  return true;
}

std::optional<double> ParseLocalTime(const std::string& text) {
  // Exactly "YYYY-MM-DD HH:MM:SS".
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':')
    return std::nullopt;
  DateTimeParts parts;
  parts.year = Digits(text, 0, 4);
  parts.month = Digits(text, 5, 2);
  parts.day = Digits(text, 8, 2);
  parts.hour = Digits(text, 11, 2);
  parts.minute = Digits(text, 14, 2);
  parts.second = Digits(text, 17, 2);
  if (parts.year < 100 || parts.month < 1 || parts.month > 12 || parts.day < 1 ||
      parts.day > DaysInMonth(parts.year, parts.month) || parts.hour < 0 || parts.hour > 23 ||
      parts.minute < 0 || parts.minute > 59 || parts.second < 0 || parts.second > 59)
    return std::nullopt;
  return ToDateTimeNumber(parts);
}
