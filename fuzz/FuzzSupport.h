#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Helpers shared by the fuzz targets.

/// The input as a string.
inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

/// The path of a file named `name` in this process's own temporary folder, which is removed at
/// exit. The file itself is not created.
std::string FuzzTempPath(const std::string& name);

/// Writes the bytes to `FuzzTempPath(name)` and returns the path; aborts when that fails.
std::string WriteFuzzFile(const std::string& name, std::string_view bytes);

/// Aborts with the message when `ok` is false (a fault the fuzzer then reports with the input).
void FuzzCheck(bool ok, const char* what);
