#pragma once

#include <string>
#include <string_view>
#include <vector>

/// Splits a parameter string into program arguments the way a POSIX shell splits words:
/// blanks separate words; '…' keeps everything literally; "…" keeps blanks and lets a backslash
/// escape only $ ` " \ and a newline; outside quotes a backslash keeps the next character.
/// Nothing is expanded or run: $HOME, *, ~, ;, | and `cmd` stay literal text. An unclosed
/// quote runs to the end of the string.
std::vector<std::string> SplitArguments(std::string_view text);
