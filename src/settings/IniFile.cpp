#include "settings/IniFile.h"

#include "base/AtomicFile.h"
#include "base/NumberFormat.h"
#include "base/TextCodec.h"

namespace {

constexpr const char* kOpenError = "Unable to open ini file.";
constexpr const char* kKeyError = "Unable to locate specified key.";
constexpr const char* kValueError = "Unable to locate specified value.";

// The file is GB18030 (GB2312 and GBK read the same). Guessing UTF-8 from valid-looking bytes
// would misread short Chinese values of our own files ("同" is CD AC, also valid UTF-8), so only
// a file that says so with a byte order mark is taken as UTF-8.
std::string DecodeIniBytes(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kBom)) return SanitizeUtf8(bytes.substr(kBom.size()));
  return Gb18030ToUtf8(bytes);
}

// Length in bytes of the UTF-8 character at the start of non-empty, valid UTF-8 text.
size_t FirstCharLength(std::string_view text) {
  size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
    ++n;
  return n;
}

} // namespace

CIniFile::CIniFile(std::string iniPath) : path(std::move(iniPath)) {}

bool CIniFile::ReadFile() {
  if (!FileExists(path)) return false;
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    error = kOpenError;
    return false;
  }
  const std::string text = DecodeIniBytes(bytes);
  std::string currentSection;
  // Lines end in LF or CR LF and may be of any length.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    ParseLine(line, currentSection);
    start = end + 1;
  }
  return true;
}

void CIniFile::ParseLine(std::string_view line, std::string& currentSection) {
  if (line.empty()) return;
  if (line.front() == '[' && line.back() == ']') {
    line.remove_prefix(line.find_first_not_of('['));
    size_t last = line.find_last_not_of(']');
    currentSection = last == std::string_view::npos ? "" : std::string(line.substr(0, last + 1));
    return;
  }
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    // A line without "=" is kept under the empty name, without its first character.
    SetValue(currentSection, "", std::string(line.substr(FirstCharLength(line))), true);
    return;
  }
  SetValue(currentSection, std::string(line.substr(0, equals)),
           std::string(line.substr(equals + 1)), true);
}

bool CIniFile::WriteFile() {
  std::string text;
  for (size_t i = 0; i < sections_.size(); ++i) {
    const IniSection& section = sections_[i];
    if (section.names.empty()) continue;
    text += '[';
    text += names_[i];
    text += "]\r\n";
    for (size_t k = 0; k < section.names.size(); ++k) {
      text += section.names[k];
      text += '=';
      text += section.values[k];
      text += "\r\n";
    }
    text += "\r\n";
  }
  if (!WriteFileAtomic(path, Utf8ToGb18030(text))) {
    error = kOpenError;
    return false;
  }
  return true;
}

size_t CIniFile::FindSection(const std::string& name) const {
  auto it = sectionIndex_.find(name);
  return it == sectionIndex_.end() ? kMissing : it->second;
}

size_t CIniFile::FindEntry(size_t sectionIndex, const std::string& name) const {
  const auto& index = entryIndex_[sectionIndex];
  auto it = index.find(name);
  return it == index.end() ? kMissing : it->second;
}

std::string CIniFile::GetValue(const std::string& section, const std::string& entry) {
  size_t s = FindSection(section);
  if (s == kMissing) {
    error = kKeyError;
    return {};
  }
  size_t e = FindEntry(s, entry);
  if (e == kMissing) {
    error = kValueError;
    return {};
  }
  return sections_[s].values[e];
}

int CIniFile::GetValueI(const std::string& section, const std::string& entry) {
  return ParseInt(GetValue(section, entry));
}

double CIniFile::GetValueF(const std::string& section, const std::string& entry) {
  return ParseDouble(GetValue(section, entry));
}

bool CIniFile::SetValue(const std::string& section, const std::string& entry,
                        const std::string& value, bool create) {
  size_t s = FindSection(section);
  if (s == kMissing) {
    if (!create) return false;
    s = sections_.size();
    sections_.emplace_back();
    names_.push_back(section);
    entryIndex_.emplace_back();
    sectionIndex_.emplace(section, s);
  }
  IniSection& target = sections_[s];
  size_t e = FindEntry(s, entry);
  if (e == kMissing) {
    if (!create) return false;
    e = target.names.size();
    target.names.push_back(entry);
    target.values.emplace_back();
    entryIndex_[s].emplace(entry, e);
  }
  target.values[e] = value;
  return true;
}

bool CIniFile::SetValueI(const std::string& section, const std::string& entry, int value,
                         bool create) {
  return SetValue(section, entry, FormatInt(value), create);
}

bool CIniFile::SetValueF(const std::string& section, const std::string& entry, double value,
                         bool create) {
  return SetValue(section, entry, FormatExp(value), create);
}
