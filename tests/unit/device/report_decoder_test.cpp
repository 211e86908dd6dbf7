#include "device/report_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace corvan {
namespace {

// Writes the events as text: "buttons 01", "tilt +5", "extra", "gesture 3".
class RecordingSink : public ReportSink {
 public:
  void OnButtons(uint8_t buttons) override {
    char text[16];
    std::snprintf(text, sizeof text, "buttons %02X", buttons);
    Add(text);
  }
  void OnTilt(int32_t steps) override { Add((steps < 0 ? "tilt " : "tilt +") + std::to_string(steps)); }
  void OnExtraKey() override { Add("extra"); }
  void OnGesture(int direction) override { Add("gesture " + std::to_string(direction)); }

  std::string events;

 private:
  void Add(const std::string& event) { events += (events.empty() ? "" : ", ") + event; }
};

std::vector<uint8_t> Hex(const char* text) {
  std::vector<uint8_t> bytes;
  std::istringstream in(text);
  unsigned value = 0;
  while (in >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
  return bytes;
}

struct DecodeCase {
  const char* report;  // the leading bytes; the rest up to n is zero
  size_t n;
  const char* beyond;  // bytes after the report in memory, which must not be read
  const char* events;
};

const DecodeCase kCases[] = {
    // report                          n   beyond           events
    // Event reports.
    {"04 64 01 00 00",                  5,  "",              "extra"},
    {"04 64 01 00 01",                  5,  "",              ""},
    {"04 64 01 00 02",                  5,  "",              "extra"},
    {"04 64 01 00 00",                  64, "",              "extra"},
    {"04 64 01 01",                     5,  "",              "gesture 1"},
    {"04 64 01 02",                     5,  "",              "gesture 2"},
    {"04 64 01 03",                     5,  "",              "gesture 3"},
    {"04 64 01 04",                     5,  "",              "gesture 4"},
    {"04 64 01 05",                     5,  "",              ""},
    {"04 64 01 FF",                     5,  "",              ""},
    {"04 64 02 00 00",                  5,  "",              ""},
    {"04 65 01 00 00",                  5,  "",              ""},
    {"04 64 01 01 00 00 00 00",         8,  "",              "gesture 1"},
    {"04 64 01 01",                     4,  "",              "gesture 1"},
    {"04 64 01 00",                     4,  "00",            ""},
    {"04 64 01",                        3,  "00 00",         ""},
    // Checked 8-byte button reports: dropped when XOR(d2..d6) equals (d7 == d1).
    {"07 01 00 00 05 00 00 04",         8,  "",              "buttons 01, tilt +5"},
    {"07 18 00 00 FB 00 00 E3",         8,  "",              "buttons 18, tilt -5"},
    {"07 01 00 00 00 00 00 01",         8,  "",              "buttons 01"},
    {"07 01 00 00 00 00 00 00",         8,  "",              ""},
    {"07 02 01 00 00 00 00 02",         8,  "",              ""},
    {"07 02 01 00 00 00 00 03",         8,  "",              "buttons 02"},
    {"07 10 00 00 00 00 06 99",         8,  "",              "buttons 10"},
    {"07 12 07 03 04 00 00 00",         8,  "",              "tilt +4"},  // dropped, tilt tail
    {"07 01 00 00 05 00 00",            7,  "04",            ""},
    {"07 01 00 00 05 00 00 04",         9,  "",              ""},
    // Long button report.
    {"07 10",                           35, "",              "buttons 10"},
    {"07 10",                           34, "",              ""},
    // 00 12 12: buttons in d3, tilt in d4.
    {"00 12 12 08 00",                  5,  "",              "buttons 08"},
    {"00 12 12 10 FE",                  5,  "",              "buttons 10, tilt -2"},
    {"00 12 12 00 80",                  6,  "",              "buttons 00, tilt -128"},
    {"00 12 12 00 7F",                  6,  "",              "buttons 00, tilt +127"},
    {"00 12 12 03 05",                  8,  "",              "buttons 03, tilt +5, tilt +5"},
    {"00 12 12 03 05",                  16, "",              "buttons 03, tilt +5, tilt +5"},
    {"00 12 12 03 05",                  9,  "",              "buttons 03, tilt +5"},
    {"00 12 12 03",                     4,  "05",            ""},
    {"00 12 12",                        3,  "03 05",         ""},
    // 01 12 .. 04: buttons in d4.
    {"01 12 00 04 10",                  5,  "",              "buttons 10"},
    {"01 12 00 04 10",                  8,  "",              "buttons 10"},
    {"01 12 00 03 05",                  8,  "",              "tilt +5"},
    {"01 12 00 04",                     4,  "10",            ""},
    // 01 00 and 01 20: buttons in d3; 01 20 and 01 30 carry tilt in d2.
    {"01 00 00 01",                     4,  "",              "buttons 01"},
    {"01 20 FE 00",                     16, "",              "buttons 00, tilt -2"},
    {"01 20 03 02",                     4,  "",              "buttons 02, tilt +3"},
    {"01 20 00 00",                     4,  "",              "buttons 00, tilt +0"},
    {"01 20 00 00",                     8,  "",              "buttons 00"},
    {"01 00 00",                        3,  "01",            ""},
    {"01 20 05",                        3,  "02",            "tilt +5"},
    {"01 30 FB",                        6,  "",              "tilt -5"},
    {"01 30 05",                        8,  "",              ""},
    {"01 40 05",                        6,  "",              ""},
    // Tilt tail of 8- and 16-byte reports.
    {"02 20 03",                        8,  "",              "tilt +3"},
    {"02 20 00",                        8,  "",              ""},
    {"02 12 00 03 07",                  16, "",              "tilt +7"},
    {"02 12 00 03 00",                  16, "",              ""},
    {"02 12 00 04 07",                  16, "",              ""},
    {"02 20 03",                        9,  "",              ""},
    // Too short for anything.
    {"",                                0,  "04 64 01 00 00", ""},
    {"04",                              1,  "64 01 00 00",   ""},
    {"01 20",                           2,  "05",            ""},
};

TEST(DecodeVendorReport, EventsOfEachLayout) {
  for (const DecodeCase& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.report << " (" << c.n << " bytes)");
    std::vector<uint8_t> bytes = Hex(c.report);
    ASSERT_LE(bytes.size(), c.n);
    bytes.resize(c.n, 0);
    const std::vector<uint8_t> beyond = Hex(c.beyond);
    bytes.insert(bytes.end(), beyond.begin(), beyond.end());
    // An allocation of exactly the bytes in memory, so that a sanitizer sees any overrun.
    std::unique_ptr<uint8_t[]> memory(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
    std::copy(bytes.begin(), bytes.end(), memory.get());

    RecordingSink sink;
    DecodeVendorReport(memory.get(), c.n, sink);
    EXPECT_EQ(sink.events, c.events);
  }
}

}  // namespace
}  // namespace corvan
