#include "config/settings.h"

#include <gtest/gtest.h>

#include "memory_settings_store.h"

namespace corvan {
namespace {

using testing::CountingPush;
using testing::MemorySettingsStore;

const std::vector<std::wstring> kStoreOrder = {L"order", L"extra key", L"gesture up", L"gesture down",
                                               L"gesture left", L"gesture right", L"bt0", L"bt1",
                                               L"bt2", L"bt3", L"bt4"};

class Settings : public ::testing::Test {
 protected:
  Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
  MemorySettingsStore store;
  Assignments assignments;
  CountingPush push;
};

TEST_F(Settings, ReadSettingTreatsMissingAndNegativeAsZero) {
  store.values[L"bt3"] = 4294967295u;
  store.values[L"bt4"] = 0x80000000u;
  store.values[L"order"] = 3;
  EXPECT_EQ(ReadSetting(store, L"bt3"), 0);
  EXPECT_EQ(ReadSetting(store, L"bt4"), 0);
  EXPECT_EQ(ReadSetting(store, L"order"), 3);
  EXPECT_EQ(ReadSetting(store, L"missing"), 0);
  store.openable = false;
  EXPECT_EQ(ReadSetting(store, L"order"), 0);
}

TEST_F(Settings, FirstRunLoadsTheFactoryAssignmentWhichLeavesTheSideButtonsNative) {
  LoadSettings(store, assignments, catalogue);
  for (const StoredSlot& s : kStoredSlots) {
    const int32_t expected = s.slot == &Assignments::bt3 ? catalogue.forwardId
                             : s.slot == &Assignments::bt4 ? catalogue.backwardId
                                                           : 0;
    EXPECT_EQ(assignments.*s.slot, expected) << std::string(s.storeName.begin(), s.storeName.end());
  }
  EXPECT_EQ(assignments.flagByte, 0);

  SaveSettings(store, assignments, catalogue, push);
  EXPECT_EQ(store.writeOrder, kStoreOrder);
  EXPECT_EQ(store.values.at(L"bt3"), static_cast<uint32_t>(catalogue.forwardId));
  EXPECT_EQ(store.values.at(L"bt4"), static_cast<uint32_t>(catalogue.backwardId));
  EXPECT_EQ(assignments.flagByte, 0);
  EXPECT_EQ(push.passes, 1);
}

TEST_F(Settings, AStoreHoldingAnyValueIsReadAsItIsNeverAsAFirstRun) {
  for (const std::wstring& name : kStoreOrder) {
    MemorySettingsStore one;
    Assignments loaded;
    one.values[name] = 0;
    LoadSettings(one, loaded, catalogue);
    EXPECT_EQ(loaded.bt3, 0) << std::string(name.begin(), name.end());
    EXPECT_EQ(loaded.bt4, 0) << std::string(name.begin(), name.end());
    EXPECT_EQ(loaded.flagByte, 0x18) << std::string(name.begin(), name.end());
  }
}

TEST_F(Settings, LoadComputesTheFlagByteBeforeValidating) {
  store.values[L"bt3"] = 999;  // differs from Forward: flag set, then cleared to 0 by validation
  store.values[L"bt4"] = 14;
  store.values[L"gesture left"] = 999;
  store.values[L"extra key"] = 999;
  store.values[L"order"] = 7;
  LoadSettings(store, assignments, catalogue);
  EXPECT_EQ(assignments.flagByte, 0x10);
  EXPECT_EQ(assignments.bt3, 0);
  EXPECT_EQ(assignments.bt4, 14);
  EXPECT_EQ(assignments.gestureLeft, 0);
  EXPECT_EQ(assignments.extraKey, 999);
  EXPECT_EQ(assignments.buttonOrder, 7);
  EXPECT_EQ(store.values.at(L"gesture left"), 999u) << "the store keeps its value until the next save";
}

TEST_F(Settings, GestureOf40IsClearedButExtraKeyOf40Stays) {
  store.values[L"gesture up"] = 40;
  store.values[L"extra key"] = 40;
  LoadSettings(store, assignments, catalogue);
  EXPECT_EQ(assignments.gestureUp, 0);
  EXPECT_EQ(assignments.extraKey, 40);
  SaveSettings(store, assignments, catalogue, push);
  EXPECT_EQ(store.values.at(L"extra key"), 40u);
}

TEST_F(Settings, SaveRewritesEveryValueInOrderAndRecomputesTheFlagByte) {
  assignments.buttonOrder = 2;
  assignments.extraKey = 7;
  assignments.bt3 = catalogue.forwardId;
  assignments.bt4 = 3;
  assignments.flagByte = 0x18;
  SaveSettings(store, assignments, catalogue, push);
  SaveSettings(store, assignments, catalogue, push);
  std::vector<std::wstring> twice = kStoreOrder;
  twice.insert(twice.end(), kStoreOrder.begin(), kStoreOrder.end());
  EXPECT_EQ(store.writeOrder, twice);
  EXPECT_EQ(assignments.flagByte, 0x08);
  EXPECT_EQ(store.values.at(L"order"), 2u);
  EXPECT_EQ(store.values.at(L"bt4"), 3u);
  EXPECT_EQ(push.passes, 2);
}

TEST_F(Settings, UnopenableKeyWritesNothingButStillPushesAndLoadsTheFactoryAssignment) {
  store.openable = false;
  assignments.bt3 = 5;
  SaveSettings(store, assignments, catalogue, push);
  EXPECT_TRUE(store.values.empty());
  EXPECT_EQ(push.passes, 1);
  // Nothing can be read: the receiver is best left with its native side buttons.
  LoadSettings(store, assignments, catalogue);
  EXPECT_EQ(assignments.bt3, catalogue.forwardId);
  EXPECT_EQ(assignments.flagByte, 0);
}

TEST_F(Settings, IdsAreSystemPositionsNotCodes) {
  store.values[L"bt3"] = 15;  // "Forward" where the catalogue has 31 entries
  const Catalogue later = BuildCatalogue(DefaultFunctionLabels(), true);
  LoadSettings(store, assignments, later);
  EXPECT_EQ(later.entries[15].label, L"Page Down");
  EXPECT_EQ(assignments.flagByte, 0x18);
}

}  // namespace
}  // namespace corvan
