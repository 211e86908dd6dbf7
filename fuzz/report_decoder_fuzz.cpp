// Feeds arbitrary reports to the decoder. libFuzzer hands over an allocation of exactly
// `size` bytes, so the address sanitizer reports any read past the report.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "device/report_decoder.h"

namespace {

// Checks what the decoder may produce from one report.
class CheckingSink : public corvan::ReportSink {
 public:
  void OnButtons(uint8_t) override { ++buttons; }
  void OnTilt(int32_t steps) override {
    if (steps < -128 || steps > 127) std::abort();
    ++tilts;
  }
  void OnExtraKey() override { ++keys; }
  void OnGesture(int direction) override {
    if (direction < 1 || direction > 4) std::abort();
    ++keys;
  }

  void CheckTotals() const {
    // One button byte at most, tilt from the button layout and the tail, and an event
    // report carries nothing else.
    if (buttons > 1 || tilts > 2 || keys > 1) std::abort();
    if (keys == 1 && (buttons != 0 || tilts != 0)) std::abort();
  }

 private:
  int buttons = 0;
  int tilts = 0;
  int keys = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckingSink sink;
  corvan::DecodeVendorReport(data, size, sink);
  sink.CheckTotals();
  return 0;
}
