#pragma once

#include <algorithm>
#include <ostream>
#include <tuple>
#include <vector>

#include "input/key_records.h"

namespace corvan {

inline void PrintTo(const KeyRecord& r, std::ostream* os) {
  *os << std::hex << "{vk " << r.virtualKey << ", scan " << r.scanCode << ", flags " << r.flags << "}" << std::dec;
}

// Takes every record except the one sent at call index `refuseAt`, and keeps track of which keys
// the accepted records have left down.
class RefusingInjector : public KeyboardInjector {
 public:
  explicit RefusingInjector(int refuseAt = -1) : refuseAt_(refuseAt) {}

  bool Send(const KeyRecord& record) override {
    const bool accepted = calls_++ != refuseAt_;
    if (!accepted) return false;
    accepted_.push_back(record);
    const Key key = KeyOf(record);
    const auto held = std::find(down_.begin(), down_.end(), key);
    if (!record.IsKeyUp() && held == down_.end()) down_.push_back(key);
    if (record.IsKeyUp() && held != down_.end()) down_.erase(held);
    return true;
  }

  int calls() const { return calls_; }
  const std::vector<KeyRecord>& accepted() const { return accepted_; }
  bool AnyKeyDown() const { return !down_.empty(); }

 private:
  // A key is the same key down and up: everything but the key-up flag.
  using Key = std::tuple<uint16_t, uint16_t, uint32_t>;
  static Key KeyOf(const KeyRecord& r) { return {r.virtualKey, r.scanCode, r.flags & ~kKeyEventKeyUp}; }

  int refuseAt_;
  int calls_ = 0;
  std::vector<KeyRecord> accepted_;
  std::vector<Key> down_;
};

}  // namespace corvan
