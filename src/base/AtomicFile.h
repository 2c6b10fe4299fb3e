#pragma once

#include <cstddef>
#include <string>

/// The most any reader takes in by default: far beyond any project, task list or settings file.
inline constexpr size_t kMaxReadBytes = size_t{256} << 20;

/// Writes bytes to a temporary file beside the target, flushes it to disk and renames it over
/// the target, so the target is always either the complete old or the complete new file. A
/// symbolic link stays and its final target gets the content; an existing target keeps its
/// mode and (where the user may) its owner and group. A target that is not a regular file,
/// that the user may not write, or whose owner has no write permission is refused. On failure
/// the old file is untouched, no temporary file is left, and `error` (when given) says why.
bool WriteFileAtomic(const std::string& path, const std::string& bytes,
                     std::string* error = nullptr);
/// Reads a whole regular file of at most `maxBytes` bytes. False (with the reason in `error`)
/// when it cannot be opened or read, is no regular file (device, FIFO, folder, socket) or is
/// larger; never waits on a FIFO and never reads more than `maxBytes` + 1 bytes.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr,
                   size_t maxBytes = kMaxReadBytes);
/// True when a file (or folder) exists at the path.
bool FileExists(const std::string& path);
/// The file a path names once every symbolic link on it is followed (the path itself when it
/// is no link); a dangling link gives the path it points to. Links nested more than 40 deep
/// give the path as it is.
std::string ResolveLinks(const std::string& path);
/// The temporary name beside `path` that the atomic write uses, with `suffix` ("XXXXXX") last:
/// "<name>.<suffix>", the name shortened (at a character boundary) so that the whole stays
/// within 255 bytes.
std::string TemporaryNameBeside(const std::string& path, const std::string& suffix);
