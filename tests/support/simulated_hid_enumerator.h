#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_enumerator.h"
#include "receiver_simulator.h"

namespace corvan::testing {

// The HID interfaces of a machine, each a simulated receiver (or another device) behind
// its path. Calls must not overlap; the code under test serialises them.
class SimulatedHidEnumerator : public HidEnumerator {
 public:
  // Listed in the order added.
  ReceiverSimulator& Add(std::u16string path, ReceiverModel model);
  // Listed, but every open fails (gone, in exclusive use, not allowed).
  void AddUnopenable(std::u16string path);

  std::vector<std::u16string> ListInterfacePaths() override;
  std::optional<OpenedHidInterface> Open(std::u16string_view path) override;
  void Close(OpenedHidInterface& opened) override;

  // The interface open now, if any.
  ReceiverSimulator* Current() const { return current_; }

  std::vector<std::u16string> openRequests;  // every path handed to Open, in order
  int listings = 0;
  int opens = 0;     // successful ones
  int closes = 0;
  int overlaps = 0;  // opens while another interface was still open

 private:
  struct Interface {
    std::u16string path;
    std::unique_ptr<ReceiverSimulator> receiver;  // null: cannot be opened
  };
  std::deque<Interface> interfaces_;
  ReceiverSimulator* current_ = nullptr;
};

// Protocol waits go into the transcript of the interface open at the moment; waits with no
// interface open are kept apart.
class InterfaceSleeper : public Sleeper {
 public:
  explicit InterfaceSleeper(const SimulatedHidEnumerator& enumerator) : enumerator_(enumerator) {}
  void SleepMs(uint32_t ms) override;

  std::vector<uint32_t> outsideWaits;

 private:
  const SimulatedHidEnumerator& enumerator_;
};

}  // namespace corvan::testing
