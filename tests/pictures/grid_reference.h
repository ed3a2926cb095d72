// The grid drawn the plain way: one entry after the other, every picture decoded in full through
// the PictureLoader into the PictureBuffer and sampled from there. The faster grid must leave the
// same Canvas, PickMap and menu state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void DrawGridOneByOne();

// Everything a grid draw leaves that the rest of the menu can see.
struct GridOutcome {
  std::vector<uint8_t> canvas, backdrop;
  std::vector<uint32_t> pickMap;
  int32_t type;
  uint32_t width, height, bitsPerPixel, format;
  uint32_t loadable;
  int32_t loaderWidth, loaderHeight;
  int32_t panFactor;
  uint32_t menuBarShown, pictureLoaded, gridRedraw;
  int32_t selectedEntry, firstThumb;

  bool operator==(const GridOutcome&) const = default;
};

GridOutcome CaptureGridOutcome();

struct GridComparison {
  GridOutcome drawn, reference;
};

// Puts the state a draw reads or changes back to given values before each of two draws.
struct GridStart {
  int32_t firstThumb;
  int32_t panFactor = 0;
  uint32_t menuBarShown = 0;
};
void ApplyGridStart(const GridStart& start);

// Draws the reference and then draw, each from start, and returns both outcomes.
template <typename Draw>
GridComparison CompareWithOneByOne(Draw draw, const GridStart& start) {
  GridComparison result;
  ApplyGridStart(start);
  DrawGridOneByOne();
  result.reference = CaptureGridOutcome();
  ApplyGridStart(start);
  draw();
  result.drawn = CaptureGridOutcome();
  return result;
}
