#include "input/key_records.h"

#include <iterator>

namespace corvan {
namespace {

struct ModifierKey {
  uint8_t bit;
  uint16_t scanCode;  // with the 0xE0 prefix in the high byte where the key has one
  bool extended;
};

constexpr ModifierKey kModifierKeys[] = {
//   bit                    scan    extended
    {kModifierLeftCtrl,     0x1D,   false},
    {kModifierLeftShift,    0x2A,   false},
    {kModifierLeftAlt,      0x38,   false},
    {kModifierLeftWindows,  0xE05B, true},
    {kModifierRightCtrl,    0xE01D, true},
    {kModifierRightShift,   0x36,   false},
    {kModifierRightAlt,     0xE038, true},
    {kModifierRightWindows, 0xE05C, true},
};

void SendReleases(KeyboardInjector& injector, const std::vector<KeyRecord>& releases) {
  std::vector<KeyRecord> refused;
  for (const KeyRecord& record : releases) {
    if (!injector.Send(record)) refused.push_back(record);
  }
  // A key whose release is lost stays down for every application on the desktop.
  for (const KeyRecord& record : refused) injector.Send(record);
}

}  // namespace

std::vector<KeyRecord> KeyCombinationRecords(uint8_t modifiers, uint16_t key, bool down, bool scanMode) {
  const uint32_t upFlag = down ? 0 : kKeyEventKeyUp;
  std::vector<KeyRecord> records;
  records.reserve(std::size(kModifierKeys) + 1);
  for (const ModifierKey& modifier : kModifierKeys) {
    if ((modifiers & modifier.bit) == 0) continue;
    KeyRecord record;
    record.scanCode = modifier.scanCode;
    record.flags = kKeyEventScanCode | (modifier.extended ? kKeyEventExtendedKey : 0) | upFlag;
    records.push_back(record);
  }
  KeyRecord record;
  if (scanMode) {
    record.scanCode = key & 0xFF;
    record.flags = kKeyEventScanCode | ((key & 0xFF00) != 0 ? kKeyEventExtendedKey : 0);
  } else {
    record.virtualKey = key;
  }
  record.flags |= upFlag;
  records.push_back(record);
  return records;
}

void SendKeyCombination(KeyboardInjector& injector, uint8_t modifiers, uint16_t key, bool down, bool scanMode) {
  std::vector<KeyRecord> records = KeyCombinationRecords(modifiers, key, down, scanMode);
  if (!down) {
    SendReleases(injector, records);
    return;
  }
  for (size_t i = 0; i < records.size(); ++i) {
    if (injector.Send(records[i])) continue;
    // Going on would deliver the key without the modifiers that were refused.
    records.resize(i);
    for (KeyRecord& pressed : records) pressed.flags |= kKeyEventKeyUp;
    SendReleases(injector, records);
    return;
  }
}

}  // namespace corvan
