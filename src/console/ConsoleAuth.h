#pragma once

#include <cstdint>
#include <map>
#include <string>

/// The console's door: every API request must carry `Authorization: Bearer <token>`. Wrong
/// tokens are counted per client address; from the third failure on, the client must wait
/// (1 s, doubling up to 60 s) before its next attempt is even looked at, so guessing gets one try
/// per wait however many connections it opens. Time is pushed in (milliseconds on a monotonic
/// clock); nothing here waits.
class ConsoleAuth {
public:
  /// What a request's credentials come to.
  enum class Verdict {
    Granted, ///< the token matches; the client's failures are forgotten
    Missing, ///< no bearer token at all (not counted as a guess)
    Wrong,   ///< a token that does not match (counted)
    Waiting, ///< the client must wait before trying again; the token was not compared
  };

  /// Failures before the first wait.
  static constexpr int kFreeFailures = 2;
  /// The first wait and the longest, milliseconds.
  static constexpr int64_t kFirstWaitMs = 1000;
  static constexpr int64_t kLongestWaitMs = 60000;
  /// A client whose last failure is this old starts afresh.
  static constexpr int64_t kForgetAfterMs = 15 * 60 * 1000;
  /// Clients remembered at most (the oldest are forgotten first).
  static constexpr size_t kMaxClients = 1024;

  /// A door for this token (no token: nothing is ever granted).
  explicit ConsoleAuth(std::string token) : token_(std::move(token)) {}

  /// Judges the value of an Authorization header from `client` at `nowMs`.
  Verdict Check(const std::string& authorization, const std::string& client, int64_t nowMs);
  /// Milliseconds the client must still wait (0 when it may try).
  int64_t WaitMs(const std::string& client, int64_t nowMs) const;

  /// Compares two byte strings in time that depends on their lengths only, not on where they
  /// differ.
  static bool ConstantTimeEqual(const std::string& a, const std::string& b);

private:
  struct Client {
    int failures = 0;
    int64_t lastFailureMs = 0;
    int64_t waitUntilMs = 0;
  };
  void Forget(int64_t nowMs);

  std::string token_;
  std::map<std::string, Client> clients_;
};
