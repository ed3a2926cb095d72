#include "canvas/text_decoding.h"

#include <algorithm>

namespace {

// Base letters of U+00C0 to U+017F; '_' marks a character with no base letter (ligatures,
// signs, letters of their own such as the eth or the sharp s).
constexpr char kLatin1Letters[] =
    "AAAAAA_CEEEEIIII_NOOOOO_OUUUUY__"
    "aaaaaa_ceeeeiiii_nooooo_ouuuuy_y";
constexpr char kLatinExtendedALetters[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi__JjKk_LlLlLlL"
    "lLlNnNnNn___OoOoOo__RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZz_";
constexpr uint32_t kFirstLatin1Letter = 0xC0;
constexpr uint32_t kFirstBeyondExtendedA = 0x180;

uint8_t GlyphForCodePoint(uint32_t codePoint) {
  if (codePoint < 0x80) return static_cast<uint8_t>(codePoint);
  if (codePoint < kFirstLatin1Letter || codePoint >= kFirstBeyondExtendedA) return kBoxGlyph;
  const uint32_t index = codePoint - kFirstLatin1Letter;
  const char base = index < 64 ? kLatin1Letters[index] : kLatinExtendedALetters[index - 64];
  return base == '_' ? kBoxGlyph : static_cast<uint8_t>(base);
}

// Windows-1252 puts a few letters where Latin-1 has control codes.
uint32_t CodePointOfWindows1252(uint8_t byte) {
  switch (byte) {
    case 0x8A: return 0x160;  // S caron
    case 0x8E: return 0x17D;  // Z caron
    case 0x9A: return 0x161;  // s caron
    case 0x9E: return 0x17E;  // z caron
    case 0x9F: return 0x178;  // Y diaeresis
    default: return byte;
  }
}

enum class Utf8Step { Complete, Truncated, Invalid };

struct Utf8Char {
  Utf8Step step;
  size_t length = 0;       // bytes taken, by a Complete or Truncated character
  uint32_t codePoint = 0;  // of a Complete character
};

bool InRange(uint8_t byte, uint8_t low, uint8_t high) { return byte >= low && byte <= high; }

// The continuation bytes allowed right after a lead byte; the limits exclude overlong forms,
// surrogates and code points above U+10FFFF.
bool IsValidSecondByte(uint8_t lead, uint8_t second) {
  switch (lead) {
    case 0xE0: return InRange(second, 0xA0, 0xBF);
    case 0xED: return InRange(second, 0x80, 0x9F);
    case 0xF0: return InRange(second, 0x90, 0xBF);
    case 0xF4: return InRange(second, 0x80, 0x8F);
    default: return InRange(second, 0x80, 0xBF);
  }
}

// Reads one character from s[0 .. available), available > 0, never looking further.
Utf8Char ReadUtf8Char(const uint8_t* s, size_t available) {
  const uint8_t lead = s[0];
  if (lead < 0x80) return {Utf8Step::Complete, 1, lead};
  size_t length = 0;
  uint32_t codePoint = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
    codePoint = lead & 0x1Fu;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    codePoint = lead & 0x0Fu;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    codePoint = lead & 0x07u;
  } else {
    return {Utf8Step::Invalid};
  }
  for (size_t i = 1; i < length; ++i) {
    if (i >= available) return {Utf8Step::Truncated, available};
    const bool valid = i == 1 ? IsValidSecondByte(lead, s[i]) : InRange(s[i], 0x80, 0xBF);
    if (!valid) return {Utf8Step::Invalid};
    codePoint = (codePoint << 6) | (s[i] & 0x3Fu);
  }
  return {Utf8Step::Complete, length, codePoint};
}

// A cut text ending inside its last character still counts as UTF-8, so that a long name
// truncated by formatting keeps its letters.
bool IsUtf8(const uint8_t* text, size_t length, bool wasCut) {
  for (size_t at = 0; at < length;) {
    const Utf8Char c = ReadUtf8Char(text + at, length - at);
    if (c.step == Utf8Step::Invalid || (c.step == Utf8Step::Truncated && !wasCut)) return false;
    at += c.length;
  }
  return true;
}

size_t DecodeUtf8(const uint8_t* text, size_t length, uint8_t* glyphs) {
  size_t count = 0;
  for (size_t at = 0; at < length;) {
    const Utf8Char c = ReadUtf8Char(text + at, length - at);
    glyphs[count++] = c.step == Utf8Step::Complete ? GlyphForCodePoint(c.codePoint) : kBoxGlyph;
    at += c.length;
  }
  return count;
}

size_t DecodeBytes(const uint8_t* text, size_t length, uint8_t* glyphs) {
  for (size_t i = 0; i < length; ++i) {
    glyphs[i] = GlyphForCodePoint(CodePointOfWindows1252(text[i]));
  }
  return length;
}

bool IsAscii(const uint8_t* text, size_t length) {
  return std::all_of(text, text + length, [](uint8_t c) { return c < 0x80; });
}

}  // namespace

size_t DecodeText(const uint8_t* text, size_t length, bool wasCut, uint8_t* glyphs) {
  // Most names are plain ASCII: each byte is its own font entry.
  if (IsAscii(text, length)) {
    std::copy_n(text, length, glyphs);
    return length;
  }
  return IsUtf8(text, length, wasCut) ? DecodeUtf8(text, length, glyphs)
                                      : DecodeBytes(text, length, glyphs);
}
