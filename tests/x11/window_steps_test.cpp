#include "platform/x11/window_steps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using x11::ForcedFailures;
using x11::MessageOfStep;
using x11::WindowStep;

TEST(WindowSteps, EachStepShowsTheMessageOfItsWin32Counterpart) {
  EXPECT_STREQ(MessageOfStep(WindowStep::RegisterClass), "Failed To Register The Window Class.");
  EXPECT_STREQ(MessageOfStep(WindowStep::CreateWindow), "Window Creation Error.");
  EXPECT_STREQ(MessageOfStep(WindowStep::DeviceContext), "Can't Create A GL Device Context.");
  EXPECT_STREQ(MessageOfStep(WindowStep::ChoosePixelFormat), "Can't Find A Suitable PixelFormat.");
  EXPECT_STREQ(MessageOfStep(WindowStep::SetPixelFormat), "Can't Set The PixelFormat.");
  EXPECT_STREQ(MessageOfStep(WindowStep::CreateContext), "Can't Create A GL Rendering Context.");
  EXPECT_STREQ(MessageOfStep(WindowStep::MakeCurrent), "Can't Activate The GL Rendering Context.");
  EXPECT_STREQ(MessageOfStep(WindowStep::ReleaseCurrent), "Release Of DC And RC Failed.");
  EXPECT_STREQ(MessageOfStep(WindowStep::DeleteContext), "Release Rendering Context Failed.");
  EXPECT_STREQ(MessageOfStep(WindowStep::ReleaseDeviceContext), "Release Device Context Failed.");
  EXPECT_STREQ(MessageOfStep(WindowStep::DestroyWindow), "Could Not Release hWnd.");
  EXPECT_STREQ(MessageOfStep(WindowStep::UnregisterClass), "Could Not Unregister Class.");
}

TEST(WindowSteps, NamesAreDistinct) {
  std::set<std::string> names;
  for (const auto& info : x11::kWindowSteps) names.insert(info.name);
  EXPECT_EQ(names.size(), std::size(x11::kWindowSteps));
}

TEST(ForcedFailures, NothingIsForcedWithoutTheVariable) {
  for (const char* text : {static_cast<const char*>(nullptr), "", ",", "@2"}) {
    const ForcedFailures forced = ForcedFailures::Parse(text);
    for (const auto& info : x11::kWindowSteps) EXPECT_FALSE(forced.Fails(info.step, 1));
  }
}

TEST(ForcedFailures, ANameAloneFailsThatStepInEveryCycle) {
  const ForcedFailures forced = ForcedFailures::Parse("create-context");
  EXPECT_TRUE(forced.Fails(WindowStep::CreateContext, 1));
  EXPECT_TRUE(forced.Fails(WindowStep::CreateContext, 7));
  EXPECT_FALSE(forced.Fails(WindowStep::MakeCurrent, 1));
}

TEST(ForcedFailures, ACycleNumberLimitsTheFailureToThatCycle) {
  const ForcedFailures forced = ForcedFailures::Parse("create-window@2");
  EXPECT_FALSE(forced.Fails(WindowStep::CreateWindow, 1));
  EXPECT_TRUE(forced.Fails(WindowStep::CreateWindow, 2));
  EXPECT_FALSE(forced.Fails(WindowStep::CreateWindow, 3));
}

TEST(ForcedFailures, SeveralEntriesSeparatedByCommas) {
  const ForcedFailures forced = ForcedFailures::Parse("make-current@3,destroy-window,unregister-class@12");
  EXPECT_TRUE(forced.Fails(WindowStep::MakeCurrent, 3));
  EXPECT_FALSE(forced.Fails(WindowStep::MakeCurrent, 2));
  EXPECT_TRUE(forced.Fails(WindowStep::DestroyWindow, 1));
  EXPECT_TRUE(forced.Fails(WindowStep::UnregisterClass, 12));
  EXPECT_FALSE(forced.Fails(WindowStep::UnregisterClass, 1));
}

TEST(ForcedFailures, UnknownNamesAndMalformedCyclesAreIgnored) {
  const ForcedFailures forced =
      ForcedFailures::Parse("no-such-step,create-window@,create-window@0,create-window@x2,"
                            "create-window@1234567,Create-Window,set-pixel-format@2");
  for (int32_t cycle = 0; cycle < 10; ++cycle) EXPECT_FALSE(forced.Fails(WindowStep::CreateWindow, cycle));
  EXPECT_TRUE(forced.Fails(WindowStep::SetPixelFormat, 2));
}

}  // namespace
