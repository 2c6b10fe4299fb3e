#pragma once

#include <QByteArray>
#include <QString>

/// Checks and rewrites SWF movies before the player gets them.
class SwfFile {
public:
  /// The FSCommand a movie rewritten by PlayOnce() sends when it reaches its last frame.
  static constexpr const char* kEndedCommand = "zyntra_ended";

  /// True when `head` (the first bytes of a file, at least 8) starts like a SWF movie: an FWS,
  /// CWS or ZWS signature, a version and a file length of at least the header. False with the
  /// reason in `*why` otherwise.
  static bool CheckHeader(const QByteArray& head, QString* why);

  /// Makes the main timeline of `swf` play once: before its last ShowFrame the movie sends
  /// kEndedCommand and stops. Zlib-compressed movies come back uncompressed. False with the reason
  /// in `*why`, and `*out` untouched, for LZMA-compressed and ActionScript 3 movies (their main
  /// timeline cannot be stopped by an action tag) and for damaged files.
  static bool PlayOnce(const QByteArray& swf, QByteArray* out, QString* why);
};
