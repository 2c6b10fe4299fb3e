#pragma once

#include <string>

/// Writes bytes to a temporary file in the target's folder, flushes it to disk and renames it
/// over the target, so the target is always either the complete old or the complete new file.
/// On failure the old file is untouched, the temporary file is removed, and `error` (when
/// given) says why.
bool WriteFileAtomic(const std::string& path, const std::string& bytes,
                     std::string* error = nullptr);
/// Reads a whole file. False (with the reason in `error`) when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error = nullptr);
/// True when a file (or folder) exists at the path.
bool FileExists(const std::string& path);
