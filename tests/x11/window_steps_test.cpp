#include "platform/x11/window_steps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

using x11::ForcedFailures;
using x11::WindowStep;

TEST(WindowSteps, StepsShowTheMessagesOfTheirWin32CounterpartsAndHaveOwnNames) {
  // The messages of the steps the end-to-end failure runs never force.
  const std::pair<WindowStep, const char*> messages[] = {
      {WindowStep::RegisterClass, "Failed To Register The Window Class."},
      {WindowStep::ChoosePixelFormat, "Can't Find A Suitable PixelFormat."},
      {WindowStep::SetPixelFormat, "Can't Set The PixelFormat."},
      {WindowStep::MakeCurrent, "Can't Activate The GL Rendering Context."},
  };
  for (const auto& [step, message] : messages) EXPECT_STREQ(x11::MessageOfStep(step), message);
  std::set<std::string> names;
  for (const auto& info : x11::kWindowSteps) names.insert(info.name);
  EXPECT_EQ(names.size(), std::size(x11::kWindowSteps));
}

TEST(ForcedFailures, NamesFailTheirStepInEveryCycleOrInTheOneGiven) {
  for (const char* text : {static_cast<const char*>(nullptr), "", ",", "@2"}) {
    const ForcedFailures forced = ForcedFailures::Parse(text);
    for (const auto& info : x11::kWindowSteps) EXPECT_FALSE(forced.Fails(info.step, 1));
  }
  const ForcedFailures forced =
      ForcedFailures::Parse("make-current@3,create-context,unregister-class@12");
  EXPECT_TRUE(forced.Fails(WindowStep::CreateContext, 1) && forced.Fails(WindowStep::CreateContext, 7));
  EXPECT_TRUE(forced.Fails(WindowStep::MakeCurrent, 3));
  EXPECT_FALSE(forced.Fails(WindowStep::MakeCurrent, 2) || forced.Fails(WindowStep::MakeCurrent, 4));
  EXPECT_TRUE(forced.Fails(WindowStep::UnregisterClass, 12));  // two digits
  EXPECT_FALSE(forced.Fails(WindowStep::DestroyWindow, 1));
}

TEST(ForcedFailures, UnknownNamesAndMalformedCyclesAreIgnored) {
  const ForcedFailures forced =
      ForcedFailures::Parse("no-such-step,create-window@,create-window@0,create-window@x2,"
                            "create-window@1234567,Create-Window,set-pixel-format@2");
  for (int32_t cycle = 0; cycle < 10; ++cycle) EXPECT_FALSE(forced.Fails(WindowStep::CreateWindow, cycle));
  EXPECT_TRUE(forced.Fails(WindowStep::SetPixelFormat, 2));
}

}  // namespace
