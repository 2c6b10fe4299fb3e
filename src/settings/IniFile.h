#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// An INI file held whole in memory. Sections ("keys") and their entries ("values") keep the
// order in which they were first created, and the file is written in that order. Names are
// compared exactly and case-sensitively; nothing is trimmed. Text is UTF-8 in memory and
// GB18030 in the file.

/// The entries of one section, in creation order.
struct IniSection {
  std::vector<std::string> values; ///< entry values, parallel to names
  std::vector<std::string> names;  ///< entry names, unique within the section
};

class CIniFile {
public:
  /// Prepares access to the file at `iniPath`; nothing is read yet and the error text is empty.
  explicit CIniFile(std::string iniPath);

  /// Parses the file into memory, adding to what is there. False when the file does not exist
  /// (error text unchanged) or cannot be read ("Unable to open ini file.").
  bool ReadFile();
  /// Replaces the file with the contents of memory (CR LF line ends, sections without entries
  /// left out), atomically. False, with "Unable to open ini file.", when it cannot be written;
  /// the old file then stays as it was.
  bool WriteFile();

  /// The value of an entry; empty, with the error text set, when the section or entry is missing.
  std::string GetValue(const std::string& section, const std::string& entry);
  /// C atoi of GetValue: malformed or missing values give 0.
  int GetValueI(const std::string& section, const std::string& entry);
  /// C atof of GetValue: malformed or missing values give 0.0.
  double GetValueF(const std::string& section, const std::string& entry);

  /// Sets an entry; a missing section or entry is appended when `create` is true, else false.
  bool SetValue(const std::string& section, const std::string& entry, const std::string& value,
                bool create = true);
  /// SetValue with the integer formatted as "%d".
  bool SetValueI(const std::string& section, const std::string& entry, int value,
                 bool create = true);
  /// SetValue with the number formatted as "%e" ("3.876550e+04"), whatever the process locale.
  bool SetValueF(const std::string& section, const std::string& entry, double value,
                 bool create = true);

  /// Text of the last failure; empty until one happens.
  const std::string& GetError() const { return error; }
  /// The file this object reads and writes.
  const std::string& GetPath() const { return path; }

  /// File to read and write, as given at construction.
  std::string path;
  /// Text of the last failure ("Unable to open ini file.", "Unable to locate specified key.",
  /// "Unable to locate specified value."); the same text GetError returns.
  std::string error;

private:
  static constexpr size_t kMissing = static_cast<size_t>(-1);
  // Index of the section in creation order, or kMissing.
  size_t FindSection(const std::string& name) const;
  // Index of the entry within section `sectionIndex`, or kMissing.
  size_t FindEntry(size_t sectionIndex, const std::string& name) const;
  // Stores one line of the file under the current section name.
  void ParseLine(std::string_view line, std::string& currentSection);

  std::vector<IniSection> sections_;
  std::vector<std::string> names_;
  // Lookup indexes beside the ordered arrays, so that reading a large file stays linear.
  std::unordered_map<std::string, size_t> sectionIndex_;
  std::vector<std::unordered_map<std::string, size_t>> entryIndex_;
};
