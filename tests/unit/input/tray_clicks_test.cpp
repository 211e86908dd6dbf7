#include "input/tray_clicks.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

struct Expect {
  uint32_t menuDelayMs;
  bool cancelMenu;
  bool showWindow;
};

TEST(TrayClicks, SequencesOfNotifications) {
  struct Step { uint32_t icon; uint32_t message; Expect expect; };
  struct Row { const char* name; std::vector<Step> steps; };
  const Row rows[] = {
      {"single left click opens the menu after 500 ms", {{1219, kMouseLeftUp, {500, false, false}}}},
      {"right click opens the menu after 10 ms", {{1219, kMouseRightUp, {10, false, false}}}},
      {"double click shows the window, and its button-up opens no menu",
       {{1219, kMouseLeftUp, {500, false, false}},
        {1219, kMouseLeftDoubleClick, {0, true, true}},
        {1219, kMouseLeftUp, {0, false, false}},
        {1219, kMouseLeftUp, {500, false, false}}}},
      {"another icon's notifications are ignored",
       {{1220, kMouseLeftUp, {0, false, false}}, {1220, kMouseLeftDoubleClick, {0, false, false}}}},
      {"mouse moves do nothing", {{1219, 0x0200, {0, false, false}}}},
  };
  for (const Row& row : rows) {
    TrayClicks clicks;
    for (const Step& step : row.steps) {
      const TrayReaction r = clicks.OnNotification(step.icon, step.message);
      EXPECT_EQ(r.menuDelayMs, step.expect.menuDelayMs) << row.name;
      EXPECT_EQ(r.cancelMenu, step.expect.cancelMenu) << row.name;
      EXPECT_EQ(r.showWindow, step.expect.showWindow) << row.name;
    }
  }
}

}  // namespace
}  // namespace corvan
