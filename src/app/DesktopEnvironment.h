#pragma once

#include <functional>
#include <string>

// What the process environment must say before Qt starts, so that the program behaves the same
// on every Linux desktop: which platform plugin places its windows, whether Qt scales them, and
// which font configuration draws the font names that projects store.

/// The value to give QT_QPA_PLATFORM: "" (leave Qt's choice) when the user named a platform
/// (`userPlatform` non-null and non-empty) or no X server answers, else "xcb".
std::string PlatformToForce(const char* userPlatform, bool xServerReachable);

/// Whether an X server accepts a connection on `display` (":N", "unix:N", "HOST:N", each with an
/// optional ".SCREEN"); local displays are looked for in `socketDir` (abstract socket first, then
/// the file). False for an empty or malformed value.
bool XServerReachable(const std::string& display, const std::string& socketDir = "/tmp/.X11-unix");

/// The font configuration that ships with the program whose executable is in `exeDir`:
/// `exeDir/../share/zyntra/fonts.conf` (the build tree and the installed tree alike); "" when
/// that file is missing.
std::string ShippedFontConfig(const std::string& exeDir);

/// Reads one environment variable: its value, or null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

/// The environment variables through which a user tells Qt how to scale windows.
extern const char* const kQtScalingVariables[8];

/// The value to give QT_ENABLE_HIGHDPI_SCALING: "0" (one window pixel is one device pixel, as
/// the LED wall needs) when none of kQtScalingVariables is set to a non-empty value, else ""
/// (the user's own choice stands).
std::string HighDpiScalingToForce(const EnvironmentLookup& lookup);

/// Sets QT_QPA_PLATFORM (see PlatformToForce, with DISPLAY), QT_ENABLE_HIGHDPI_SCALING (see
/// HighDpiScalingToForce) and FONTCONFIG_FILE (the shipped configuration beside
/// /proc/self/exe) in this process, each only when the user has not set it.
void PrepareDesktopEnvironment();
