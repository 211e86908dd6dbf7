// Family 2: every command goes through the guarded exchange, which waits out the
// receiver's busy bit on both sides of the command.

#include "device/families/family_common.h"
#include "device/guarded_command.h"

namespace corvan {
namespace {

constexpr uint16_t kVendorId = 0x25A7;
constexpr uint16_t kProductId = 0x2410;

constexpr uint32_t kHelloWaitMs = 10;
constexpr uint32_t kCommandWaitMs = 20;

bool Identify(HidTransport&, const HidInterfaceFacts& facts) {
  return facts.vendorId == kVendorId && facts.productId == kProductId;
}

void Apply(HidTransport& transport, const HidInterfaceFacts& facts,
           const ReceiverSettings& settings, Sleeper& sleeper) {
  const size_t length = facts.featureLength;
  auto reply = ReportBuffer(length, {});

  const GuardedCommand hello{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  SendGuardedCommand(transport, hello, reply, length, kHelloWaitMs, sleeper);
  // A receiver that did not answer the empty command with "QX" gets nothing more.
  if (reply[1] != 'Q' || reply[2] != 'X') return;

  const GuardedCommand constantCommand{0x00, 0x00, 0x12, 0x12, 0x12, 0x12, 0x12, 0x12};
  SendGuardedCommand(transport, constantCommand, reply, length, kCommandWaitMs, sleeper);

  const GuardedCommand flagCommand{0x00, 0x02, settings.flagByte, 0x00, 0x01, 0x00, 0x00, 0x00};
  SendGuardedCommand(transport, flagCommand, reply, length, kCommandWaitMs, sleeper);
}

}  // namespace

extern const ReceiverFamily kReceiverFamily2{2, Identify, Apply, nullptr};

}  // namespace corvan
