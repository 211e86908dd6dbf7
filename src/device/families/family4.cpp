// Family 4: feature reports; the receiver is known by its string descriptor 120 alone.

#include <cstring>

#include "device/families/family_common.h"

namespace corvan {
namespace {

constexpr uint32_t kNameStringIndex = 120;
constexpr size_t kNameBufferSize = 256;
// "Telk24" as UTF-16LE with its terminator: the whole string, compared exactly.
constexpr uint8_t kName[] = {'T', 0, 'e', 0, 'l', 0, 'k', 0, '2', 0, '4', 0, 0, 0};
constexpr uint32_t kBetweenReportsMs = 10;

bool Identify(HidTransport& transport, const HidInterfaceFacts&) {
  uint8_t name[kNameBufferSize] = {};
  return transport.GetIndexedString(kNameStringIndex, name, sizeof name) &&
         std::memcmp(name, kName, sizeof kName) == 0;
}

void Send(HidTransport& transport, const HidInterfaceFacts& facts, uint8_t enable,
          uint8_t flagByte, Sleeper& sleeper) {
  SendFeature(transport, facts, {0x00, 0x07, 0x01, enable});
  sleeper.SleepMs(kBetweenReportsMs);
  SendFeature(transport, facts, {0x00, 0x07, 0x02, flagByte, 0x00, 0x12, 0x12, 0x12, 0x00});
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

extern const ReceiverFamily kReceiverFamily4{4, Identify, Apply, Reset};

}  // namespace corvan
