#pragma once

// Shared by the family files only: buffers shaped the way every receiver expects them and
// the family records the identification table refers to.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "device/hid_transport.h"
#include "device/receiver_family.h"

namespace corvan {

// Report buffers are zero-filled and never shorter than this, so that byte tests on an
// answer stay inside the buffer whatever length the interface declares.
constexpr size_t kMinReportBuffer = 64;

// String requests whose answer is dropped, and the "KVOT" test, read into this many bytes.
constexpr size_t kStringScratchSize = 2048;

// A zero-filled report buffer for a request of `length` bytes, starting with `head`.
inline std::vector<uint8_t> ReportBuffer(size_t length, std::initializer_list<uint8_t> head) {
  std::vector<uint8_t> buffer(std::max(kMinReportBuffer, length), 0);
  std::copy(head.begin(), head.end(), buffer.begin());
  return buffer;
}

inline bool SendFeature(HidTransport& transport, const HidInterfaceFacts& facts,
                        std::initializer_list<uint8_t> head) {
  const auto buffer = ReportBuffer(facts.featureLength, head);
  return transport.SendFeatureReport(buffer.data(), facts.featureLength);
}

inline bool SendOutput(HidTransport& transport, const HidInterfaceFacts& facts,
                       std::initializer_list<uint8_t> head) {
  const auto buffer = ReportBuffer(facts.outputLength, head);
  return transport.SendOutputReport(buffer.data(), facts.outputLength);
}

// A string request used as a command: the answer is read and dropped.
inline bool RequestString(HidTransport& transport, uint32_t index) {
  std::vector<uint8_t> scratch(kStringScratchSize, 0);
  return transport.GetIndexedString(index, scratch.data(), scratch.size());
}

extern const ReceiverFamily kReceiverFamily1;
extern const ReceiverFamily kReceiverFamily2;
extern const ReceiverFamily kReceiverFamily3;
extern const ReceiverFamily kReceiverFamily4;
extern const ReceiverFamily kReceiverFamily5;
extern const ReceiverFamily kReceiverFamily6;

}  // namespace corvan
