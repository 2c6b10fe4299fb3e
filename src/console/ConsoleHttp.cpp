#include "console/ConsoleHttp.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

std::string HttpRequest::Header(const std::string& name) const {
  for (const auto& [key, value] : headers) {
    if (SameNoCase(key, name)) return value;
  }
  return {};
}

const char* StatusText(int status) {
  switch (status) {
  case 200: return "OK";
  case 201: return "Created";
  case 400: return "Bad Request";
  case 401: return "Unauthorized";
  case 403: return "Forbidden";
  case 404: return "Not Found";
  case 405: return "Method Not Allowed";
  case 409: return "Conflict";
  case 413: return "Payload Too Large";
  case 414: return "URI Too Long";
  case 429: return "Too Many Requests";
  case 500: return "Internal Server Error";
  case 503: return "Service Unavailable";
  default: return "Unknown";
  }
}

std::string TargetPath(const std::string& target) {
  const size_t end = target.find_first_of("?#");
  return end == std::string::npos ? target : target.substr(0, end);
}

std::string QueryValue(const std::string& target, const std::string& name) {
  const size_t start = target.find('?');
  if (start == std::string::npos) return {};
  std::string query = target.substr(start + 1);
  if (size_t hash = query.find('#'); hash != std::string::npos) query.resize(hash);
  size_t pos = 0;
  while (pos <= query.size()) {
    size_t end = query.find('&', pos);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(pos, end - pos);
    const size_t eq = pair.find('=');
    if (pair.substr(0, eq) == name) {
      std::string value;
      if (eq != std::string::npos && PercentDecode(pair.substr(eq + 1), value)) return value;
      return {};
    }
    pos = end + 1;
  }
  return {};
}

bool PercentDecode(const std::string& in, std::string& out) {
  out.clear();
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '%') {
      out += in[i];
      continue;
    }
    if (i + 2 >= in.size()) return false;
    const int high = HexValue(in[i + 1]);
    const int low = HexValue(in[i + 2]);
    if (high < 0 || low < 0) return false;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}
