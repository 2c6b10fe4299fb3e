#include "base/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// One C locale for the whole process; snprintf_l/strtod_l are not portable, so the
// conversions use uselocale() on the calling thread for the duration of one call.
locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

class ScopedCLocale {
public:
  ScopedCLocale() : old_(uselocale(CLocale())) {}
  ~ScopedCLocale() { uselocale(old_); }
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
  locale_t old_;
};

std::string Printf(const char* format, double value) {
  ScopedCLocale c;
  char buffer[512];
  int n = std::snprintf(buffer, sizeof buffer, format, value);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<size_t>(n));
  std::string big(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), format, value);
  big.resize(static_cast<size_t>(n));
  return big;
}

} // namespace

std::string FormatInt(long long value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)ec;
  return std::string(buffer, end);
}

std::string FormatFloat(float value) { return Printf("%f", static_cast<double>(value)); }

std::string FormatDouble(double value) { return Printf("%f", value); }

std::string FormatExp(double value) { return Printf("%e", value); }

int ParseInt(std::string_view text) {
  // glibc's atoi is (int)strtol(s, 0, 10): saturate at the 64-bit limits, keep the low 32 bits.
  std::string copy(text);
  ScopedCLocale c;
  return static_cast<int>(std::strtol(copy.c_str(), nullptr, 10));
}

double ParseDouble(std::string_view text) {
  std::string copy(text);
  ScopedCLocale c;
  return std::strtod(copy.c_str(), nullptr);
}
