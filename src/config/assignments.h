#pragma once

#include <atomic>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "config/catalogue.h"

namespace corvan {

// One function id per configurable input, plus the button order and the flag byte derived from the
// side buttons. Written on the main window's thread; push workers read the order and the flag
// byte, and the close path sets the flag byte to 0 from another thread, hence atomics throughout.
struct Assignments {
  std::atomic<int32_t> buttonOrder{0};
  std::atomic<int32_t> extraKey{0};
  std::atomic<int32_t> gestureUp{0};
  std::atomic<int32_t> gestureDown{0};
  std::atomic<int32_t> gestureLeft{0};
  std::atomic<int32_t> gestureRight{0};
  std::atomic<int32_t> bt0{0};
  std::atomic<int32_t> bt1{0};
  std::atomic<int32_t> bt2{0};
  std::atomic<int32_t> bt3{0};  // side button, natively forward (button bit 0x10)
  std::atomic<int32_t> bt4{0};  // side button, natively back (button bit 0x08)
  std::atomic<int32_t> flagByte{0};
};

using SlotMember = std::atomic<int32_t> Assignments::*;

struct StoredSlot {
  std::wstring_view storeName;
  SlotMember slot;
  bool validatedAtLoad;  // order and extra key keep whatever was stored
};

// The eleven stored values, in the order they are read and written.
inline constexpr StoredSlot kStoredSlots[] = {
    {L"order",         &Assignments::buttonOrder,  false},
    {L"extra key",     &Assignments::extraKey,     false},
    {L"gesture up",    &Assignments::gestureUp,    true},
    {L"gesture down",  &Assignments::gestureDown,  true},
    {L"gesture left",  &Assignments::gestureLeft,  true},
    {L"gesture right", &Assignments::gestureRight, true},
    {L"bt0",           &Assignments::bt0,          true},
    {L"bt1",           &Assignments::bt1,          true},
    {L"bt2",           &Assignments::bt2,          true},
    {L"bt3",           &Assignments::bt3,          true},
    {L"bt4",           &Assignments::bt4,          true},
};

// The slots the editor assigns, by the number routing gives them: the five buttons, the four
// gesture directions, then the extra key.
inline constexpr SlotMember kEditableSlots[] = {
    &Assignments::bt0,         &Assignments::bt1,         &Assignments::bt2,
    &Assignments::bt3,         &Assignments::bt4,         &Assignments::gestureUp,
    &Assignments::gestureDown, &Assignments::gestureLeft, &Assignments::gestureRight,
    &Assignments::extraKey,
};
inline constexpr int32_t kGestureSlotBase = 5;
inline constexpr int32_t kExtraKeySlot = 9;
static_assert(std::size(kEditableSlots) == kExtraKeySlot + 1);

// The six button orders the receiver understands (0 to 5).
inline constexpr int32_t kButtonOrderCount = 6;
bool IsButtonOrder(int32_t order);

// Stores the function in the editable slot; false, and nothing changed, for a slot out of range.
bool AssignEditableSlot(Assignments& assignments, int32_t slot, int32_t function);

inline constexpr int32_t kFlagForwardReassigned = 0x10;
inline constexpr int32_t kFlagBackwardReassigned = 0x08;

// Which side buttons no longer do their native job: 0x10 for bt3, 0x08 for bt4. A slot of -1
// means "never touched" and sets no bit.
int32_t ComputeFlagByte(int32_t bt3, int32_t bt4, int32_t forwardId, int32_t backwardId);
void UpdateFlagByte(Assignments& assignments, const Catalogue& catalogue);

// Slots other than order and extra key that do not name an entry become 0 ("No function").
void ValidateAfterLoad(Assignments& assignments, const Catalogue& catalogue);

// What the Default command does besides resetting the slots.
class FactoryDefaultEffects {
 public:
  virtual ~FactoryDefaultEffects() = default;
  virtual void SaveSettings() = 0;
  virtual void RepaintMainWindow() = 0;
  virtual void PulseDefaultsEvent() = 0;
};

// The factory assignment: both side buttons keep their native Forward and Backward, every other
// slot "No function", the first button order, flag byte 0.
void SetFactoryAssignment(Assignments& assignments, const Catalogue& catalogue);

// The Default command: the factory assignment, saved, shown and announced.
void ApplyFactoryDefaults(Assignments& assignments, const Catalogue& catalogue, FactoryDefaultEffects& effects);

}  // namespace corvan
