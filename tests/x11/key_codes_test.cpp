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
      // Letters of either case give their capital code; digits and function keys.
      {XK_a, 0x41}, {XK_z, 0x5A}, {XK_M, 0x4D}, {XK_0, vk::Digit0}, {XK_9, 0x39}, {XK_F1, 0x70},
      {XK_F12, 0x7B},
      // Every key the menu binds.
      {XK_bracketright, vk::BracketRight}, {XK_bracketleft, vk::BracketLeft}, {XK_p, vk::P},
      {XK_d, vk::D}, {XK_f, vk::F}, {XK_t, vk::T}, {XK_s, vk::S}, {XK_m, vk::M},
      {XK_Escape, vk::Escape}, {XK_r, vk::R}, {XK_n, vk::N}, {XK_comma, vk::Comma},
      {XK_period, vk::Period}, {XK_minus, vk::Minus}, {XK_1, 0x31}, {XK_6, 0x36}, {XK_7, 0x37},
      {XK_F5, vk::F5}, {XK_F6, vk::F6}, {XK_F7, vk::F7}, {XK_F8, vk::F8},
      // Modifiers by side; AltGr is the right Alt.
      {XK_Shift_L, vk::LeftShift}, {XK_Shift_R, vk::RightShift}, {XK_Control_L, 0xA2}, {XK_Control_R, 0xA3}, {XK_Alt_L, 0xA4},
      {XK_Alt_R, 0xA5}, {XK_ISO_Level3_Shift, 0xA5},
      // Editing and navigation, keypad twins included.
      {XK_Return, 0x0D}, {XK_KP_Enter, 0x0D}, {XK_space, 0x20}, {XK_Tab, 0x09},
      {XK_ISO_Left_Tab, 0x09}, {XK_BackSpace, 0x08}, {XK_Left, 0x25}, {XK_Up, 0x26},
      {XK_Right, 0x27}, {XK_Down, 0x28}, {XK_Home, 0x24}, {XK_KP_Home, 0x24}, {XK_Delete, 0x2E},
      {XK_Prior, 0x21}, {XK_Next, 0x22},
      // OEM keys by their US glyphs; keypad digits and operators.
      {XK_semicolon, 0xBA}, {XK_equal, 0xBB}, {XK_slash, 0xBF}, {XK_grave, 0xC0},
      {XK_backslash, 0xDC}, {XK_apostrophe, 0xDE}, {XK_KP_0, 0x60}, {XK_KP_9, 0x69},
      {XK_KP_Multiply, 0x6A}, {XK_KP_Divide, 0x6F},
      // Keysyms of no standard key give nothing; a shifted glyph is never a key's first level.
      {0, 0}, {XK_VoidSymbol, 0}, {XK_udiaeresis, 0}, {XK_Cyrillic_a, 0}, {XK_exclam, 0},
      {0xFFFFFFFFu, 0},
  };
  for (const Binding& binding : bindings)
    EXPECT_EQ(VirtualKeyOfKeysym(binding.keysym), binding.code) << "keysym " << binding.keysym;
}

TEST(KeyCodes, OnlyTheAltKeysAreAlt) {
  for (uint32_t keysym : {XK_Alt_L, XK_Alt_R, XK_Meta_L}) EXPECT_TRUE(IsAltKeysym(keysym));
  for (uint32_t keysym : {XK_ISO_Level3_Shift, XK_Control_L, XK_a}) EXPECT_FALSE(IsAltKeysym(keysym));
}

}  // namespace
