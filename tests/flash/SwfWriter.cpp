#include "SwfWriter.h"

#include <algorithm>

namespace {

constexpr int kTwips = 20;

// SWF bit fields are written most significant bit first and padded to whole bytes.
class BitWriter {
public:
  void Unsigned(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (used_ == 0) bytes_.push_back(0);
      if ((value >> i) & 1u) bytes_.back() |= static_cast<uint8_t>(0x80u >> used_);
      used_ = (used_ + 1) % 8;
    }
  }
  void Signed(int32_t value, int bits) { Unsigned(static_cast<uint32_t>(value), bits); }
  void Align() { used_ = 0; }
  void U8(uint8_t v) {
    Align();
    bytes_.push_back(v);
  }
  void U16(uint16_t v) {
    U8(v & 0xFF);
    U8(v >> 8);
  }
  void Rgb(uint32_t rgb) {
    U8((rgb >> 16) & 0xFF);
    U8((rgb >> 8) & 0xFF);
    U8(rgb & 0xFF);
  }
  /// A RECT record in twips.
  void RectTwips(int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax) {
    int bits = std::max({SignedBits(xmin), SignedBits(xmax), SignedBits(ymin), SignedBits(ymax)});
    Align();
    Unsigned(bits, 5);
    for (int32_t v : {xmin, xmax, ymin, ymax})
      Signed(v, bits);
    Align();
  }
  static int SignedBits(int32_t v) {
    int bits = 1;
    while (v < -(1 << (bits - 1)) || v >= (1 << (bits - 1)))
      ++bits;
    return bits;
  }
  std::vector<uint8_t>& bytes() { return bytes_; }

private:
  std::vector<uint8_t> bytes_;
  int used_ = 0; // bits used in the last byte
};

void AppendTag(std::vector<uint8_t>& out, int code, const std::vector<uint8_t>& body) {
  uint32_t n = static_cast<uint32_t>(body.size());
  uint16_t head = static_cast<uint16_t>((code << 6) | (n < 0x3F ? n : 0x3F));
  out.push_back(head & 0xFF);
  out.push_back(head >> 8);
  if (n >= 0x3F)
    for (int i = 0; i < 4; ++i)
      out.push_back((n >> (8 * i)) & 0xFF);
  out.insert(out.end(), body.begin(), body.end());
}

// DefineShape with one solid fill, drawn clockwise from the top left corner with fill style 1.
std::vector<uint8_t> RectangleShape(uint16_t id, const SwfWriter::Frame& f) {
  int32_t x0 = f.left * kTwips, y0 = f.top * kTwips, x1 = f.right * kTwips, y1 = f.bottom * kTwips;
  BitWriter w;
  w.U16(id);
  w.RectTwips(x0, x1, y0, y1);
  w.U8(1);    // one fill style
  w.U8(0x00); // solid
  w.Rgb(f.rgb);
  w.U8(0);          // no line styles
  w.Unsigned(1, 4); // fill bits
  w.Unsigned(0, 4); // line bits
  int moveBits = std::max(BitWriter::SignedBits(x0), BitWriter::SignedBits(y0));
  // Style change: no new styles, no line style, fill style 1, no fill style 0, move to.
  w.Unsigned(0b000101, 6);
  w.Unsigned(moveBits, 5);
  w.Signed(x0, moveBits);
  w.Signed(y0, moveBits);
  w.Unsigned(1, 1); // fill style 1 = index 1
  auto edge = [&w](int32_t dx, int32_t dy) {
    int32_t d = dx != 0 ? dx : dy;
    int bits = std::max(2, BitWriter::SignedBits(d));
    w.Unsigned(0b11, 2); // edge record, straight
    w.Unsigned(bits - 2, 4);
    w.Unsigned(0, 1);               // not a general line
    w.Unsigned(dx != 0 ? 0 : 1, 1); // vertical?
    w.Signed(d, bits);
  };
  edge(x1 - x0, 0);
  edge(0, y1 - y0);
  edge(x0 - x1, 0);
  edge(0, y0 - y1);
  w.Unsigned(0, 6); // end of shape
  w.Align();
  return w.bytes();
}

} // namespace

SwfWriter::SwfWriter(int width, int height, int fps, uint32_t backgroundRgb)
    : width_(width), height_(height), fps_(fps), background_(backgroundRgb) {}

void SwfWriter::AddFrame(const Frame& frame) { frames_.push_back(frame); }

std::vector<uint8_t> SwfWriter::Build() const {
  BitWriter head;
  head.RectTwips(0, width_ * kTwips, 0, height_ * kTwips);
  head.U16(static_cast<uint16_t>(fps_ << 8)); // 8.8 fixed point
  head.U16(static_cast<uint16_t>(frames_.size()));
  std::vector<uint8_t> body = head.bytes();

  BitWriter bg;
  bg.Rgb(background_);
  AppendTag(body, 9, bg.bytes()); // SetBackgroundColor
  for (size_t i = 0; i < frames_.size(); ++i) {
    uint16_t id = static_cast<uint16_t>(i + 1);
    AppendTag(body, 2, RectangleShape(id, frames_[i])); // DefineShape
    BitWriter place;                                    // PlaceObject2 at depth 1
    place.U8(i == 0 ? 0x02 : 0x03);                     // has character (and moves after frame 1)
    place.U16(1);
    place.U16(id);
    AppendTag(body, 26, place.bytes());
    AppendTag(body, 1, {}); // ShowFrame
  }
  AppendTag(body, 0, {}); // End

  std::vector<uint8_t> out = {'F', 'W', 'S', 6};
  uint32_t total = static_cast<uint32_t>(8 + body.size());
  for (int i = 0; i < 4; ++i)
    out.push_back((total >> (8 * i)) & 0xFF);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}
