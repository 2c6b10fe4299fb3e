#pragma once

#include <cstddef>
#include <cstdint>

// The fuzz harnesses: each takes any bytes, feeds them to one reader and checks what it can
// (a failed check aborts). The fuzz targets call one each; the core tests run them all over
// the seed corpus and the inputs of faults found.

/// CMarkup indexing, navigation and editing.
int FuzzMarkup(const uint8_t* data, size_t size);
/// The project reader with in-memory controls.
int FuzzProject(const uint8_t* data, size_t size);
/// The ".tak" reader.
int FuzzTaskList(const uint8_t* data, size_t size);
/// CIniFile::ReadFile and the settings.
int FuzzIniFile(const uint8_t* data, size_t size);
/// The text codec.
int FuzzTextCodec(const uint8_t* data, size_t size);
/// The RTF reader.
int FuzzRtf(const uint8_t* data, size_t size);
/// The web console's request handling.
int FuzzConsole(const uint8_t* data, size_t size);

/// A harness by the name of its fuzz target and corpus folder.
struct FuzzHarness {
  const char* name;
  int (*run)(const uint8_t* data, size_t size);
};

/// Every harness.
inline constexpr FuzzHarness kFuzzHarnesses[] = {
    {"markup", FuzzMarkup},   {"project", FuzzProject},     {"tasklist", FuzzTaskList},
    {"inifile", FuzzIniFile}, {"textcodec", FuzzTextCodec}, {"rtf", FuzzRtf},
    {"console", FuzzConsole},
};
