#include "device/raw_input_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace corvan {
namespace {

using namespace raw_input_layout;

std::vector<uint8_t> HidMessage(uint32_t reportSize, uint32_t count, std::vector<uint8_t> reports) {
  std::vector<uint8_t> bytes(kHidReportsOffset + reports.size(), 0);
  const uint32_t type = kTypeHid;
  std::memcpy(bytes.data() + kTypeOffset, &type, 4);
  std::memcpy(bytes.data() + kHidSizeOffset, &reportSize, 4);
  std::memcpy(bytes.data() + kHidCountOffset, &count, 4);
  for (size_t i = 0; i < reports.size(); ++i) bytes[kHidReportsOffset + i] = reports[i];
  return bytes;
}

TEST(RawInputLayout, SizesThatAreIgnored) {
  std::vector<uint8_t> big(1200, 0);
  const uint32_t type = kTypeHid;
  std::memcpy(big.data(), &type, 4);
  struct Row { size_t queried, read; RawInputView::Kind kind; };
  const Row rows[] = {
      {0,    0,    RawInputView::Ignored},
      {15,   15,   RawInputView::Ignored},  // not even a whole header
      {31,   31,   RawInputView::Ignored},  // a header without the report size and count
      {999,  999,  RawInputView::Hid},
      {1000, 1000, RawInputView::Ignored},
      {1200, 1200, RawInputView::Ignored},
      {100,  99,   RawInputView::Ignored},  // a short read
  };
  for (const Row& r : rows) EXPECT_EQ(ParseRawInput(big.data(), r.queried, r.read).kind, r.kind) << r.queried;
  EXPECT_EQ(ParseRawInput(nullptr, 40, 40).kind, RawInputView::Ignored);
}

TEST(RawInputLayout, HidMessageCarriesItsReportsAndWhatWasRead) {
  const auto bytes = HidMessage(8, 2, std::vector<uint8_t>(16, 0xAB));
  const RawInputView view = ParseRawInput(bytes.data(), bytes.size(), bytes.size());
  ASSERT_EQ(view.kind, RawInputView::Hid);
  EXPECT_EQ(view.reportSize, 8u);
  EXPECT_EQ(view.reportCount, 2u);
  EXPECT_EQ(view.reportBytesAvailable, 16u);
  EXPECT_EQ(view.reports, bytes.data() + kHidReportsOffset);

  const auto lying = HidMessage(8, 50, std::vector<uint8_t>(4, 0));
  EXPECT_EQ(ParseRawInput(lying.data(), lying.size(), lying.size()).reportBytesAvailable, 4u);
}

TEST(RawInputLayout, MouseMessage) {
  std::vector<uint8_t> bytes(kMouseSize, 0);
  const uint16_t flags = 0x0001;  // left button down
  const int32_t dx = -5, dy = 7;
  std::memcpy(bytes.data() + kMouseButtonFlagsOffset, &flags, 2);
  std::memcpy(bytes.data() + kMouseLastXOffset, &dx, 4);
  std::memcpy(bytes.data() + kMouseLastYOffset, &dy, 4);
  const RawInputView view = ParseRawInput(bytes.data(), bytes.size(), bytes.size());
  ASSERT_EQ(view.kind, RawInputView::Mouse);
  EXPECT_EQ(view.buttonFlags, 1);
  EXPECT_EQ(view.lastX, -5);
  EXPECT_EQ(view.lastY, 7);
  EXPECT_EQ(ParseRawInput(bytes.data(), kMouseSize - 1, kMouseSize - 1).kind, RawInputView::Ignored);
}

TEST(RawInputLayout, KeyboardIsNeitherHidNorMouse) {
  std::vector<uint8_t> bytes(40, 0);
  const uint32_t type = kTypeKeyboard;
  std::memcpy(bytes.data(), &type, 4);
  EXPECT_EQ(ParseRawInput(bytes.data(), bytes.size(), bytes.size()).kind, RawInputView::Other);
}

std::vector<uint8_t> KeyboardMessage(uint16_t virtualKey, uint32_t message) {
  std::vector<uint8_t> bytes(kKeyboardSize, 0);
  const uint32_t type = kTypeKeyboard;
  std::memcpy(bytes.data() + kTypeOffset, &type, 4);
  std::memcpy(bytes.data() + kKeyboardVirtualKeyOffset, &virtualKey, 2);
  std::memcpy(bytes.data() + kKeyboardMessageOffset, &message, 4);
  return bytes;
}

TEST(RawInputLayout, KeyboardMessageCarriesItsKeyAndMessage) {
  constexpr uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101, kSysKeyDown = 0x0104;
  constexpr uint16_t kRight = 0x27, kEscape = 0x1B, kReturn = 0x0D;
  struct Row { uint16_t key; uint32_t message; };
  const Row rows[] = {
      {kRight,  kKeyDown},
      {kEscape, kKeyUp},
      {kReturn, kSysKeyDown},
  };
  for (const Row& r : rows) {
    const auto bytes = KeyboardMessage(r.key, r.message);
    EXPECT_EQ(ParseRawKey(bytes.data(), bytes.size(), bytes.size()), (RawKeyView{r.key, r.message})) << r.key;
  }
}

TEST(RawInputLayout, NoKeyFromOtherOrIncompleteMessages) {
  const auto key = KeyboardMessage(0x27, 0x0100);
  std::vector<uint8_t> mouse(kMouseSize, 0);
  const auto hid = HidMessage(8, 1, std::vector<uint8_t>(8, 0));
  struct Row { const char* what; const uint8_t* data; size_t queried, read; };
  const Row rows[] = {
      {"a mouse's message",         mouse.data(), mouse.size(),      mouse.size()},
      {"a HID's message",           hid.data(),   hid.size(),        hid.size()},
      {"a key cut short",           key.data(),   kKeyboardSize - 1, kKeyboardSize - 1},
      {"a short read",              key.data(),   kKeyboardSize,     kKeyboardSize - 1},
      {"nothing read",              nullptr,      kKeyboardSize,     kKeyboardSize},
      {"a message of 1000 bytes",   key.data(),   1000,              1000},
  };
  for (const Row& r : rows) EXPECT_EQ(ParseRawKey(r.data, r.queried, r.read), std::nullopt) << r.what;
}

}  // namespace
}  // namespace corvan
