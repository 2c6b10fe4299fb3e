#include "console/ConsoleAuth.h"

#include <algorithm>

namespace {

// "Bearer <token>": the scheme without case, one or more spaces, the token to the end (trailing
// blanks dropped). Empty when the header is no bearer credential.
std::string BearerToken(const std::string& header) {
  static const std::string kScheme = "bearer";
  if (header.size() <= kScheme.size()) return {};
  for (size_t i = 0; i < kScheme.size(); ++i) {
    char c = header[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kScheme[i]) return {};
  }
  size_t start = kScheme.size();
  if (header[start] != ' ') return {};
  while (start < header.size() && header[start] == ' ')
    ++start;
  size_t end = header.size();
  while (end > start && (header[end - 1] == ' ' || header[end - 1] == '\t'))
    --end;
  return header.substr(start, end - start);
}

} // namespace

bool ConsoleAuth::ConstantTimeEqual(const std::string& a, const std::string& b) {
  // Every byte of the longer string is looked at whatever the others hold.
  const size_t n = std::max(a.size(), b.size());
  unsigned char diff = a.size() == b.size() ? 0 : 1;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
    const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
    diff |= static_cast<unsigned char>(x ^ y);
  }
  return diff == 0;
}

int64_t ConsoleAuth::WaitMs(const std::string& client, int64_t nowMs) const {
  auto it = clients_.find(client);
  if (it == clients_.end()) return 0;
  return std::max<int64_t>(0, it->second.waitUntilMs - nowMs);
}

void ConsoleAuth::Forget(int64_t nowMs) {
  for (auto it = clients_.begin(); it != clients_.end();) {
    if (nowMs - it->second.lastFailureMs >= kForgetAfterMs)
      it = clients_.erase(it);
    else
      ++it;
  }
  while (clients_.size() >= kMaxClients) {
    auto oldest = std::min_element(clients_.begin(), clients_.end(), [](auto& a, auto& b) {
      return a.second.lastFailureMs < b.second.lastFailureMs;
    });
    clients_.erase(oldest);
  }
}

ConsoleAuth::Verdict ConsoleAuth::Check(const std::string& authorization, const std::string& client,
                                        int64_t nowMs) {
  if (auto it = clients_.find(client);
      it != clients_.end() && nowMs - it->second.lastFailureMs >= kForgetAfterMs)
    clients_.erase(it);
  if (WaitMs(client, nowMs) > 0) return Verdict::Waiting;
  const std::string token = BearerToken(authorization);
  if (token.empty()) return Verdict::Missing;
  if (!token_.empty() && ConstantTimeEqual(token, token_)) {
    clients_.erase(client);
    return Verdict::Granted;
  }
  if (clients_.find(client) == clients_.end()) Forget(nowMs);
  Client& c = clients_[client];
  c.failures = std::min(c.failures + 1, 1000);
  c.lastFailureMs = nowMs;
  if (c.failures > kFreeFailures) {
    const int doublings = std::min(c.failures - kFreeFailures - 1, 16);
    c.waitUntilMs = nowMs + std::min(kLongestWaitMs, kFirstWaitMs << doublings);
  }
  return Verdict::Wrong;
}
