#include "simulated_hid_enumerator.h"

#include <utility>

namespace corvan::testing {
namespace {

// Hands the simulator's requests through; the enumerator keeps the simulator itself.
class BorrowedTransport : public HidTransport {
 public:
  explicit BorrowedTransport(ReceiverSimulator& receiver) : receiver_(receiver) {}

  bool SendFeatureReport(const uint8_t* bytes, size_t length) override {
    return receiver_.SendFeatureReport(bytes, length);
  }
  bool SendOutputReport(const uint8_t* bytes, size_t length) override {
    return receiver_.SendOutputReport(bytes, length);
  }
  bool GetFeatureReport(uint8_t* buffer, size_t length) override {
    return receiver_.GetFeatureReport(buffer, length);
  }
  bool GetInputReport(uint8_t* buffer, size_t length) override {
    return receiver_.GetInputReport(buffer, length);
  }
  bool GetIndexedString(uint32_t index, uint8_t* buffer, size_t byteSize) override {
    return receiver_.GetIndexedString(index, buffer, byteSize);
  }

 private:
  ReceiverSimulator& receiver_;
};

}  // namespace

ReceiverSimulator& SimulatedHidEnumerator::Add(std::u16string path, ReceiverModel model) {
  interfaces_.push_back({std::move(path), std::make_unique<ReceiverSimulator>(std::move(model))});
  return *interfaces_.back().receiver;
}

void SimulatedHidEnumerator::AddUnopenable(std::u16string path) {
  interfaces_.push_back({std::move(path), nullptr});
}

std::vector<std::u16string> SimulatedHidEnumerator::ListInterfacePaths() {
  ++listings;
  std::vector<std::u16string> paths;
  for (const Interface& entry : interfaces_) paths.push_back(entry.path);
  return paths;
}

std::optional<OpenedHidInterface> SimulatedHidEnumerator::Open(std::u16string_view path) {
  openRequests.emplace_back(path);
  for (const Interface& entry : interfaces_) {
    if (entry.path != path || !entry.receiver) continue;
    if (current_ != nullptr) ++overlaps;
    current_ = entry.receiver.get();
    ++opens;
    return OpenedHidInterface{std::make_unique<BorrowedTransport>(*current_), current_->Facts()};
  }
  return std::nullopt;
}

void SimulatedHidEnumerator::Close(OpenedHidInterface& opened) {
  opened.transport.reset();
  current_ = nullptr;
  ++closes;
}

void InterfaceSleeper::SleepMs(uint32_t ms) {
  if (ReceiverSimulator* receiver = enumerator_.Current()) {
    receiver->RecordingSleeper().SleepMs(ms);
  } else {
    outsideWaits.push_back(ms);
  }
}

}  // namespace corvan::testing
