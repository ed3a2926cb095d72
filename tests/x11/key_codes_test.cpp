#include "platform/x11/key_codes.h"

#include <gtest/gtest.h>

#include "shell/virtual_keys.h"

namespace {

using x11::IsAltKeysym;
using x11::VirtualKeyOfKeysym;

TEST(KeyCodes, LettersOfEitherCaseGiveTheirCapitalCode) {
  EXPECT_EQ(VirtualKeyOfKeysym(XK_a), 0x41);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_z), 0x5A);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_M), 0x4D);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_t), vk::T);
}

TEST(KeyCodes, DigitsAndFunctionKeys) {
  EXPECT_EQ(VirtualKeyOfKeysym(XK_0), vk::Digit0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_9), 0x39);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_F1), 0x70);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_F5), vk::F5);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_F6), vk::F6);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_F7), vk::F7);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_F8), vk::F8);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_F12), 0x7B);
}

TEST(KeyCodes, EveryKeyTheMenuBindsHasItsCode) {
  struct Binding {
    uint32_t keysym;
    int32_t code;
  };
  const Binding bindings[] = {
      {XK_bracketright, vk::BracketRight}, {XK_bracketleft, vk::BracketLeft}, {XK_p, vk::P},
      {XK_d, vk::D}, {XK_f, vk::F}, {XK_t, vk::T}, {XK_s, vk::S}, {XK_m, vk::M},
      {XK_Escape, vk::Escape}, {XK_r, vk::R}, {XK_n, vk::N}, {XK_comma, vk::Comma},
      {XK_period, vk::Period}, {XK_Shift_L, vk::LeftShift}, {XK_Shift_R, vk::RightShift},
      {XK_minus, vk::Minus}, {XK_1, 0x31}, {XK_6, 0x36}, {XK_7, 0x37}, {XK_0, vk::Digit0},
  };
  for (const Binding& binding : bindings)
    EXPECT_EQ(VirtualKeyOfKeysym(binding.keysym), binding.code) << "keysym " << binding.keysym;
}

TEST(KeyCodes, ModifiersBySide) {
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Shift_L), 0xA0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Shift_R), 0xA1);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Control_L), 0xA2);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Control_R), 0xA3);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Alt_L), 0xA4);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Alt_R), 0xA5);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_ISO_Level3_Shift), 0xA5);
}

TEST(KeyCodes, EditingAndNavigationKeys) {
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Return), 0x0D);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_KP_Enter), 0x0D);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_space), 0x20);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Tab), 0x09);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_ISO_Left_Tab), 0x09);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_BackSpace), 0x08);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Left), 0x25);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Up), 0x26);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Right), 0x27);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Down), 0x28);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Home), 0x24);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_KP_Home), 0x24);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Delete), 0x2E);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Prior), 0x21);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Next), 0x22);
}

TEST(KeyCodes, OemKeysByTheirUsGlyphs) {
  EXPECT_EQ(VirtualKeyOfKeysym(XK_semicolon), 0xBA);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_equal), 0xBB);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_slash), 0xBF);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_grave), 0xC0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_backslash), 0xDC);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_apostrophe), 0xDE);
}

TEST(KeyCodes, KeypadDigitsAndOperators) {
  EXPECT_EQ(VirtualKeyOfKeysym(XK_KP_0), 0x60);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_KP_9), 0x69);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_KP_Multiply), 0x6A);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_KP_Divide), 0x6F);
}

TEST(KeyCodes, KeysymsOfNoStandardKeyGiveNothing) {
  EXPECT_EQ(VirtualKeyOfKeysym(0), 0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_VoidSymbol), 0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_udiaeresis), 0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_Cyrillic_a), 0);
  EXPECT_EQ(VirtualKeyOfKeysym(XK_exclam), 0);  // a shifted glyph, never a key's first level
  EXPECT_EQ(VirtualKeyOfKeysym(0xFFFFFFFFu), 0);
}

TEST(KeyCodes, OnlyTheAltKeysAreAlt) {
  EXPECT_TRUE(IsAltKeysym(XK_Alt_L));
  EXPECT_TRUE(IsAltKeysym(XK_Alt_R));
  EXPECT_TRUE(IsAltKeysym(XK_Meta_L));
  EXPECT_FALSE(IsAltKeysym(XK_ISO_Level3_Shift));
  EXPECT_FALSE(IsAltKeysym(XK_Control_L));
  EXPECT_FALSE(IsAltKeysym(XK_a));
}

}  // namespace
