#include "flash/SwfFile.h"

#include <cstdint>

namespace {

constexpr int kShowFrame = 1;
constexpr int kDoAction = 12;
constexpr int kFileAttributes = 69;
constexpr uint32_t kMaxMovieBytes = 512u * 1024 * 1024; // refuse absurd lengths before inflating

uint32_t ReadU32(const QByteArray& b, qsizetype at) {
  auto u = [&](qsizetype i) { return static_cast<uint32_t>(static_cast<uint8_t>(b[at + i])); };
  return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

void WriteU32(QByteArray& b, qsizetype at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The DoAction tag put before the last frame: getURL("FSCommand:zyntra_ended", ""), stop, end.
QByteArray EndActions() {
  QByteArray url = QByteArray("FSCommand:") + SwfFile::kEndedCommand;
  QByteArray actions;
  uint16_t argLength = static_cast<uint16_t>(url.size() + 2);
  actions.append(char(0x83)); // ActionGetURL
  actions.append(char(argLength & 0xFF));
  actions.append(char(argLength >> 8));
  actions.append(url);
  actions.append('\0');
  actions.append('\0');       // empty target
  actions.append(char(0x07)); // ActionStop
  actions.append('\0');       // ActionEndFlag
  QByteArray tag;
  uint16_t head = static_cast<uint16_t>(kDoAction << 6 | actions.size());
  tag.append(char(head & 0xFF));
  tag.append(char(head >> 8));
  return tag + actions;
}

} // namespace

bool SwfFile::CheckHeader(const QByteArray& head, QString* why) {
  if (head.size() < 8) {
    *why = QStringLiteral("shorter than a SWF header");
    return false;
  }
  QByteArray sig = head.left(3);
  if (sig != "FWS" && sig != "CWS" && sig != "ZWS") {
    *why = QStringLiteral("not a SWF movie (no FWS, CWS or ZWS signature)");
    return false;
  }
  if (head[3] == 0 || ReadU32(head, 4) < 8) {
    *why = QStringLiteral("damaged SWF header");
    return false;
  }
  return true;
}

bool SwfFile::PlayOnce(const QByteArray& swf, QByteArray* out, QString* why) {
  if (!CheckHeader(swf, why)) return false;
  uint32_t length = ReadU32(swf, 4);
  QByteArray data;
  if (swf.startsWith("ZWS")) {
    *why = QStringLiteral("LZMA-compressed movie");
    return false;
  }
  if (swf.startsWith("CWS")) {
    if (length > kMaxMovieBytes) {
      *why = QStringLiteral("compressed movie claims %1 bytes").arg(length);
      return false;
    }
    // qUncompress wants the inflated size in front of the zlib stream, big-endian.
    QByteArray zipped(4, '\0');
    uint32_t bodyLength = length - 8;
    for (int i = 0; i < 4; ++i)
      zipped[i] = static_cast<char>((bodyLength >> (24 - 8 * i)) & 0xFF);
    zipped.append(swf.mid(8));
    QByteArray body = qUncompress(zipped);
    if (body.isEmpty()) {
      *why = QStringLiteral("damaged zlib stream");
      return false;
    }
    data = "FWS" + swf.mid(3, 5) + body;
  } else {
    data = swf;
  }

  if (data.size() < 9) {
    *why = QStringLiteral("truncated before the stage size");
    return false;
  }
  int rectBits = 5 + 4 * (static_cast<uint8_t>(data[8]) >> 3);
  qsizetype pos = 8 + (rectBits + 7) / 8 + 4; // stage rectangle, frame rate, frame count
  qsizetype lastShowFrame = -1;
  while (pos + 2 <= data.size()) {
    uint16_t head = static_cast<uint8_t>(data[pos]) | static_cast<uint8_t>(data[pos + 1]) << 8;
    int code = head >> 6;
    qsizetype bodyAt = pos + 2;
    qsizetype bodyLength = head & 0x3F;
    if (bodyLength == 0x3F) {
      if (bodyAt + 4 > data.size()) break;
      bodyLength = ReadU32(data, bodyAt);
      bodyAt += 4;
    }
    if (bodyAt + bodyLength > data.size()) {
      *why = QStringLiteral("tag %1 at byte %2 runs past the end of the file").arg(code).arg(pos);
      return false;
    }
    if (code == kFileAttributes && bodyLength > 0 && (static_cast<uint8_t>(data[bodyAt]) & 0x08)) {
      *why = QStringLiteral("ActionScript 3 movie");
      return false;
    }
    if (code == kShowFrame) lastShowFrame = pos;
    pos = bodyAt + bodyLength;
    if (code == 0) break;
  }
  if (lastShowFrame < 0) {
    *why = QStringLiteral("no frame to stop on");
    return false;
  }
  data.insert(lastShowFrame, EndActions());
  WriteU32(data, 4, static_cast<uint32_t>(data.size()));
  *out = data;
  return true;
}
