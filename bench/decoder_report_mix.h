#pragma once

// The reports both decoder measurements use: every layout, dropped and short reports,
// and a report that matches nothing.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/report_decoder.h"

namespace corvan::bench {

// Keeps every event observable so the decoding cannot be optimised away.
class CountingSink : public ReportSink {
 public:
  void OnButtons(uint8_t buttons) override { total += buttons; }
  void OnTilt(int32_t steps) override { total += static_cast<uint32_t>(steps); }
  void OnExtraKey() override { ++total; }
  void OnGesture(int direction) override { total += static_cast<uint32_t>(direction); }
  uint32_t total = 0;
};

inline std::vector<std::vector<uint8_t>> DecoderReportMix() {
  auto padded = [](std::vector<uint8_t> head, size_t n) {
    head.resize(n, 0);
    return head;
  };
  return {
      padded({0x04, 0x64, 0x01, 0x00, 0x00}, 8),                     // extra key
      padded({0x04, 0x64, 0x01, 0x02, 0x00}, 8),                     // gesture
      padded({0x07, 0x01, 0x00, 0x00, 0x05, 0x00, 0x00, 0x04}, 8),   // checked, taken
      padded({0x07, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 8),   // checked, dropped
      padded({0x07, 0x10}, 35),
      padded({0x00, 0x12, 0x12, 0x03, 0x05}, 8),                     // tilt twice
      padded({0x01, 0x12, 0x00, 0x04, 0x10}, 8),
      padded({0x01, 0x20, 0xFE, 0x00}, 16),
      padded({0x01, 0x30, 0x05}, 6),
      padded({0x02, 0x20, 0x03}, 8),
      padded({0x03, 0x00, 0x00}, 8),                                 // no layout
      padded({0x01, 0x20}, 2),                                       // too short
  };
}

}  // namespace corvan::bench
