#include "canvas/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "canvas/canvas.h"
#include "canvas/glyph_table.h"
#include "canvas/text_decoding.h"

char TextBuffer[kTextBufferSize];

namespace {

constexpr int32_t kGlyphRows = 9;
// Glyph row i lies on Canvas row y - i + kInkRowOffset; the label band covers y - 9 to y - 1.
constexpr int32_t kInkRowOffset = 2;
constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();

// One font entry as drawn: bit c of row i is the ink of cell (i, c).
struct GlyphMask {
  int32_t width = 0;
  std::array<uint16_t, kGlyphRows + 1> rows{};  // rows 1 to 9; row 0 unused
};

GlyphMask MaskFromTable(uint8_t code) {
  const GlyphLookup glyph = LookupGlyph(code);
  GlyphMask mask;
  mask.width = glyph.width;
  for (int32_t row = 1; row <= kGlyphRows; ++row) {
    for (int32_t column = 0; column < glyph.width; ++column) {
      if (IsInk(glyph, row, column)) mask.rows[row] |= static_cast<uint16_t>(1u << column);
    }
  }
  return mask;
}

// The backquote's entry has a width but no image: it shows a small grave accent.
void AddGraveAccent(GlyphMask& mask) {
  mask.rows[3] |= 0b01;
  mask.rows[4] |= 0b10;
}

// A character the font lacks: a hollow box of capital height.
GlyphMask HollowBox() {
  GlyphMask mask;
  mask.width = 3;
  mask.rows[3] = 0b111;
  mask.rows[4] = mask.rows[5] = mask.rows[6] = 0b101;
  mask.rows[7] = 0b111;
  return mask;
}

using GlyphMasks = std::array<GlyphMask, kBoxGlyph + 1>;

// Read from the table once, so that drawing a character is a few bit tests.
GlyphMasks BuildMasks() {
  GlyphMasks masks;
  for (int32_t code = 0; code < 128; ++code) masks[code] = MaskFromTable(static_cast<uint8_t>(code));
  AddGraveAccent(masks['`']);
  masks[kBoxGlyph] = HollowBox();
  return masks;
}

const GlyphMasks& Masks() {
  static const GlyphMasks masks = BuildMasks();
  return masks;
}

uint32_t PixelValue(uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t bytes[] = {r, g, b, 255};
  uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// The Canvas rows a text's glyph rows land on; null where a row lies outside the Canvas.
struct InkRows {
  std::array<uint8_t*, kGlyphRows + 1> starts{};  // rows 1 to 9; row 0 unused
};

InkRows FindInkRows(int64_t y) {
  CanvasMatchesBackdrop = false;
  InkRows rows;
  for (int32_t row = 1; row <= kGlyphRows; ++row) {
    const int64_t canvasRow = y - row + kInkRowOffset;
    if (canvasRow >= 0 && canvasRow < CanvasHeight) {
      rows.starts[row] = Canvas + 4 * canvasRow * CanvasWidth;
    }
  }
  return rows;
}

// The same pixels PutPixel would write.
void DrawInk(const GlyphMask& mask, const InkRows& inkRows, int64_t pen, uint32_t pixel) {
  for (int32_t row = 1; row <= kGlyphRows; ++row) {
    uint8_t* const rowStart = inkRows.starts[row];
    if (!rowStart) continue;
    for (uint32_t bits = mask.rows[row]; bits != 0; bits &= bits - 1) {
      const int64_t x = pen + std::countr_zero(bits);
      if (x >= 0 && x < CanvasWidth) std::memcpy(rowStart + 4 * x, &pixel, sizeof pixel);
    }
  }
}

// Paints id over columns x0 to x1 - 1 of the label band below y, clipped to the Canvas.
void ClaimBand(int64_t x0, int64_t x1, int64_t y, uint32_t id) {
  const int64_t left = std::max<int64_t>(x0, 0);
  const int64_t right = std::min<int64_t>(x1, CanvasWidth);
  if (left >= right) return;
  const int64_t bottom = std::max<int64_t>(y - kGlyphRows, 0);
  const int64_t top = std::min<int64_t>(y - 1, CanvasHeight - 1);
  if (bottom > top) return;
  // One row filled cell by cell, the others copied from it in bulk.
  uint32_t* const first = PickMap + bottom * CanvasWidth + left;
  const size_t cells = static_cast<size_t>(right - left);
  std::fill_n(first, cells, id);
  for (int64_t row = bottom + 1; row <= top; ++row) {
    std::memcpy(PickMap + row * CanvasWidth + left, first, cells * sizeof id);
  }
}

// Draws the characters of TextBuffer whose pen is left of xLimit, claims their boxes for a label's
// id, and returns the pen after the whole text.
int32_t DrawTextBuffer(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, std::optional<uint32_t> labelId,
                       int64_t xLimit) {
  const auto* text = reinterpret_cast<const uint8_t*>(TextBuffer);
  uint8_t glyphs[kTextBufferSize];
  const size_t length = strnlen(TextBuffer, kTextBufferSize);
  // Formatting cuts a text that does not fit at 255 bytes, perhaps inside a character.
  const bool wasCut = length >= kTextBufferSize - 1;
  const size_t count = DecodeText(text, length, wasCut, glyphs);
  const GlyphMasks& masks = Masks();
  const uint32_t pixel = PixelValue(r, g, b);
  const InkRows inkRows = FindInkRows(y);
  int64_t pen = x;
  int64_t drawnEnd = x;  // the drawn characters are always the leading ones
  for (size_t i = 0; i < count; ++i) {
    const GlyphMask& mask = masks[glyphs[i]];
    if (pen < xLimit) {
      DrawInk(mask, inkRows, pen, pixel);
      drawnEnd = pen + mask.width + 1;
    }
    pen += mask.width + 1;
  }
  if (labelId) ClaimBand(x, drawnEnd, y, *labelId);
  return static_cast<int32_t>(pen);
}

}  // namespace

void FormatText(const char* format, ...) {
  // Formatted through a copy, so that callers may pass TextBuffer itself as an argument.
  char formatted[kTextBufferSize];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(formatted, sizeof formatted, format, arguments);
  va_end(arguments);
  std::memcpy(TextBuffer, formatted, sizeof formatted);
}

int32_t DrawText(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b) {
  return DrawTextBuffer(x, y, r, g, b, std::nullopt, kNoLimit);
}

int32_t DrawTextClipped(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, int32_t xLimit) {
  return DrawTextBuffer(x, y, r, g, b, std::nullopt, xLimit);
}

int32_t DrawLabel(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint32_t id) {
  return DrawTextBuffer(x, y, r, g, b, id, kNoLimit);
}

int32_t DrawLabelClipped(int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint32_t id,
                         int32_t xLimit) {
  return DrawTextBuffer(x, y, r, g, b, id, xLimit);
}
