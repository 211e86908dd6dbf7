// Family 5: feature report 05. It is the one family told that the program is closing.

#include "device/families/family_common.h"

namespace corvan {
namespace {

constexpr uint16_t kVendorIdA = 0x0C45;
constexpr uint16_t kVendorIdB = 0x056E;
constexpr uint8_t kReportId = 0x05;
constexpr uint32_t kBeforeReadMs = 10;
constexpr uint32_t kAfterReadMs = 100;

bool Identify(HidTransport&, const HidInterfaceFacts& facts) {
  return facts.vendorId == kVendorIdA || facts.vendorId == kVendorIdB;
}

void Apply(HidTransport& transport, const HidInterfaceFacts& facts,
           const ReceiverSettings& settings, Sleeper& sleeper) {
  SendFeature(transport, facts, {kReportId});
  sleeper.SleepMs(kBeforeReadMs);
  // The answer does not matter; the read is what the receiver waits for.
  auto answer = ReportBuffer(facts.featureLength, {kReportId});
  transport.GetFeatureReport(answer.data(), facts.featureLength);
  sleeper.SleepMs(kAfterReadMs);

  const uint8_t running = settings.shuttingDown ? 0 : 1;
  SendFeature(transport, facts, {kReportId, 0x00, 0x00, 0x11, 0x11, settings.flagByte, running});
}

}  // namespace

extern const ReceiverFamily kReceiverFamily5{5, Identify, Apply, nullptr};

}  // namespace corvan
