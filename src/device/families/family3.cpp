// Family 3: feature reports, preceded by a string request that the receiver takes as a
// command to listen.

#include "device/families/family_common.h"

namespace corvan {
namespace {

constexpr uint16_t kVendorId = 0x062A;
constexpr uint16_t kProductLineMask = 0xFF00;
constexpr uint16_t kProductLineA = 0x4100;
constexpr uint16_t kProductLineB = 0x3600;
constexpr uint32_t kListenStringIndex = 148;
constexpr uint32_t kBetweenReportsMs = 4;

bool Identify(HidTransport&, const HidInterfaceFacts& facts) {
  const uint16_t line = facts.productId & kProductLineMask;
  return facts.vendorId == kVendorId && (line == kProductLineA || line == kProductLineB);
}

void Send(HidTransport& transport, const HidInterfaceFacts& facts, uint8_t enable,
          uint8_t flagByte, Sleeper& sleeper) {
  RequestString(transport, kListenStringIndex);
  SendFeature(transport, facts, {0x00, 0x00, 0x02, enable});
  sleeper.SleepMs(kBetweenReportsMs);
  SendFeature(transport, facts, {0x00, 0x00, 0x03, flagByte});
}

void Apply(HidTransport& transport, const HidInterfaceFacts& facts,
           const ReceiverSettings& settings, Sleeper& sleeper) {
  Send(transport, facts, 0x01, settings.flagByte, sleeper);
}

void Reset(HidTransport& transport, const HidInterfaceFacts& facts, const ReceiverSettings&,
           Sleeper& sleeper) {
  Send(transport, facts, 0x00, 0x00, sleeper);
}

}  // namespace

extern const ReceiverFamily kReceiverFamily3{3, Identify, Apply, Reset};

}  // namespace corvan
