// Family 1: output reports, with an input report as the receiver's answer.

#include "device/families/family_common.h"

namespace corvan {
namespace {

constexpr uint16_t kVendorId = 0x0C45;
constexpr uint16_t kUsagePage = 0xFF31;
constexpr uint16_t kOutputLengthAbove = 30;
constexpr uint8_t kReportId = 0x07;
constexpr uint32_t kAnswerWaitMs = 4;

bool Identify(HidTransport&, const HidInterfaceFacts& facts) {
  return facts.vendorId == kVendorId && facts.usagePage == kUsagePage &&
         facts.outputLength > kOutputLengthAbove;
}

void Apply(HidTransport& transport, const HidInterfaceFacts& facts,
           const ReceiverSettings& settings, Sleeper& sleeper) {
  SendOutput(transport, facts, {kReportId});
  sleeper.SleepMs(kAnswerWaitMs);

  auto answer = ReportBuffer(facts.inputLength, {kReportId});
  transport.GetInputReport(answer.data(), facts.inputLength);
  // Any other answer ends the sequence; a failed request leaves the zeros of the buffer.
  if (answer[1] != 0x12 || answer[2] != 0x42 || answer[3] != 0x54) return;

  SendOutput(transport, facts, {kReportId, 0x01, 0x0C, 0x12, 0x03, 0x05, settings.flagByte});
}

}  // namespace

extern const ReceiverFamily kReceiverFamily1{1, Identify, Apply, nullptr};

}  // namespace corvan
