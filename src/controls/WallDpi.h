#pragma once

#include <QImage>
#include <QPaintDevice>

// A project's numbers are the LED wall's pixels, and so are the sizes of its text: the controls
// on the screen window convert points to pixels at one fixed resolution, whatever the desktop
// says (Xft.dpi 192 on a desktop scaled to 200 %), so that a show draws the same pixels on the
// PC that made it and on the PC behind the wall. Header-only: the control libraries (clock,
// Glasso) use it and do not link the GUI library.

/// The resolution at which text on the wall converts points to pixels: 20 points are 26.67 px.
inline constexpr int kWallDpi = 96;

/// What a paint device on the wall answers for `metric`: kWallDpi for the logical resolution,
/// the device's own `value` for everything else (size, depth, physical resolution).
constexpr int WallMetric(QPaintDevice::PaintDeviceMetric metric, int value) {
  return metric == QPaintDevice::PdmDpiX || metric == QPaintDevice::PdmDpiY ? kWallDpi : value;
}

/// `Base` (a QWidget class) on the wall: fonts given to it and to painters on it convert points
/// at kWallDpi. Set the widget's fonts after construction: a font resolved while the base class
/// is being built still has the desktop's resolution.
template <class Base> class WallDpiWidget : public Base {
public:
  using Base::Base;

protected:
  int metric(QPaintDevice::PaintDeviceMetric metric) const override {
    return WallMetric(metric, Base::metric(metric));
  }
};

/// Gives `image` the wall's resolution, so that text painted into it converts as on the wall.
inline void SetWallDpi(QImage& image) {
  // 3780 dots per metre read back as 96.01, which the image rounds to 96 dpi.
  constexpr int dotsPerMetre = static_cast<int>(kWallDpi / 0.0254 + 0.5);
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
}
