// Win32 virtual-key codes of the keys the menu binds; the KeyTable is indexed by them everywhere.
#pragma once

#include <cstdint>

namespace vk {
inline constexpr int32_t Escape = 0x1B;
inline constexpr int32_t Digit0 = 0x30;  // 0x31..0x39 are 1 to 9
inline constexpr int32_t D = 0x44;
inline constexpr int32_t F = 0x46;
inline constexpr int32_t M = 0x4D;
inline constexpr int32_t N = 0x4E;
inline constexpr int32_t P = 0x50;
inline constexpr int32_t R = 0x52;
inline constexpr int32_t S = 0x53;
inline constexpr int32_t T = 0x54;
inline constexpr int32_t F5 = 0x74;
inline constexpr int32_t F6 = 0x75;
inline constexpr int32_t F7 = 0x76;
inline constexpr int32_t F8 = 0x77;
inline constexpr int32_t LeftShift = 0xA0;
inline constexpr int32_t RightShift = 0xA1;
inline constexpr int32_t Comma = 0xBC;
inline constexpr int32_t Minus = 0xBD;
inline constexpr int32_t Period = 0xBE;
inline constexpr int32_t BracketLeft = 0xDB;
inline constexpr int32_t BracketRight = 0xDD;
}  // namespace vk
