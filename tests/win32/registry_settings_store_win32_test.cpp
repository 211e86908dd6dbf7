#include "platform/registry_settings_store_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "config/settings.h"

namespace corvan {
namespace {

// A key of the tests' own, beside the program's, removed before and after each test: run anywhere,
// the tests never touch a user's settings.
constexpr wchar_t kTestKeyPath[] = L"SOFTWARE\\QX A Mouse (tests)";

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteSettingsKey(kTestKeyPath);
    EnsureSettingsKey(kTestKeyPath);
  }
  void TearDown() override { DeleteSettingsKey(kTestKeyPath); }

  void SetRaw(const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kTestKeyPath, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::vector<BYTE> GetRaw(const wchar_t* name, DWORD* type) {
    HKEY key = nullptr;
    std::vector<BYTE> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kTestKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    const LONG status = RegQueryValueExW(key, name, nullptr, type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {};
    data.resize(size);
    return data;
  }

  RegistrySettingsStore store{kTestKeyPath};
};

TEST_F(RegistryStore, ValuesOfOtherTypesAndSizes) {
  struct Row { const wchar_t* name; DWORD type; std::vector<BYTE> data; int32_t expected; };
  const Row rows[] = {
      {L"bt0", REG_DWORD,  {0x07, 0, 0, 0},                  7},
      {L"bt1", REG_DWORD,  {0xFF, 0xFF, 0xFF, 0xFF},          0},  // -1 reads as 0
      {L"bt2", REG_DWORD,  {0x00, 0x00, 0x00, 0x80},          0},  // most negative
      {L"bt3", REG_QWORD,  {5, 0, 0, 0, 0, 0, 0, 0},          0},  // longer than 4 bytes fails
      {L"bt4", REG_BINARY, {0x34, 0x12},                      0x1234},  // shorter fills the low bytes
      {L"order", REG_SZ,   {'5', 0, 0, 0},                    0x35},    // "5": four bytes, read as they are
      {L"extra key", REG_SZ, {'1', 0, '2', 0, '3', 0, 0, 0},  0},       // longer string fails
      {L"gesture up", REG_BINARY, {},                         0},
  };
  for (const Row& row : rows) SetRaw(row.name, row.type, row.data);
  for (const Row& row : rows) EXPECT_EQ(ReadSetting(store, row.name), row.expected) << static_cast<const void*>(row.name);
  EXPECT_EQ(ReadSetting(store, L"gesture down"), 0) << "missing value";
}

TEST_F(RegistryStore, WritesDwordsAndTouchesNothingElse) {
  SetRaw(L"unrelated", REG_SZ, {'x', 0, 0, 0});
  EXPECT_TRUE(WriteSetting(store, -1, L"bt3"));
  EXPECT_TRUE(WriteSetting(store, 999, L"extra key"));
  DWORD type = 0;
  EXPECT_EQ(GetRaw(L"bt3", &type), (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(GetRaw(L"extra key", &type), (std::vector<BYTE>{0xE7, 0x03, 0, 0}));
  EXPECT_EQ(GetRaw(L"unrelated", &type), (std::vector<BYTE>{'x', 0, 0, 0}));
}

TEST_F(RegistryStore, MissingKeyReadsZeroAndWritesNothing) {
  DeleteSettingsKey(kTestKeyPath);
  EXPECT_FALSE(store.Query(L"bt3").has_value());
  EXPECT_FALSE(store.Set(L"bt3", 4));
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kTestKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS)
      << "a write must not create the key";
}

TEST_F(RegistryStore, EnsureKeepsExistingValues) {
  SetRaw(L"bt3", REG_DWORD, {3, 0, 0, 0});
  EnsureSettingsKey(kTestKeyPath);
  EXPECT_EQ(ReadSetting(store, L"bt3"), 3);
}

TEST_F(RegistryStore, LoadAndSaveRoundTripThroughTheRegistry) {
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
  SetRaw(L"gesture left", REG_DWORD, {0xE7, 0x03, 0, 0});
  SetRaw(L"extra key", REG_DWORD, {0xE7, 0x03, 0, 0});
  Assignments assignments;
  LoadSettings(store, assignments, catalogue);
  EXPECT_EQ(assignments.gestureLeft, 0);
  EXPECT_EQ(assignments.extraKey, 999);
  struct NoPush : ReceiverPush {
    void PushSettingsToReceivers() override {}
  } push;
  SaveSettings(store, assignments, catalogue, push);
  EXPECT_EQ(ReadSetting(store, L"gesture left"), 0);
  EXPECT_EQ(ReadSetting(store, L"extra key"), 999);
}

}  // namespace
}  // namespace corvan
