#include "mainwindow/hook_watch.h"

#include <gtest/gtest.h>

#include <string>

namespace corvan {
namespace {

constexpr uint32_t kLost = HookWatch::kUnseenBeforeLost;

// Feeds raw events; before each, the hook's count grows by the given amount. Returns the indexes
// of the raw events after which the hook was installed again.
std::string Reinstalls(HookWatch& watch, uint32_t& hookCount, const std::vector<uint32_t>& hookGrowth) {
  std::string at;
  for (size_t i = 0; i < hookGrowth.size(); ++i) {
    hookCount += hookGrowth[i];
    if (watch.OnRawMouse(hookCount)) at += std::to_string(i) + " ";
  }
  return at;
}

TEST(HookWatch, ALiveHookIsNeverReinstalled) {
  HookWatch watch;
  uint32_t count = 0;
  // The hook sees each event, sometimes a few more (moves raw input merged), sometimes it lags.
  std::vector<uint32_t> growth(1000, 1);
  for (size_t i = 0; i < growth.size(); i += 7) growth[i] = 3;
  for (size_t i = 5; i < growth.size(); i += 50) {
    for (size_t j = i; j < i + kLost - 1 && j < growth.size(); ++j) growth[j] = 0;
  }
  EXPECT_EQ(Reinstalls(watch, count, growth), "");
}

TEST(HookWatch, ALostHookIsReinstalledAfterAFewUnseenEventsAndWatchedAgain) {
  HookWatch watch;
  uint32_t count = 0;
  std::vector<uint32_t> growth = {1, 1, 1};
  growth.resize(3 + kLost, 0);                      // the hook is gone
  growth.push_back(1);                              // installed again: it sees the next event
  growth.resize(growth.size() + 2 * kLost, 0);      // and is lost again later
  const uint32_t firstLoss = 3 + kLost - 1;
  const uint32_t secondLoss = firstLoss + 1 + 2 * kLost;
  EXPECT_EQ(Reinstalls(watch, count, growth),
            std::to_string(firstLoss) + " " + std::to_string(secondLoss - kLost) + " " + std::to_string(secondLoss) + " ");
}

TEST(HookWatch, ACountThatWrapsIsStillProgress) {
  HookWatch watch;
  uint32_t count = 0xFFFFFFFEu;
  watch.Reset(count);
  EXPECT_EQ(Reinstalls(watch, count, std::vector<uint32_t>(20, 1)), "");
}

}  // namespace
}  // namespace corvan
