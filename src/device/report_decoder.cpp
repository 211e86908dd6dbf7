#include "device/report_decoder.h"

namespace corvan {
namespace {

constexpr uint8_t kEventReportId = 0x04;
constexpr uint8_t kEventClass = 0x64;
constexpr uint8_t kEventSubclass = 0x01;
constexpr uint8_t kExtraKeyCode = 0x00;
constexpr uint8_t kExtraKeyMuted = 0x01;  // in d4: the extra key does not fire
constexpr uint8_t kLastGesture = 0x04;

constexpr uint8_t kButtonReportId = 0x07;
constexpr size_t kCheckedButtonReportSize = 8;
constexpr size_t kLongButtonReportSize = 35;
constexpr uint8_t kTag = 0x12;
constexpr uint8_t kTiltTag = 0x20;
constexpr uint8_t kTiltTagAlt = 0x30;
constexpr uint8_t kTiltCode = 0x03;
constexpr uint8_t kButtonCode = 0x04;

int32_t Steps(uint8_t value) { return static_cast<int8_t>(value); }

void AddTiltIfAny(uint8_t value, ReportSink& sink) {
  if (value != 0) sink.OnTilt(Steps(value));
}

// Button layouts: the first that matches gives the button byte (and maybe tilt).
void DecodeButtons(const uint8_t* d, size_t n, ReportSink& sink) {
  if (n == kCheckedButtonReportSize && d[0] == kButtonReportId) {
    // d7 guards d1..d6: the report is dropped when the XOR of d2..d6 equals (d7 == d1),
    // so one whose d7 is the XOR of d1..d6 always passes.
    const uint8_t check = d[2] ^ d[3] ^ d[4] ^ d[5] ^ d[6];
    if (check != static_cast<uint8_t>(d[7] == d[1])) {
      sink.OnButtons(d[1]);
      AddTiltIfAny(d[4], sink);
    }
    return;
  }
  if (n == kLongButtonReportSize && d[0] == kButtonReportId) {
    sink.OnButtons(d[1]);
    return;
  }
  if (n >= 5 && d[0] == 0x00 && d[1] == kTag && d[2] == kTag) {
    sink.OnButtons(d[3]);
    AddTiltIfAny(d[4], sink);
    return;
  }
  if (n >= 5 && d[0] == 0x01 && d[1] == kTag && d[3] == kButtonCode) {
    sink.OnButtons(d[4]);
    return;
  }
  if (n >= 4 && d[0] == 0x01 && (d[1] == 0x00 || d[1] == kTiltTag)) {
    sink.OnButtons(d[3]);
  }
}

// The tilt tail, after the button layouts, on every report.
void DecodeTiltTail(const uint8_t* d, size_t n, ReportSink& sink) {
  if (n == 8 || n == 16) {
    if (d[1] == kTag && d[3] == kTiltCode) {
      AddTiltIfAny(d[4], sink);
    } else if (d[1] == kTiltTag) {
      AddTiltIfAny(d[2], sink);
    }
    return;
  }
  // In the other sizes even a zero is handed on.
  if (n >= 3 && d[0] == 0x01 && (d[1] == kTiltTag || d[1] == kTiltTagAlt)) {
    sink.OnTilt(Steps(d[2]));
  }
}

}  // namespace

void DecodeVendorReport(const uint8_t* d, size_t n, ReportSink& sink) {
  if (n < 3) return;  // no layout is shorter

  if (d[0] == kEventReportId && d[1] == kEventClass && d[2] == kEventSubclass) {
    // No button layout or tilt tail starts like an event report, so it ends here.
    if (n < 4) return;
    const uint8_t code = d[3];
    if (code == kExtraKeyCode) {
      // The key needs d4 to be known: a 4-byte report cannot tell.
      if (n >= 5 && d[4] != kExtraKeyMuted) sink.OnExtraKey();
    } else if (code <= kLastGesture) {
      sink.OnGesture(code);
    }
    return;
  }

  DecodeButtons(d, n, sink);
  DecodeTiltTail(d, n, sink);
}

}  // namespace corvan
