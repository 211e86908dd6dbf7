#include "mainwindow/mouse_hook_rules.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

constexpr uint32_t kMouseMove = 0x0200;
constexpr uint32_t kLeftDown = 0x0201;

uint32_t WheelData(int16_t delta) { return static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16; }

TEST(MouseHook, SpotlightWheelWhileTheBoardShowsSpotlight) {
  struct Row { int16_t delta; int32_t size; int32_t expected; };
  const Row rows[] = {
      {120,   400, 410},
      {-120,  400, 390},
      {30,    400, 410},  // a high-resolution step counts as a whole notch
      {-30,   400, 390},
      {0,     400, 400},
      {240,   400, 420},
      {360,   795, 800},  // clamped at the top
      {-1200, 150, 100},  // and at the bottom
      {32767, 400, 800},
      {-32768, 400, 100},
      {119,   100, 110},
  };
  for (const Row& r : rows) {
    const auto d = DecideMouseHook({0, kMessageMouseWheel, WheelData(r.delta)}, {true, kBoardModeSpotlight, r.size});
    EXPECT_EQ(d.verdict, HookVerdict::Swallow) << r.delta;
    EXPECT_TRUE(d.resizeSpotlight);
    EXPECT_EQ(d.spotlightSize, r.expected) << r.delta << " from " << r.size;
    EXPECT_FALSE(d.addTilt);
  }
}

TEST(MouseHook, TiltWheelBecomesStepsAndIsSwallowedWhileTheBoardIsHidden) {
  struct Row { int16_t delta; int32_t steps; };
  const Row rows[] = {{120, 1}, {-120, -1}, {30, 1}, {-30, -1}, {0, 0}, {240, 2}, {-600, -5}, {250, 2}, {32767, 273}};
  for (const Row& r : rows) {
    const auto d = DecideMouseHook({0, kMessageMouseHWheel, WheelData(r.delta)}, {false, kBoardModeSpotlight, 400});
    EXPECT_EQ(d.verdict, HookVerdict::Swallow) << r.delta;
    EXPECT_TRUE(d.addTilt);
    EXPECT_EQ(d.tiltSteps, r.steps) << r.delta;
    EXPECT_FALSE(d.resizeSpotlight);
  }
}

TEST(MouseHook, EverythingElsePassesOn) {
  struct Row { const char* name; MouseHookEvent event; MouseHookContext context; HookVerdict verdict; };
  const Row rows[] = {
      {"not an action code",          {1, kMessageMouseHWheel, WheelData(120)}, {false, 0, 400}, HookVerdict::ReturnZero},
      {"tilt while the board shows",  {0, kMessageMouseHWheel, WheelData(120)}, {true, 1, 400},  HookVerdict::PassOn},
      {"tilt while spotlight shows",  {0, kMessageMouseHWheel, WheelData(120)}, {true, 4, 400},  HookVerdict::PassOn},
      {"wheel in highlighter mode",   {0, kMessageMouseWheel, WheelData(120)},  {true, 1, 400},  HookVerdict::PassOn},
      {"wheel with the board hidden", {0, kMessageMouseWheel, WheelData(120)},  {false, 4, 400}, HookVerdict::PassOn},
      {"a move",                      {0, kMouseMove, 0},                       {false, 0, 400}, HookVerdict::PassOn},
      {"a click over the spotlight",  {0, kLeftDown, 0},                        {true, 4, 400},  HookVerdict::PassOn},
  };
  for (const Row& r : rows) {
    const auto d = DecideMouseHook(r.event, r.context);
    EXPECT_EQ(d.verdict, r.verdict) << r.name;
    EXPECT_FALSE(d.addTilt) << r.name;
    EXPECT_FALSE(d.resizeSpotlight) << r.name;
  }
}

}  // namespace
}  // namespace corvan

namespace corvan {
namespace {

TEST(MouseHook, AppliesItsDecisionToTheSharedValuesAndCountsEveryEvent) {
  std::atomic<bool> boardShown{false};
  std::atomic<int32_t> boardMode{kBoardModeSpotlight};
  std::atomic<int32_t> spotlight{400};
  std::atomic<int32_t> tilt{0};
  std::atomic<uint32_t> seen{0};
  MouseHookShared shared{boardShown, boardMode, spotlight, tilt, seen};

  EXPECT_EQ(ApplyMouseHook({0, kMessageMouseHWheel, WheelData(240)}, shared).pulseTilt, true);
  EXPECT_EQ(ApplyMouseHook({0, kMessageMouseHWheel, WheelData(-120)}, shared).verdict, HookVerdict::Swallow);
  EXPECT_EQ(tilt, 1);
  EXPECT_FALSE(ApplyMouseHook({0, kMouseMove, 0}, shared).pulseTilt);
  EXPECT_FALSE(ApplyMouseHook({0, kMessageMouseWheel, WheelData(120)}, shared).presentSpotlight) << "board hidden";
  EXPECT_EQ(ApplyMouseHook({3, kMouseMove, 0}, shared).verdict, HookVerdict::ReturnZero);

  boardShown = true;
  const MouseHookOutcome resized = ApplyMouseHook({0, kMessageMouseWheel, WheelData(-240)}, shared);
  EXPECT_EQ(resized.verdict, HookVerdict::Swallow);
  EXPECT_TRUE(resized.presentSpotlight) << "nothing else tells the board of a swallowed turn";
  EXPECT_FALSE(resized.pulseTilt);
  EXPECT_EQ(spotlight, 380);
  EXPECT_EQ(tilt, 1);
  EXPECT_EQ(seen, 6u);
}

}  // namespace
}  // namespace corvan
