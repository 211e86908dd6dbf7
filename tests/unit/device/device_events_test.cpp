#include "device/device_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvan {
namespace {

// Records runs, releases, tilt pulses and animations as one sequence of words.
class Recorder : public FunctionRunner, public DeviceEventEffects {
 public:
  void RunFunction(int32_t id) override { log.push_back("run " + std::to_string(id)); }
  void ReleaseFunction(int32_t id) override { log.push_back("release " + std::to_string(id)); }
  void PulseTiltEvent() override { log.push_back("pulse"); }
  void StartGestureAnimation(int index) override { log.push_back("animate " + std::to_string(index)); }
  std::vector<std::string> log;
};

using Report = std::vector<uint8_t>;
using Log = std::vector<std::string>;

class DeviceEventsTest : public ::testing::Test {
 protected:
  DeviceEventsTest() {
    assignments.bt0 = 10;
    assignments.bt1 = 11;
    assignments.bt2 = 12;
    assignments.bt3 = 13;
    assignments.bt4 = 14;
    assignments.gestureUp = 21;
    assignments.gestureDown = 0;
    assignments.gestureLeft = 23;
    assignments.gestureRight = 24;
    assignments.extraKey = 40;  // beyond the catalogue: the dispatcher ignores it
  }
  Log Feed(const std::vector<Report>& reports) {
    for (const Report& r : reports) DecodeVendorReport(r.data(), r.size(), events);
    return recorder.log;
  }

  Assignments assignments;
  std::atomic<int32_t> tilt{0};
  Recorder recorder;
  DeviceEvents events{assignments, tilt, recorder, recorder};
};

// Button reports of the "00 12 12 b t" layout.
Report Buttons(uint8_t b) { return {0x00, 0x12, 0x12, b, 0x00, 0x00, 0x00, 0x00}; }

TEST_F(DeviceEventsTest, ReportSequencesToRunsAndReleases) {
  struct Row { const char* name; std::vector<Report> reports; Log log; };
  const Row rows[] = {
      {"press then release", {Buttons(0x01), Buttons(0x00)}, {"run 10", "release 10"}},
      {"both side buttons: forward first", {Buttons(0x18)}, {"run 13", "run 14"}},
      {"both side buttons up", {Buttons(0x18), Buttons(0x00)}, {"run 13", "run 14", "release 13", "release 14"}},
      {"a repeated byte runs nothing", {Buttons(0x02), Buttons(0x02)}, {"run 11"}},
      {"bits without a slot", {Buttons(0xE0), Buttons(0x00)}, {}},
      {"all five in order", {Buttons(0x1F)}, {"run 10", "run 11", "run 12", "run 13", "run 14"}},
      {"one down, one up at once", {Buttons(0x01), Buttons(0x04)}, {"run 10", "release 10", "run 12"}},
      {"extra key", {{0x04, 0x64, 0x01, 0x00, 0x00}}, {"run 40", "release 40"}},
      {"extra key muted by d4 = 1", {{0x04, 0x64, 0x01, 0x00, 0x01}}, {}},
      {"gesture up animates", {{0x04, 0x64, 0x01, 0x01, 0x00}}, {"animate 0", "run 21", "release 21"}},
      {"gesture without a function", {{0x04, 0x64, 0x01, 0x02, 0x00}}, {"run 0", "release 0"}},
      {"gesture right", {{0x04, 0x64, 0x01, 0x04, 0x00}}, {"animate 3", "run 24", "release 24"}},
      {"no gesture 5", {{0x04, 0x64, 0x01, 0x05, 0x00}}, {}},
  };
  for (const Row& row : rows) {
    Recorder fresh;
    DeviceEvents sut(assignments, tilt, fresh, fresh);
    for (const Report& r : row.reports) DecodeVendorReport(r.data(), r.size(), sut);
    EXPECT_EQ(fresh.log, row.log) << row.name;
  }
}

TEST_F(DeviceEventsTest, TiltAddsToTheAccumulatorThenPulses) {
  tilt = 3;
  // The button layout and the tilt tail both read d4 of this report: -2 twice.
  Feed({{0x00, 0x12, 0x12, 0x03, 0xFE, 0x00, 0x00, 0x00}});
  EXPECT_EQ(tilt.load(), -1);
  EXPECT_EQ(recorder.log, (Log{"run 10", "run 11", "pulse", "pulse"}));
}

TEST_F(DeviceEventsTest, GestureSlotOutsideTheCatalogueStillGoesToTheDispatcher) {
  assignments.gestureLeft = 999;
  Feed({{0x04, 0x64, 0x01, 0x03, 0x00}});
  EXPECT_EQ(recorder.log, (Log{"animate 2", "run 999", "release 999"}));
}

TEST(RawHidReports, EveryBatchedReportIsDecodedInOrderAndNoneReadsPastWhatWasRead) {
  // Two 8-byte reports in one message: a press and its release.
  const uint8_t batch[] = {0x00, 0x12, 0x12, 0x01, 0, 0, 0, 0,
                           0x00, 0x12, 0x12, 0x00, 0, 0, 0, 0};
  struct Row { const char* name; size_t size, count, available; Log log; };
  const Row rows[] = {
      {"both reports",                   8, 2, 16, {"run 10", "release 10"}},
      {"the count claims more than read", 8, 3, 16, {"run 10", "release 10"}},
      {"the second is cut short",        8, 2, 15, {"run 10"}},
      {"report size 0",                  0, 2, 16, {}},
      {"nothing read",                   8, 1, 0,  {}},
      {"one report of the whole buffer", 16, 1, 16, {"run 10"}},  // only its first bytes count
  };
  for (const Row& row : rows) {
    Assignments assignments;
    assignments.bt0 = 10;
    std::atomic<int32_t> tilt{0};
    Recorder recorder;
    DeviceEvents events(assignments, tilt, recorder, recorder);
    DecodeRawHidReports(batch, row.size, row.count, row.available, events);
    EXPECT_EQ(recorder.log, row.log) << row.name;
  }
}

}  // namespace
}  // namespace corvan
