#include <gtest/gtest.h>

#include "overview/snapshot_rules.h"

namespace corvan {
namespace {

TEST(SnapshotRules, StoredAtMostAThousandOnALongerSide) {
  struct Row {
    int32_t width, height;
    SnapshotSize stored;
  };
  const Row rows[] = {
      {2000, 500, {1000, 250}}, {800, 600, {800, 600}}, {500, 2000, {250, 1000}},
      {1000, 1000, {1000, 1000}}, {1001, 1001, {1000, 1000}}, {3000, 1, {1000, 0}},
  };
  for (const Row& r : rows) EXPECT_EQ(StoredSnapshotSize(r.width, r.height), r.stored) << r.width << "x" << r.height;
}

TEST(SnapshotRules, TakenWhenFirstSeenAndAgainOnlyWhenTheSizeChanged) {
  struct Row {
    const char* what;
    SnapshotFacts facts;
    bool capture;
    SnapshotSize layoutWithPicture;
  };
  const Row rows[] = {
      {"first seen",                   {false, {800, 600}, false, {}},          true,  {801, 601}},
      {"same size as captured",        {false, {800, 600}, true, {800, 600}},   false, {801, 601}},
      {"resized",                      {false, {810, 600}, true, {800, 600}},   true,  {811, 601}},
      {"minimised, never captured",    {true, {160, 28}, false, {}},            false, {161, 29}},
      {"minimised after a capture",    {true, {160, 28}, true, {800, 600}},     false, {801, 601}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(NeedsCapture(r.facts), r.capture) << r.what;
    EXPECT_EQ(LayoutSourceSize(r.facts, true), r.layoutWithPicture) << r.what;
  }
  EXPECT_EQ(LayoutSourceSize({true, {160, 28}, true, {800, 600}}, false), (SnapshotSize{161, 29}))
      << "a record without a picture does not lend its size";
}

TEST(SnapshotRules, FullContentRenderingFromVersionSixPointThree) {
  struct Row {
    uint32_t major, minor, flags;
  };
  const Row rows[] = {{5, 1, 0}, {6, 1, 0}, {6, 2, 0}, {6, 3, 2}, {10, 0, 2}};
  for (const Row& r : rows) EXPECT_EQ(SnapshotPrintFlags(r.major, r.minor), r.flags) << r.major << "." << r.minor;
}

}  // namespace
}  // namespace corvan
