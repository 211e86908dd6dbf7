#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "config/assignments.h"
#include "core/function_runner.h"
#include "device/report_decoder.h"

namespace corvan {

// What the receiver's reports set in motion besides running functions.
class DeviceEventEffects {
 public:
  virtual ~DeviceEventEffects() = default;
  // Releases the tilt worker waiting now; steps stay in the accumulator for the next pulse.
  virtual void PulseTiltEvent() = 0;
  // The cursor overlay shows the gesture's direction (0 up, 1 down, 2 left, 3 right).
  virtual void StartGestureAnimation(int directionIndex) = 0;
};

// Turns decoded reports into function runs: button edges in a fixed order, tilt into the
// accumulator, the extra key and gestures into their slots' functions.
class DeviceEvents : public ReportSink {
 public:
  DeviceEvents(const Assignments& assignments, std::atomic<int32_t>& tiltAccumulator, FunctionRunner& runner,
               DeviceEventEffects& effects);

  void OnButtons(uint8_t buttons) override;
  void OnTilt(int32_t steps) override;
  void OnExtraKey() override;
  void OnGesture(int direction) override;

  // Presses run a slot's function, releases release it, in the order 0x01, 0x02, 0x04, 0x10, 0x08.
  void OnButtonEdges(uint8_t changed);
  uint8_t lastButtons() const { return lastButtons_; }

 private:
  const Assignments& assignments_;
  std::atomic<int32_t>& tiltAccumulator_;
  FunctionRunner& runner_;
  DeviceEventEffects& effects_;
  uint8_t lastButtons_ = 0;
};

// Decodes every report of one raw-input message, in order. The platform may batch several
// reports of `reportSize` bytes in one message; `available` is what was really read, and no
// report reaching past it is decoded.
void DecodeRawHidReports(const uint8_t* reports, size_t reportSize, size_t count, size_t available,
                         ReportSink& sink);

// Raw input of this size or more is dropped unread.
inline constexpr uint32_t kRawInputSizeLimit = 1000;

}  // namespace corvan
