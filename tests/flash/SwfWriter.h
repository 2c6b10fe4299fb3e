#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Writes small uncompressed SWF movies for the Flash control's tests: a stage with a background
/// colour and, per frame, one solid rectangle. Colours are 0xRRGGBB.
class SwfWriter {
public:
  /// One frame of the movie: a solid rectangle in stage pixels.
  struct Frame {
    int left, top, right, bottom;
    uint32_t rgb;
  };

  /// Starts a movie of `width` × `height` pixels at `fps` frames a second, SWF version 6.
  SwfWriter(int width, int height, int fps, uint32_t backgroundRgb);
  /// Adds a frame that shows only `frame`'s rectangle.
  void AddFrame(const Frame& frame);
  /// The whole file: header, background colour, one shape per frame, End tag.
  std::vector<uint8_t> Build() const;

private:
  int width_, height_, fps_;
  uint32_t background_;
  std::vector<Frame> frames_;
};
