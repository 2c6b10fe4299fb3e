#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// The one folder the console takes shows from: `.vrx` projects and `.tak` task lists, by
/// plain file name. Nothing outside it is read or written: names with a path in them are
/// refused, and so is any entry that is not a regular file (a symbolic link, a folder, a FIFO).
class ShowsFolder {
public:
  /// Why a name is refused; None for a good one.
  enum class NameProblem { None, Empty, TooLong, Hidden, Separator, Control, BadUtf8, Extension };

  /// A file of the folder.
  struct Entry {
    std::string name;
    int64_t bytes = 0;
    std::string modified; ///< local time "YYYY-MM-DD HH:MM:SS"
  };

  /// The folder at `path` (made when a show is first written into it).
  explicit ShowsFolder(std::string path) : path_(std::move(path)) {}

  /// A show's name: UTF-8, 1 to 255 bytes, no "/" or "\", no control character, not starting
  /// with "." (so neither "." nor ".." nor hidden files), ending in ".vrx" or ".tak" (any case).
  static NameProblem CheckName(const std::string& name);
  /// The Chinese message of a refused name.
  static const char* NameProblemText(NameProblem problem);
  /// True for a name ending in ".tak" (any case).
  static bool IsTaskList(const std::string& name);

  /// The folder's path.
  const std::string& Path() const { return path_; }
  /// The regular files with good names, by name; empty when the folder is missing.
  std::vector<Entry> List() const;
  /// The path of an existing show of that name; nullopt for a bad name, a missing file or an
  /// entry that is no regular file.
  std::optional<std::string> Find(const std::string& name) const;
  /// Writes a show atomically (the folder made as needed). False with the reason in `error`
  /// for a bad name or an entry of that name that is no regular file.
  bool Write(const std::string& name, const std::string& bytes, std::string* error) const;

private:
  std::string FilePath(const std::string& name) const;
  std::string path_;
};
