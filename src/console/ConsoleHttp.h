#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The console's view of HTTP: one request in, one reply out. The Qt binding translates from and
// to the wire; the routing, the checks and the answers work on these plain values.

/// Largest body of any request the transport accepts: a show file (far beyond any real one).
inline constexpr size_t kMaxShowBytes = size_t{16} << 20;
/// Largest body of the requests that carry a small JSON object or nothing.
inline constexpr size_t kMaxSmallBodyBytes = 4096;
/// Largest request line target the console looks at.
inline constexpr size_t kMaxTargetBytes = 4096;

/// A request as it arrived: method and target as sent, header names as sent.
struct HttpRequest {
  std::string method;                                       ///< "GET", "POST", …
  std::string target;                                       ///< path and query, still encoded
  std::vector<std::pair<std::string, std::string>> headers; ///< in arrival order
  std::string body;
  std::string peer; ///< the client's address, for the failure limit and the request log

  /// The first value of a header, its name compared without case; empty when missing.
  std::string Header(const std::string& name) const;
};

/// The answer to a request.
struct HttpReply {
  int status = 200;
  std::string contentType = "application/json; charset=utf-8";
  std::vector<std::pair<std::string, std::string>> headers; ///< beside Content-Type
  std::string body;
};

/// The reason phrase of a status code ("OK", "Not Found", …); "Unknown" for others.
const char* StatusText(int status);
/// The path part of a target (before "?" or "#").
std::string TargetPath(const std::string& target);
/// The value of a query parameter (percent-decoded; "+" stays "+"); empty when missing.
std::string QueryValue(const std::string& target, const std::string& name);
/// Decodes %XX escapes; false (and `out` unspecified) on a malformed escape.
bool PercentDecode(const std::string& in, std::string& out);
