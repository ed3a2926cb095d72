// The twelve-hour clock text from whatever the platform's local time gives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "shell/status_line.h"

namespace {

TEST(TwelveHourClock, ConvertsAndToleratesBadText) {
  // Missing fields count as 0; out-of-range hours lose 12 once.
  const std::pair<const char*, const char*> cases[] = {
      {"00:05:09", "12:05:09"}, {"12:30:00", "12:30:00"}, {"13:00:00", "01:00:00"},
      {"11:00:01", "11:00:01"}, {"14-07,3", "02:07:03"},  {" 9\t8\n7 ", "09:08:07"},
      {"ab:cd", "12:00:00"},    {"25:61:99", "13:61:99"}, {"1:2:3:4:5", "01:02:03"},
      {"000000000019:00:00", "01:00:00"}};  // a field keeps 11 characters
  char out[kClockTextSize];
  for (const auto& [time24, expected] : cases) {
    FormatTwelveHourClock(time24, out);
    EXPECT_STREQ(out, expected) << time24;
  }
  FormatTwelveHourClock(std::string(200, '7').c_str(), out);
  EXPECT_LT(std::strlen(out), kClockTextSize) << "a huge field must not overflow";
}

}  // namespace
