#include "platform/x11/key_codes.h"

#include <gtest/gtest.h>

#include "shell/virtual_keys.h"

namespace {

using x11::IsAltKeysym;
using x11::VirtualKeyOfKeysym;

TEST(KeyCodes, KeysymsGiveTheVirtualKeyOfTheirKey) {
  struct Binding {
    uint32_t keysym;
    int32_t code;
  };
  const Binding bindings[] = {
      // Range ends: letters of either case give their capital code; digits, function and keypad keys.
      {XK_a, 0x41}, {XK_z, 0x5A}, {XK_M, 0x4D}, {XK_0, vk::Digit0}, {XK_9, 0x39}, {XK_F1, 0x70}, {XK_F12, 0x7B},
      {XK_KP_0, 0x60}, {XK_KP_9, 0x69},
      // The punctuation the menu binds, by its US glyphs.
      {XK_bracketright, vk::BracketRight}, {XK_bracketleft, vk::BracketLeft}, {XK_comma, vk::Comma},
      {XK_period, vk::Period}, {XK_minus, vk::Minus}, {XK_Escape, vk::Escape},
      // Modifiers by side; AltGr is the right Alt. Keypad and shifted twins share their key.
      {XK_Shift_L, vk::LeftShift}, {XK_Shift_R, vk::RightShift}, {XK_Control_R, 0xA3}, {XK_Alt_L, 0xA4},
      {XK_ISO_Level3_Shift, 0xA5}, {XK_KP_Enter, 0x0D}, {XK_ISO_Left_Tab, 0x09}, {XK_KP_Home, 0x24},
      // Keysyms of no standard key give nothing; a shifted glyph is never a key's first level.
      {0, 0}, {XK_VoidSymbol, 0}, {XK_udiaeresis, 0}, {XK_Cyrillic_a, 0}, {XK_exclam, 0}, {0xFFFFFFFFu, 0},
  };
  for (const Binding& binding : bindings)
    EXPECT_EQ(VirtualKeyOfKeysym(binding.keysym), binding.code) << "keysym " << binding.keysym;
}

TEST(KeyCodes, OnlyTheAltKeysAreAlt) {
  for (uint32_t keysym : {XK_Alt_L, XK_Alt_R, XK_Meta_L}) EXPECT_TRUE(IsAltKeysym(keysym));
  for (uint32_t keysym : {XK_ISO_Level3_Shift, XK_Control_L, XK_a}) EXPECT_FALSE(IsAltKeysym(keysym));
}

}  // namespace
