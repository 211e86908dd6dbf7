// Family 6: no reports at all; asking for certain string descriptors is the command.

#include <algorithm>
#include <vector>

#include "device/families/family_common.h"

namespace corvan {
namespace {

constexpr uint32_t kSignatureStringIndex = 148;
// The signature is raw descriptor bytes, not UTF-16 characters.
constexpr uint8_t kSignature[] = {'K', 'V', 'O', 'T'};
constexpr size_t kSignatureMarkerOffset = 5;
constexpr uint8_t kSignatureMarker = 0x12;

constexpr uint32_t kOrderBaseIndex = 140;  // + button order 0..5
constexpr int32_t kMaxButtonOrder = 5;
constexpr uint32_t kSecondIndex = 199;
constexpr uint32_t kApplyLastIndex = 197;
constexpr uint32_t kResetLastIndex = 198;

bool Identify(HidTransport& transport, const HidInterfaceFacts&) {
  std::vector<uint8_t> signature(kStringScratchSize, 0);
  return transport.GetIndexedString(kSignatureStringIndex, signature.data(), signature.size()) &&
         std::equal(std::begin(kSignature), std::end(kSignature), signature.begin()) &&
         signature[kSignatureMarkerOffset] == kSignatureMarker;
}

void Send(HidTransport& transport, int32_t buttonOrder, uint32_t lastIndex) {
  const int32_t order = std::clamp<int32_t>(buttonOrder, 0, kMaxButtonOrder);
  RequestString(transport, kOrderBaseIndex + static_cast<uint32_t>(order));
  RequestString(transport, kSecondIndex);
  RequestString(transport, lastIndex);
}

void Apply(HidTransport& transport, const HidInterfaceFacts&, const ReceiverSettings& settings,
           Sleeper&) {
  Send(transport, settings.buttonOrder, kApplyLastIndex);
}

void Reset(HidTransport& transport, const HidInterfaceFacts&, const ReceiverSettings& settings,
           Sleeper&) {
  Send(transport, settings.buttonOrder, kResetLastIndex);
}

}  // namespace

extern const ReceiverFamily kReceiverFamily6{6, Identify, Apply, Reset};

}  // namespace corvan
