#pragma once

#include <cstddef>
#include <cstdint>

namespace corvan {

// Receives what one vendor input report means. Tilt may arrive twice from one report.
class ReportSink {
 public:
  virtual void OnButtons(uint8_t buttons) = 0;  // the new button byte, bits as in the slots
  virtual void OnTilt(int32_t steps) = 0;       // signed; may be 0
  virtual void OnExtraKey() = 0;
  virtual void OnGesture(int direction) = 0;    // 1 up, 2 down, 3 left, 4 right

 protected:
  ~ReportSink() = default;
};

// Decodes one vendor input report of `n` bytes (byte 0 is the report id). Never reads
// past `n`: a report too short for a layout does not match that layout.
void DecodeVendorReport(const uint8_t* bytes, size_t n, ReportSink& sink);

}  // namespace corvan
