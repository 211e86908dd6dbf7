#pragma once

#include <cstddef>
#include <cstdint>
#include <climits>
#include <initializer_list>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace corvan::testing {

enum class HidCallKind : uint8_t {
  kSendFeature,
  kSendOutput,
  kGetFeature,
  kGetInput,
  kGetString,
  kWait,
};

// One entry of a transcript: a request as the receiver sees it, or a wait.
struct HidCall {
  HidCallKind kind = HidCallKind::kWait;
  uint8_t reportId = 0;          // reports: byte 0 as handed over
  std::vector<uint8_t> bytes{};  // sends: all `length` bytes; gets carry nothing to the device
  size_t length = 0;             // reports: the length passed; strings: the buffer size
  uint32_t stringIndex = 0;
  uint32_t waitMs = 0;

  friend bool operator==(const HidCall&, const HidCall&) = default;
};

using Transcript = std::vector<HidCall>;

void PrintTo(const HidCall& call, std::ostream* out);
std::ostream& operator<<(std::ostream& out, const HidCall& call);

// Transcript entries for expectations; `head` is padded with zeros to `length`.
HidCall SentFeature(std::initializer_list<uint8_t> head, size_t length);
HidCall SentOutput(std::initializer_list<uint8_t> head, size_t length);
HidCall AskedFeature(uint8_t reportId, size_t length);
HidCall AskedInput(uint8_t reportId, size_t length);
HidCall AskedString(uint32_t index, size_t byteSize);
HidCall Waited(uint32_t ms);

// How a receiver answers. Anything not listed fails, as on a device that lacks it.
struct ReceiverModel {
  HidInterfaceFacts facts;
  std::map<uint32_t, std::vector<uint8_t>> strings;         // raw descriptor bytes by index
  std::map<uint8_t, std::vector<uint8_t>> inputReports;     // answers by report id
  std::map<uint8_t, std::vector<uint8_t>> featureReports;   // answers by report id
  // Family 2: feature report 0 carries commands guarded by a check byte and a busy bit.
  bool guardedCommands = false;
  int busyPollsBeforeReady = 0;  // busy answers before the first command
  int busyPollsBeforeReply = 1;  // busy answers after each command
};

ReceiverModel ReceiverOfFamily(int family);  // 1..6
ReceiverModel VirtualMouse();                 // an ordinary mouse, as Wine presents one

// UTF-16LE bytes of `text` with its terminator, as a string descriptor arrives.
std::vector<uint8_t> Utf16Descriptor(const std::u16string& text);

enum class SimulatedFault {
  kNeverReady,           // family 2: the busy bit never clears
  kReplyNeverCompletes,  // family 2: busy for good once a command arrived
  kRejectsReports,       // every feature and output report is refused
  kStringsFail,          // every string request fails
  kUnplugged,            // every request fails
  kWrongLengths,         // the interface declares every report 200 bytes longer
};

// A receiver behind the transport interface. Every request and every wait of the
// recording sleeper lands in one transcript.
class ReceiverSimulator : public HidTransport {
 public:
  explicit ReceiverSimulator(ReceiverModel model);

  // What the platform reports for the interface, faults included.
  HidInterfaceFacts Facts() const;
  Sleeper& RecordingSleeper() { return sleeper_; }

  // The fault starts with request number `fromCall` (0 is the first request) and lasts for
  // `requests` requests (for good unless told), after which the receiver answers as before.
  void InjectFault(SimulatedFault fault, size_t fromCall = 0, size_t requests = SIZE_MAX);
  // Back to a healthy receiver, as after plugging it in again.
  void ClearFaults();

  const Transcript& Calls() const { return transcript_; }
  void ClearTranscript();
  size_t RequestCount() const { return requests_; }  // waits not counted
  uint64_t TotalWaitMs() const;
  // Report requests whose length differed from the one the interface declares.
  size_t LengthMismatches() const { return lengthMismatches_; }

  bool SendFeatureReport(const uint8_t* bytes, size_t length) override;
  bool SendOutputReport(const uint8_t* bytes, size_t length) override;
  bool GetFeatureReport(uint8_t* buffer, size_t length) override;
  bool GetInputReport(uint8_t* buffer, size_t length) override;
  bool GetIndexedString(uint32_t index, uint8_t* buffer, size_t byteSize) override;

 private:
  class Recorder : public Sleeper {
   public:
    explicit Recorder(Transcript& transcript) : transcript_(transcript) {}
    void SleepMs(uint32_t ms) override { transcript_.push_back(Waited(ms)); }

   private:
    Transcript& transcript_;
  };

  bool Active(SimulatedFault fault) const;
  // Counts and records a request; false when the receiver is gone.
  bool Begin(HidCall call, uint16_t declaredLength);
  bool Answer(const std::vector<uint8_t>& answer, uint8_t* buffer, size_t length);
  bool ReceiveGuarded(const uint8_t* bytes, size_t length);
  bool AnswerGuarded(uint8_t* buffer, size_t length);

  ReceiverModel model_;
  Transcript transcript_;
  Recorder sleeper_{transcript_};
  struct FaultSpan {
    size_t from;      // first request it affects
    size_t requests;  // how many
  };
  std::map<SimulatedFault, FaultSpan> faults_;
  size_t requests_ = 0;
  size_t lengthMismatches_ = 0;

  // Family 2 state.
  int busyPollsLeft_ = 0;
  bool stuck_ = false;
  std::vector<uint8_t> reply_;
};

}  // namespace corvan::testing
