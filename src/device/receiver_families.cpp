// Every supported receiver family, in the order in which an interface is tested.

#include <array>
#include <initializer_list>

#include "device/families/family_common.h"
#include "device/receiver_family.h"

namespace corvan {
namespace {

// Interfaces are sorted into lanes by their capabilities before any family is asked. An
// interface enters the first lane whose gate it passes and is never tried against a later
// lane, even when no family of its lane claims it. A lane without a gate is entered only
// when its family claims the interface.
struct Lane {
  bool (*gate)(const HidInterfaceFacts& facts);
  std::array<const ReceiverFamily*, 3> families;  // unused places are null
};

bool HasNineByteFeatures(const HidInterfaceFacts& facts) { return facts.featureLength == 9; }

bool HasVendorFeatures(const HidInterfaceFacts& facts) {
  return facts.featureLength == 21 && facts.usagePage == 0xFF00;
}

bool HasLongReports(const HidInterfaceFacts& facts) {
  return facts.outputLength > 6 && facts.inputLength > 6;
}

constexpr Lane kLanes[] = {
    {nullptr,             {&kReceiverFamily1}},
    {HasNineByteFeatures, {&kReceiverFamily2, &kReceiverFamily3, &kReceiverFamily4}},
    {HasVendorFeatures,   {&kReceiverFamily5}},
    {HasLongReports,      {&kReceiverFamily6}},
};

enum class Purpose { kApply, kReset };

// For a reset only families with a reset sequence count, and a lane left without any
// such family is not a lane at all.
bool Counts(const ReceiverFamily* family, Purpose purpose) {
  return family != nullptr && (purpose == Purpose::kApply || family->reset != nullptr);
}

const ReceiverFamily* Identify(HidTransport& transport, const HidInterfaceFacts& facts,
                               Purpose purpose) {
  for (const Lane& lane : kLanes) {
    bool laneCounts = false;
    for (const ReceiverFamily* family : lane.families) laneCounts |= Counts(family, purpose);
    if (!laneCounts) continue;
    if (lane.gate != nullptr && !lane.gate(facts)) continue;
    for (const ReceiverFamily* family : lane.families) {
      if (Counts(family, purpose) && family->identify(transport, facts)) return family;
    }
    if (lane.gate != nullptr) return nullptr;
  }
  return nullptr;
}

}  // namespace

int IdentifyReceiverFamily(HidTransport& transport, const HidInterfaceFacts& facts) {
  const ReceiverFamily* family = Identify(transport, facts, Purpose::kApply);
  return family != nullptr ? family->number : kNoReceiverFamily;
}

int ApplyToInterface(HidTransport& transport, const HidInterfaceFacts& facts,
                     const ReceiverSettings& settings, Sleeper& sleeper) {
  const ReceiverFamily* family = Identify(transport, facts, Purpose::kApply);
  if (family == nullptr) return kNoReceiverFamily;
  family->apply(transport, facts, settings, sleeper);
  return family->number;
}

int ResetInterface(HidTransport& transport, const HidInterfaceFacts& facts,
                   const ReceiverSettings& settings, Sleeper& sleeper) {
  const ReceiverFamily* family = Identify(transport, facts, Purpose::kReset);
  if (family == nullptr) return kNoReceiverFamily;
  family->reset(transport, facts, settings, sleeper);
  return family->number;
}

}  // namespace corvan
