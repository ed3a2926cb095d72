// The plain text of the MenuBar: title, folder path (or the viewer's picture name and size),
// two credits lines and the 12-hour clock, all drawn with DrawText in yellow.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr char kMenuTitle[] = "WIN32VESTRAMENU3MOXA3R012H";
inline constexpr char kCreditsFirstLine[] =
    "VESTRAMENU, A MEDIA FOLDER MENU: PLAYS FILMS AND SONGS AND SHOWS PICTURES.";
inline constexpr char kCreditsSecondLine[] = "RIGHT CLICK SELECTS, AGAIN OPENS. ESC QUITS";
static_assert(sizeof kCreditsFirstLine - 1 == 74 && sizeof kCreditsSecondLine - 1 == 43);

// The title, on the MenuBar's base line; drawn before the labels.
void DrawTitle();
// Everything after the labels: path or picture lines, credits lines and clock.
void DrawStatusText();

// Canvas rows by which the bottom text is lifted when the moved window reaches below the screen.
int32_t BottomCorrection();

inline constexpr size_t kClockTextSize = 40;  // room for three out-of-range fields
// "HH:MM:SS" on the 24-hour clock as the 12-hour "%02d:%02d:%02d", without an AM or PM mark.
void FormatTwelveHourClock(const char* time24, char (&out)[kClockTextSize]);
