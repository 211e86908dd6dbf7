#include "config/assignments.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

TEST(FlagByte, SideButtonsAgainstTheirNativeJobs) {
  constexpr int32_t kForward = 15, kBackward = 14;
  struct Row { int32_t bt3, bt4, expected; };
  const Row rows[] = {
      {kForward, kBackward, 0x00},
      {0,        kBackward, 0x10},  // "No function" on the forward button
      {kForward, 0,         0x08},
      {0,        0,         0x18},
      {-1,       kBackward, 0x00},  // -1 sets no bit
      {kForward, -1,        0x00},
      {-1,       -1,        0x00},
      {kBackward, kForward, 0x18},  // swapped
      {40,       kBackward, 0x10},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ComputeFlagByte(r.bt3, r.bt4, kForward, kBackward), r.expected) << r.bt3 << "/" << r.bt4;
  }
}

TEST(Validation, ClearsUnnamedIdsExceptOrderAndExtraKey) {
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
  Assignments a;
  a.buttonOrder = 9;
  a.extraKey = 40;
  a.gestureUp = 40;
  a.gestureDown = -3;
  a.gestureLeft = 30;
  a.gestureRight = 31;
  a.bt0 = 999;
  a.bt3 = 12;
  ValidateAfterLoad(a, catalogue);
  EXPECT_EQ(a.buttonOrder, 9);
  EXPECT_EQ(a.extraKey, 40);
  EXPECT_EQ(a.gestureUp, 0);
  EXPECT_EQ(a.gestureDown, 0);
  EXPECT_EQ(a.gestureLeft, 30);
  EXPECT_EQ(a.gestureRight, 0);
  EXPECT_EQ(a.bt0, 0);
  EXPECT_EQ(a.bt3, 12);
}

struct RecordedEffects : FactoryDefaultEffects {
  explicit RecordedEffects(const Assignments& a) : assignments(a) {}
  void SaveSettings() override {
    calls.push_back("save");
    flagAtSave = assignments.flagByte;
    bt3AtSave = assignments.bt3;
  }
  void RepaintMainWindow() override { calls.push_back("repaint"); }
  void PulseDefaultsEvent() override { calls.push_back("pulse"); }
  const Assignments& assignments;
  std::vector<std::string> calls;
  int32_t flagAtSave = -1, bt3AtSave = -1;
};

TEST(FactoryDefaults, ResetsEverySlotThenSavesRepaintsAndPulses) {
  for (bool windows62 : {false, true}) {
    const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), windows62);
    Assignments a;
    for (const StoredSlot& s : kStoredSlots) a.*s.slot = 5;
    a.flagByte = 0x18;
    RecordedEffects effects(a);
    ApplyFactoryDefaults(a, catalogue, effects);

    EXPECT_EQ(effects.calls, (std::vector<std::string>{"save", "repaint", "pulse"}));
    EXPECT_EQ(effects.flagAtSave, 0);
    EXPECT_EQ(effects.bt3AtSave, catalogue.forwardId);
    EXPECT_EQ(a.bt3, catalogue.forwardId);
    EXPECT_EQ(a.bt4, catalogue.backwardId);
    for (SlotMember m : {&Assignments::buttonOrder, &Assignments::extraKey, &Assignments::gestureUp,
                         &Assignments::gestureDown, &Assignments::gestureLeft, &Assignments::gestureRight,
                         &Assignments::bt0, &Assignments::bt1, &Assignments::bt2}) {
      EXPECT_EQ(a.*m, 0);
    }
    UpdateFlagByte(a, catalogue);
    EXPECT_EQ(a.flagByte, 0);
  }
}

// The editor numbers its slots: the five buttons, the gestures up, down, left, right, the extra key.
TEST(Assignments, TheEditorsSlotNumbersReachTheirSlotsAndNothingElse) {
  struct Row { int32_t slot; SlotMember member; };
  const Row rows[] = {
      {0, &Assignments::bt0},       {3, &Assignments::bt3},         {4, &Assignments::bt4},
      {5, &Assignments::gestureUp}, {6, &Assignments::gestureDown}, {8, &Assignments::gestureRight},
      {9, &Assignments::extraKey},
  };
  for (const Row& row : rows) {
    Assignments a;
    EXPECT_TRUE(AssignEditableSlot(a, row.slot, 17));
    EXPECT_EQ(a.*row.member, 17) << row.slot;
    int changed = 0;
    for (const StoredSlot& stored : kStoredSlots) changed += (a.*stored.slot != 0);
    EXPECT_EQ(changed, 1) << row.slot;
  }
  for (int32_t outside : {-1, 10, 1000}) {
    Assignments a;
    EXPECT_FALSE(AssignEditableSlot(a, outside, 17));
    for (const StoredSlot& stored : kStoredSlots) EXPECT_EQ(a.*stored.slot, 0) << outside;
  }
}

TEST(Assignments, ButtonOrdersAreTheSixTheReceiverUnderstands) {
  for (int32_t order : {0, 3, 5}) EXPECT_TRUE(IsButtonOrder(order)) << order;
  for (int32_t order : {-1, 6, 255}) EXPECT_FALSE(IsButtonOrder(order)) << order;
}

}  // namespace
}  // namespace corvan
