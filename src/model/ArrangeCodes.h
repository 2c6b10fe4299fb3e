#pragma once

namespace cmd {

// ArrangeObject codes: where an object goes on the surface.
enum Arrange : int {
  ArrangeTop = 104,
  ArrangeBottom = 98,
  ArrangeLeft = 100,
  ArrangeRight = 102,
  ArrangeCentre = 101,
  ArrangeFullScreen = 36,
};

} // namespace cmd
