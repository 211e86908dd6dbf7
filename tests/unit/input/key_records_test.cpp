#include "input/key_records.h"

#include <gtest/gtest.h>

#include "key_injection_fakes.h"

namespace corvan {
namespace {

KeyRecord R(uint16_t virtualKey, uint16_t scanCode, uint32_t flags) {
  KeyRecord r;
  r.virtualKey = virtualKey;
  r.scanCode = scanCode;
  r.flags = flags;
  return r;
}

std::vector<KeyRecord> WithFlags(std::vector<KeyRecord> records, uint32_t extra) {
  for (KeyRecord& r : records) r.flags |= extra;
  return records;
}

const std::vector<KeyRecord> kAllModifiersDown = {
    R(0, 0x1D, 0x8), R(0, 0x2A, 0x8), R(0, 0x38, 0x8), R(0, 0xE05B, 0x9),
    R(0, 0xE01D, 0x9), R(0, 0x36, 0x8), R(0, 0xE038, 0x9), R(0, 0xE05C, 0x9),
};

std::vector<KeyRecord> Then(std::vector<KeyRecord> records, KeyRecord last) {
  records.push_back(last);
  return records;
}

TEST(KeyCombinationRecords, ListsModifiersInBitOrderThenTheKey) {
  struct Row {
    const char* name;
    uint8_t modifiers;
    uint16_t key;
    bool down, scanMode;
    std::vector<KeyRecord> expected;
  };
  const Row rows[] = {
//   name                                     mods  key     down   scan   records
    {"Ctrl+C down",                           0x01, 0x43,   true,  false, {R(0, 0x1D, 0x8), R(0x43, 0, 0x0)}},
    {"Ctrl+C up: same order, key-up flags",   0x01, 0x43,   false, false, {R(0, 0x1D, 0xA), R(0x43, 0, 0x2)}},
    {"Page Down by scan code",                0x00, 0xE051, true,  true,  {R(0, 0x51, 0x9)}},
    {"Page Up by scan code, up",              0x00, 0xE049, false, true,  {R(0, 0x49, 0xB)}},
    {"a scan code without prefix",            0x00, 0x001E, true,  true,  {R(0, 0x1E, 0x8)}},
    {"Start menu: right Windows and vk 0",    0x80, 0x00,   true,  false, {R(0, 0xE05C, 0x9), R(0, 0, 0x0)}},
    {"Start menu up",                         0x80, 0x00,   false, false, {R(0, 0xE05C, 0xB), R(0, 0, 0x2)}},
    {"a media key alone",                     0x00, 0xAF,   true,  false, {R(0xAF, 0, 0x0)}},
    {"right Alt and left Shift",              0x42, 0x41,   true,  false, {R(0, 0x2A, 0x8), R(0, 0xE038, 0x9), R(0x41, 0, 0)}},
    {"all eight modifiers: nine records",     0xFF, 0x41,   true,  false, Then(kAllModifiersDown, R(0x41, 0, 0x0))},
    {"all eight modifiers up",                0xFF, 0x41,   false, false, WithFlags(Then(kAllModifiersDown, R(0x41, 0, 0)), 0x2)},
    {"all eight with an extended scan code",  0xFF, 0xE051, true,  true,  Then(kAllModifiersDown, R(0, 0x51, 0x9))},
  };
  for (const Row& row : rows) {
    const std::vector<KeyRecord> records = KeyCombinationRecords(row.modifiers, row.key, row.down, row.scanMode);
    ASSERT_EQ(records.size(), row.expected.size()) << row.name;
    for (size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].type, kInputKeyboard) << row.name << " record " << i;
      EXPECT_EQ(records[i].time, 0u) << row.name << " record " << i;
      EXPECT_EQ(records[i].virtualKey, row.expected[i].virtualKey) << row.name << " record " << i;
      EXPECT_EQ(records[i].scanCode, row.expected[i].scanCode) << row.name << " record " << i;
      EXPECT_EQ(records[i].flags, row.expected[i].flags) << row.name << " record " << i;
    }
  }
}

TEST(SendKeyCombination, SendsEveryRecordInListOrder) {
  // Left Control and right Windows with Page Down by scan code.
  const std::vector<KeyRecord> press = {R(0, 0x1D, 0x8), R(0, 0xE05C, 0x9), R(0, 0x51, 0x9)};
  for (const bool down : {true, false}) {
    RefusingInjector injector;
    SendKeyCombination(injector, 0x81, 0xE051, down, true);
    EXPECT_EQ(injector.accepted(), down ? press : WithFlags(press, kKeyEventKeyUp)) << "down " << down;
  }
}

// The combinations a press can meet: no modifier, one, several, all; both key modes.
struct Combination {
  uint8_t modifiers;
  uint16_t key;
  bool scanMode;
};
constexpr Combination kCombinations[] = {
    {0x00, 0xAF, false}, {0x01, 0x43, false}, {0x80, 0x00, false}, {0x00, 0xE051, true},
    {0x13, 0x41, false}, {0xFF, 0x41, false}, {0xFF, 0xE049, true},
};

TEST(SendKeyCombination, APressRefusedPartWayTakesBackWhatWentDownAndSendsNothingPastIt) {
  for (const Combination& c : kCombinations) {
    const std::vector<KeyRecord> press = KeyCombinationRecords(c.modifiers, c.key, true, c.scanMode);
    for (int refused = 0; refused < static_cast<int>(press.size()); ++refused) {
      RefusingInjector injector(refused);
      SendKeyCombination(injector, c.modifiers, c.key, true, c.scanMode);
      // What went down, then its releases in the same order; the refused record and the ones
      // after it are never pressed.
      const std::vector<KeyRecord> pressed(press.begin(), press.begin() + refused);
      std::vector<KeyRecord> expected = pressed;
      for (const KeyRecord& r : WithFlags(pressed, kKeyEventKeyUp)) expected.push_back(r);
      EXPECT_EQ(injector.accepted(), expected) << "modifiers " << int(c.modifiers) << " refused at " << refused;
      EXPECT_FALSE(injector.AnyKeyDown());
    }
  }
}

TEST(SendKeyCombination, ARefusedReleaseIsTriedOnceMore) {
  for (const Combination& c : kCombinations) {
    const int presses = static_cast<int>(KeyCombinationRecords(c.modifiers, c.key, true, c.scanMode).size());
    for (int refused = presses; refused < 2 * presses; ++refused) {
      RefusingInjector injector(refused);
      SendKeyCombination(injector, c.modifiers, c.key, true, c.scanMode);
      SendKeyCombination(injector, c.modifiers, c.key, false, c.scanMode);
      EXPECT_FALSE(injector.AnyKeyDown()) << "modifiers " << int(c.modifiers) << " refused at " << refused;
      EXPECT_EQ(injector.calls(), 2 * presses + 1);
    }
  }
}

}  // namespace
}  // namespace corvan
