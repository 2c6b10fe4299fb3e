#pragma once

#include <string>

/// `$XDG_CONFIG_HOME/zyntra/console-token`, or `$HOME/.config/zyntra/console-token` when the
/// variable is unset or not an absolute path.
std::string DefaultConsoleTokenPath();

/// The console's token: read from `path`, or made there on first use (64 hexadecimal digits
/// from the system's random source; the folder made as needed with mode 0700, the file written
/// atomically with mode 0600). A file that others may read is made 0600; one that holds no
/// token of at least 32 characters from [A-Za-z0-9._~+/=-] is replaced. Empty (with the reason
/// in `error`) when no token can be read or made.
std::string LoadOrMakeConsoleToken(const std::string& path, std::string* error = nullptr);
