#pragma once

// Takes a fuzz input apart front to back. Numbers asked for past the end read as zeros, texts and
// byte runs stop short, so every input, however short, is a whole case.

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvan::fuzzing {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), left_(size) {}

  bool Empty() const { return left_ == 0; }
  size_t Left() const { return left_; }

  uint8_t Byte() {
    if (left_ == 0) return 0;
    --left_;
    return *data_++;
  }

  uint16_t Unit() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }

  uint64_t Word64() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
    return value;
  }

  // Up to `units` UTF-16 code units, any value including NUL; fewer when the input ends.
  std::wstring Text(size_t units) {
    std::wstring text;
    while (text.size() < units && left_ >= 2) text.push_back(static_cast<wchar_t>(Unit()));
    return text;
  }

  // The next `count` bytes, or the rest when fewer are left; `count` is lowered to what was taken.
  const uint8_t* Bytes(size_t& count) {
    if (count > left_) count = left_;
    const uint8_t* taken = data_;
    data_ += count;
    left_ -= count;
    return taken;
  }

 private:
  const uint8_t* data_;
  size_t left_;
};

}  // namespace corvan::fuzzing
