#pragma once

#include <cstdint>
#include <optional>
#include <string>

/// Where the console listens: "[ADDR:]PORT". Without an address only 127.0.0.1 (this computer)
/// is served; ADDR is an IPv4 address, "localhost", or an IPv6 address in brackets
/// ("[::1]:8080", "[::]:8080"). Port 0 lets the system pick a free one.
struct ListenAddress {
  std::string host = "127.0.0.1"; ///< as written (brackets removed); checked by the network layer
  uint16_t port = 0;

  /// Parses "[ADDR:]PORT"; nullopt for anything else (no port, a port past 65535, a bare IPv6
  /// address, an empty address).
  static std::optional<ListenAddress> Parse(const std::string& text);
};
