#include "receiver_simulator.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace corvan::testing {
namespace {

constexpr uint16_t kExtraLength = 200;  // kWrongLengths
constexpr uint8_t kBusyBit = 0x80;
constexpr size_t kGuardedFrame = 9;

const char* KindName(HidCallKind kind) {
  switch (kind) {
    case HidCallKind::kSendFeature: return "send-feature";
    case HidCallKind::kSendOutput: return "send-output";
    case HidCallKind::kGetFeature: return "get-feature";
    case HidCallKind::kGetInput: return "get-input";
    case HidCallKind::kGetString: return "get-string";
    case HidCallKind::kWait: return "wait";
  }
  return "?";
}

HidCall Sent(HidCallKind kind, std::initializer_list<uint8_t> head, size_t length) {
  HidCall call{.kind = kind, .length = length};
  call.bytes.assign(length, 0);
  std::copy_n(head.begin(), std::min(head.size(), length), call.bytes.begin());
  call.reportId = length > 0 ? call.bytes[0] : 0;
  return call;
}

}  // namespace

void PrintTo(const HidCall& call, std::ostream* out) {
  *out << KindName(call.kind);
  switch (call.kind) {
    case HidCallKind::kWait:
      *out << ' ' << call.waitMs << " ms";
      return;
    case HidCallKind::kGetString:
      *out << ' ' << call.stringIndex << " [" << call.length << ']';
      return;
    case HidCallKind::kGetFeature:
    case HidCallKind::kGetInput: {
      char id[8];
      std::snprintf(id, sizeof id, " %02X", call.reportId);
      *out << id << " [" << call.length << ']';
      return;
    }
    case HidCallKind::kSendFeature:
    case HidCallKind::kSendOutput:
      // Trailing zeros are left out: a report is mostly padding.
      size_t shown = call.bytes.size();
      while (shown > 1 && call.bytes[shown - 1] == 0) --shown;
      for (size_t i = 0; i < shown; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, " %02X", call.bytes[i]);
        *out << byte;
      }
      *out << " [" << call.length << ']';
      return;
  }
}

std::ostream& operator<<(std::ostream& out, const HidCall& call) {
  PrintTo(call, &out);
  return out;
}

HidCall SentFeature(std::initializer_list<uint8_t> head, size_t length) {
  return Sent(HidCallKind::kSendFeature, head, length);
}

HidCall SentOutput(std::initializer_list<uint8_t> head, size_t length) {
  return Sent(HidCallKind::kSendOutput, head, length);
}

HidCall AskedFeature(uint8_t reportId, size_t length) {
  return {.kind = HidCallKind::kGetFeature, .reportId = reportId, .length = length};
}

HidCall AskedInput(uint8_t reportId, size_t length) {
  return {.kind = HidCallKind::kGetInput, .reportId = reportId, .length = length};
}

HidCall AskedString(uint32_t index, size_t byteSize) {
  return {.kind = HidCallKind::kGetString, .length = byteSize, .stringIndex = index};
}

HidCall Waited(uint32_t ms) { return {.kind = HidCallKind::kWait, .waitMs = ms}; }

std::vector<uint8_t> Utf16Descriptor(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

ReceiverModel ReceiverOfFamily(int family) {
  ReceiverModel model;
  switch (family) {
    case 1:
      model.facts = {.vendorId = 0x0C45, .productId = 0x7C01, .usagePage = 0xFF31,
                     .inputLength = 33, .outputLength = 33, .featureLength = 0};
      model.inputReports[0x07] = {0x07, 0x12, 0x42, 0x54};
      break;
    case 2:
      model.facts = {.vendorId = 0x25A7, .productId = 0x2410, .usagePage = 0xFF00,
                     .inputLength = 0, .outputLength = 0, .featureLength = 9};
      model.guardedCommands = true;
      break;
    case 3:
      model.facts = {.vendorId = 0x062A, .productId = 0x4101, .usagePage = 0xFF00,
                     .inputLength = 0, .outputLength = 0, .featureLength = 9};
      model.strings[148] = Utf16Descriptor(u"RF");
      break;
    case 4:
      model.facts = {.vendorId = 0x2B10, .productId = 0x0124, .usagePage = 0xFF00,
                     .inputLength = 0, .outputLength = 0, .featureLength = 9};
      model.strings[120] = Utf16Descriptor(u"Telk24");
      break;
    case 5:
      model.facts = {.vendorId = 0x056E, .productId = 0x00F1, .usagePage = 0xFF00,
                     .inputLength = 0, .outputLength = 0, .featureLength = 21};
      model.featureReports[0x05] = {0x05, 0x00, 0x00, 0x11, 0x11, 0x00, 0x01};
      break;
    case 6:
      model.facts = {.vendorId = 0x1A2C, .productId = 0x0E24, .usagePage = 0xFF29,
                     .inputLength = 8, .outputLength = 8, .featureLength = 0};
      model.strings[148] = {'K', 'V', 'O', 'T', 0x01, 0x12, 0x00, 0x00};
      for (uint32_t index : {140u, 141u, 142u, 143u, 144u, 145u, 197u, 198u, 199u}) {
        model.strings[index] = {0x4F, 0x00, 0x00, 0x00};
      }
      break;
    default:
      break;
  }
  return model;
}

ReceiverModel VirtualMouse() {
  ReceiverModel model;
  model.facts = {.vendorId = 0x845E, .productId = 0x0001, .usagePage = 0x0001,
                 .inputLength = 5, .outputLength = 0, .featureLength = 0};
  return model;
}

ReceiverSimulator::ReceiverSimulator(ReceiverModel model) : model_(std::move(model)) {
  ClearFaults();
}

HidInterfaceFacts ReceiverSimulator::Facts() const {
  HidInterfaceFacts facts = model_.facts;
  if (faults_.contains(SimulatedFault::kWrongLengths)) {
    for (uint16_t* length : {&facts.inputLength, &facts.outputLength, &facts.featureLength}) {
      if (*length != 0) *length = static_cast<uint16_t>(*length + kExtraLength);
    }
  }
  return facts;
}

void ReceiverSimulator::InjectFault(SimulatedFault fault, size_t fromCall, size_t requests) {
  faults_[fault] = FaultSpan{fromCall, requests};
}

void ReceiverSimulator::ClearFaults() {
  faults_.clear();
  busyPollsLeft_ = model_.busyPollsBeforeReady;
  stuck_ = false;
  reply_.assign(kGuardedFrame, 0);
}

void ReceiverSimulator::ClearTranscript() {
  transcript_.clear();
  requests_ = 0;
  lengthMismatches_ = 0;
}

uint64_t ReceiverSimulator::TotalWaitMs() const {
  uint64_t total = 0;
  for (const HidCall& call : transcript_) total += call.waitMs;
  return total;
}

bool ReceiverSimulator::Active(SimulatedFault fault) const {
  auto found = faults_.find(fault);
  if (found == faults_.end() || requests_ <= found->second.from) return false;
  return requests_ - found->second.from <= found->second.requests;
}

bool ReceiverSimulator::Begin(HidCall call, uint16_t declaredLength) {
  if (call.kind != HidCallKind::kGetString && call.length != declaredLength) {
    ++lengthMismatches_;
  }
  transcript_.push_back(std::move(call));
  ++requests_;
  return !Active(SimulatedFault::kUnplugged);
}

// Like the platform, a successful read fills the whole length the caller asked for.
bool ReceiverSimulator::Answer(const std::vector<uint8_t>& answer, uint8_t* buffer,
                               size_t length) {
  for (size_t i = 0; i < length; ++i) buffer[i] = i < answer.size() ? answer[i] : 0;
  return true;
}

bool ReceiverSimulator::SendFeatureReport(const uint8_t* bytes, size_t length) {
  const HidInterfaceFacts facts = Facts();
  HidCall call{.kind = HidCallKind::kSendFeature, .reportId = length > 0 ? bytes[0] : uint8_t{0},
               .bytes = std::vector<uint8_t>(bytes, bytes + length), .length = length};
  if (!Begin(std::move(call), facts.featureLength)) return false;
  if (Active(SimulatedFault::kRejectsReports) || facts.featureLength == 0) return false;
  if (model_.guardedCommands) return ReceiveGuarded(bytes, length);
  return true;
}

bool ReceiverSimulator::SendOutputReport(const uint8_t* bytes, size_t length) {
  const HidInterfaceFacts facts = Facts();
  HidCall call{.kind = HidCallKind::kSendOutput, .reportId = length > 0 ? bytes[0] : uint8_t{0},
               .bytes = std::vector<uint8_t>(bytes, bytes + length), .length = length};
  if (!Begin(std::move(call), facts.outputLength)) return false;
  return !Active(SimulatedFault::kRejectsReports) && facts.outputLength != 0;
}

bool ReceiverSimulator::GetFeatureReport(uint8_t* buffer, size_t length) {
  const HidInterfaceFacts facts = Facts();
  const uint8_t id = buffer[0];
  if (!Begin({.kind = HidCallKind::kGetFeature, .reportId = id, .length = length},
             facts.featureLength)) {
    return false;
  }
  if (model_.guardedCommands && id == 0) return AnswerGuarded(buffer, length);
  auto found = model_.featureReports.find(id);
  return found != model_.featureReports.end() && Answer(found->second, buffer, length);
}

bool ReceiverSimulator::GetInputReport(uint8_t* buffer, size_t length) {
  const HidInterfaceFacts facts = Facts();
  const uint8_t id = buffer[0];
  if (!Begin({.kind = HidCallKind::kGetInput, .reportId = id, .length = length},
             facts.inputLength)) {
    return false;
  }
  auto found = model_.inputReports.find(id);
  return found != model_.inputReports.end() && Answer(found->second, buffer, length);
}

bool ReceiverSimulator::GetIndexedString(uint32_t index, uint8_t* buffer, size_t byteSize) {
  if (!Begin(AskedString(index, byteSize), 0)) return false;
  if (Active(SimulatedFault::kStringsFail)) return false;
  auto found = model_.strings.find(index);
  if (found == model_.strings.end()) return false;
  const std::vector<uint8_t>& text = found->second;
  std::copy_n(text.begin(), std::min(text.size(), byteSize), buffer);
  return true;
}

bool ReceiverSimulator::ReceiveGuarded(const uint8_t* bytes, size_t length) {
  if (length < kGuardedFrame) return false;
  uint8_t check = 0;
  for (size_t i = 1; i < kGuardedFrame - 1; ++i) check ^= bytes[i];
  // A frame with a wrong check byte is taken off the wire and ignored.
  if (bytes[0] != 0 || bytes[kGuardedFrame - 1] != check) return true;

  const bool empty = std::all_of(bytes + 1, bytes + kGuardedFrame - 1,
                                 [](uint8_t b) { return b == 0; });
  if (empty) {
    reply_ = {0x00, 'Q', 'X', 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  } else {
    // Other commands are echoed, without the busy bit.
    reply_.assign(bytes, bytes + kGuardedFrame);
    reply_[1] &= static_cast<uint8_t>(~kBusyBit);
  }
  busyPollsLeft_ = model_.busyPollsBeforeReply;
  if (Active(SimulatedFault::kReplyNeverCompletes)) stuck_ = true;
  return true;
}

bool ReceiverSimulator::AnswerGuarded(uint8_t* buffer, size_t length) {
  const bool busy = Active(SimulatedFault::kNeverReady) || stuck_ || busyPollsLeft_ > 0;
  if (busyPollsLeft_ > 0) --busyPollsLeft_;
  if (busy) return Answer({0x00, kBusyBit}, buffer, length);
  return Answer(reply_, buffer, length);
}

}  // namespace corvan::testing
