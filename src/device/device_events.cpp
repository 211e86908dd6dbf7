#include "device/device_events.h"

namespace corvan {
namespace {

struct ButtonSlot {
  uint8_t bit;
  std::atomic<int32_t> Assignments::*slot;
};

// The side buttons come last, forward (0x10) before back (0x08).
constexpr ButtonSlot kButtonOrder[] = {
    {0x01, &Assignments::bt0}, {0x02, &Assignments::bt1}, {0x04, &Assignments::bt2},
    {0x10, &Assignments::bt3}, {0x08, &Assignments::bt4},
};

constexpr std::atomic<int32_t> Assignments::*kGestureSlots[] = {
    &Assignments::gestureUp, &Assignments::gestureDown, &Assignments::gestureLeft, &Assignments::gestureRight};

}  // namespace

DeviceEvents::DeviceEvents(const Assignments& assignments, std::atomic<int32_t>& tiltAccumulator,
                           FunctionRunner& runner, DeviceEventEffects& effects)
    : assignments_(assignments), tiltAccumulator_(tiltAccumulator), runner_(runner), effects_(effects) {}

void DeviceEvents::OnButtons(uint8_t buttons) {
  const uint8_t changed = buttons ^ lastButtons_;
  lastButtons_ = buttons;
  OnButtonEdges(changed);
}

void DeviceEvents::OnButtonEdges(uint8_t changed) {
  for (const ButtonSlot& button : kButtonOrder) {
    if (!(changed & button.bit)) continue;
    const int32_t function = assignments_.*button.slot;
    if (lastButtons_ & button.bit) {
      runner_.RunFunction(function);
    } else {
      runner_.ReleaseFunction(function);
    }
  }
}

void DeviceEvents::OnTilt(int32_t steps) {
  tiltAccumulator_.fetch_add(steps);
  effects_.PulseTiltEvent();
}

void DeviceEvents::OnExtraKey() {
  const int32_t function = assignments_.extraKey;
  runner_.RunFunction(function);
  runner_.ReleaseFunction(function);
}

void DeviceEvents::OnGesture(int direction) {
  if (direction < 1 || direction > 4) return;
  const int index = direction - 1;
  const int32_t function = assignments_.*kGestureSlots[index];
  if (function > 0) effects_.StartGestureAnimation(index);
  runner_.RunFunction(function);
  runner_.ReleaseFunction(function);
}

void DecodeRawHidReports(const uint8_t* reports, size_t reportSize, size_t count, size_t available,
                         ReportSink& sink) {
  if (!reports || reportSize == 0) return;
  for (size_t i = 0; i < count; ++i) {
    const size_t offset = i * reportSize;
    if (offset > available || reportSize > available - offset) return;
    DecodeVendorReport(reports + offset, reportSize, sink);
  }
}

}  // namespace corvan
