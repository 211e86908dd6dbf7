#include "platform/monitor_win32.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// The test display has one monitor, the primary: every point, on it or far off it, is nearest to it.
TEST(Monitor, EveryPointFindsTheMonitorNearestToIt) {
  const RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  struct Row {
    const char* where;
    POINT point;
  };
  const Row rows[] = {
      {"top-left corner",     {0, 0}},
      {"bottom-right pixel",  {primary.right - 1, primary.bottom - 1}},
      {"far above and left",  {-50000, -50000}},
      {"far to the right",    {primary.right + 50000, 5}},
  };
  for (const Row& r : rows) {
    const std::optional<MonitorArea> area = MonitorAt(r.point);
    ASSERT_TRUE(area.has_value()) << r.where;
    EXPECT_EQ(area->monitor, MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTOPRIMARY)) << r.where;
    EXPECT_TRUE(EqualRect(&area->whole, &primary)) << r.where;
    EXPECT_TRUE(Inside(area->work, area->whole)) << r.where;
  }
}

TEST(Monitor, UnderThePointerIsWhereThePointerIs) {
  POINT cursor{};
  ASSERT_TRUE(GetCursorPos(&cursor));
  const std::optional<MonitorArea> area = MonitorUnderPointer();
  ASSERT_TRUE(area.has_value());
  EXPECT_TRUE(PtInRect(&area->whole, cursor));
}

TEST(Monitor, NoAreaForNoMonitor) { EXPECT_FALSE(AreaOf(nullptr).has_value()); }

}  // namespace
}  // namespace corvan
