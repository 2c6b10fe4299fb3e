#include "console/ListenAddress.h"

#include <charconv>

namespace {

std::optional<uint16_t> Port(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

} // namespace

std::optional<ListenAddress> ListenAddress::Parse(const std::string& text) {
  ListenAddress address;
  std::string port = text;
  if (!text.empty() && text[0] == '[') {
    const size_t close = text.find(']');
    if (close == std::string::npos || close == 1 || close + 1 >= text.size() ||
        text[close + 1] != ':')
      return std::nullopt;
    address.host = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else if (const size_t colon = text.rfind(':'); colon != std::string::npos) {
    address.host = text.substr(0, colon);
    if (address.host.empty() || address.host.find(':') != std::string::npos) return std::nullopt;
    port = text.substr(colon + 1);
  }
  const auto number = Port(port);
  if (!number) return std::nullopt;
  address.port = *number;
  return address;
}
