#include "config/catalogue.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

struct ExpectedEntry {
  const wchar_t* label;
  int32_t code, parent, kind, action;
  uint32_t modifiers;
  int32_t key, icon;
};

// The full catalogue on a system before 6.2; on 6.2 and later the rows marked below are left out.
constexpr ExpectedEntry kFullCatalogue[] = {
//   label                  code parent kind action modifiers key     icon
    {L"No function",          1,   0,   0,   -1,   0x00,      0,      154},
    {L"System",              10,   0,   1,    0,   0x00,      0,        0},
    {L"Expose application",  11,  10,   0,    1,   0x00,      0,      155},
    {L"My computer",         13,  10,   0,    2,   0x00,      0,      156},
    {L"Show desktop",        14,  10,   0,    3,   0x00,      0,        0},
    {L"Start menu",          15,  10,   0,   20,   0x80,      0,        0},
    {L"Application",         20,   0,   1,    0,   0x00,      0,        0},
    {L"Calculator",          21,  20,   0,   10,   0x00,      0,        0},
    {L"Email reader",        22,  20,   0,   20,   0x00,      0xB4,     0},  // not on 6.2
    {L"Web browser",         23,  20,   0,   20,   0x00,      0xAC,     0},  // not on 6.2
    {L"Function key",        30,   0,   1,    0,   0x00,      0,        0},
    {L"Cut",                 31,  30,   0,   20,   0x01,      0x58,   169},
    {L"Copy",                32,  30,   0,   20,   0x01,      0x43,   152},
    {L"Paste",               33,  30,   0,   20,   0x01,      0x56,   153},
    {L"Backward",            34,  30,   0,   20,   0x00,      0xA6,     0},
    {L"Forward",             35,  30,   0,   20,   0x00,      0xA7,     0},
    {L"Page Up",             36,  30,   0,   21,   0x00,      0xE049,   0},
    {L"Page Down",           37,  30,   0,   21,   0x00,      0xE051,   0},
    {L"Multimedia",          50,   0,   1,    0,   0x00,      0,        0},
    {L"Volume +",            51,  50,   0,   20,   0x00,      0xAF,   162},
    {L"Volume -",            52,  50,   0,   20,   0x00,      0xAE,   161},
    {L"Mute",                53,  50,   0,   20,   0x00,      0xAD,     0},
    {L"Play / Pause",        54,  50,   0,   20,   0x00,      0xB3,     0},
    {L"Prev track",          55,  50,   0,   20,   0x00,      0xB1,     0},
    {L"Next track",          56,  50,   0,   20,   0x00,      0xB0,     0},
    {L"Media Player",        57,  50,   0,   20,   0x00,      0xB5,     0},  // not on 6.2
    {L"Presenter",           70,   0,   1,    0,   0x00,      0,        0},
    {L"Highlighter",         71,  70,   0,   30,   0x00,      0,        0},
    {L"Screen snap #1",      72,  70,   0,   31,   0x00,      0,      201},
    {L"Screen snap #2",      73,  70,   0,   32,   0x00,      0,      170},
    {L"Spotlight",           73,  70,   0,   33,   0x00,      0,        0},
};

bool LeftOutOn62(const ExpectedEntry& e) {
  return std::wstring(e.label) == L"Email reader" || std::wstring(e.label) == L"Web browser" ||
         std::wstring(e.label) == L"Media Player";
}

class CatalogueOnSystem : public ::testing::TestWithParam<bool> {};

TEST_P(CatalogueOnSystem, HoldsEveryRowInOrder) {
  const bool windows62 = GetParam();
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), windows62);
  size_t id = 0;
  for (const ExpectedEntry& expected : kFullCatalogue) {
    if (windows62 && LeftOutOn62(expected)) continue;
    ASSERT_LT(id, catalogue.entries.size());
    const _QxItemListDB& entry = catalogue.entries[id];
    SCOPED_TRACE(::testing::Message() << "id " << id);
    EXPECT_EQ(entry.label, expected.label);
    EXPECT_EQ(entry.code, expected.code);
    EXPECT_EQ(entry.parent, expected.parent);
    EXPECT_EQ(entry.kind, expected.kind);
    EXPECT_EQ(entry.action, expected.action);
    EXPECT_EQ(entry.modifiers, expected.modifiers);
    EXPECT_EQ(entry.key, expected.key);
    EXPECT_EQ(entry.icon, expected.icon);
    EXPECT_EQ(entry.index, 0);
    ++id;
  }
  EXPECT_EQ(id, catalogue.entries.size());
}

INSTANTIATE_TEST_SUITE_P(BothSystems, CatalogueOnSystem, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Windows62" : "Before62"; });

TEST(Catalogue, CountsAndRememberedIdsDependOnTheSystem) {
  const Catalogue before = BuildCatalogue(DefaultFunctionLabels(), false);
  EXPECT_EQ(before.Count(), 31);
  EXPECT_EQ(before.forwardId, 15);
  EXPECT_EQ(before.backwardId, 14);
  EXPECT_EQ(before.entries[30].label, L"Spotlight");

  const Catalogue later = BuildCatalogue(DefaultFunctionLabels(), true);
  EXPECT_EQ(later.Count(), 28);
  EXPECT_EQ(later.forwardId, 13);
  EXPECT_EQ(later.backwardId, 12);
  EXPECT_EQ(later.entries[27].label, L"Spotlight");
}

TEST(Catalogue, TakesLabelsAsLocalisedWhenBuilt) {
  FunctionLabels labels = DefaultFunctionLabels();
  labels[13] = L"Kopieren";
  labels[3] = L"unused";
  const Catalogue catalogue = BuildCatalogue(labels, false);
  EXPECT_EQ(catalogue.entries[12].label, L"Kopieren");
  for (const auto& entry : catalogue.entries) EXPECT_NE(entry.label, L"unused");
}

TEST(Catalogue, FindTreatsOutOfRangeIdsAsNothing) {
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), true);
  EXPECT_EQ(catalogue.Find(-1), nullptr);
  EXPECT_EQ(catalogue.Find(28), nullptr);
  EXPECT_EQ(catalogue.Find(40), nullptr);
  ASSERT_NE(catalogue.Find(27), nullptr);
  EXPECT_EQ(catalogue.Find(27)->label, L"Spotlight");
}

TEST(Catalogue, WindowsVersionTest) {
  struct Row { bool ok; uint32_t major, minor; bool expected; };
  const Row rows[] = {
      {true, 6, 1, false}, {true, 6, 2, true}, {true, 6, 3, true},
      {true, 10, 0, false}, {true, 5, 2, false}, {false, 6, 2, false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsWindows62OrLater(r.ok, r.major, r.minor), r.expected) << r.major << "." << r.minor;
}

std::vector<std::wstring> Labels(const std::vector<_QxItemListDB>& entries) {
  std::vector<std::wstring> labels;
  for (const auto& e : entries) labels.push_back(e.label);
  return labels;
}

std::vector<int32_t> Indexes(const std::vector<_QxItemListDB>& entries) {
  std::vector<int32_t> ids;
  for (const auto& e : entries) ids.push_back(e.index);
  return ids;
}

TEST(GroupMembers, EachGroupOnBothSystems) {
  using Strings = std::vector<std::wstring>;
  using Ids = std::vector<int32_t>;
  struct Row { bool windows62; int32_t code; Strings labels; Ids ids; };
  const Row rows[] = {
      {false, 0,  {L"No function", L"System", L"Application", L"Function key", L"Multimedia", L"Presenter"}, {0, 1, 6, 10, 18, 26}},
      {true,  0,  {L"No function", L"System", L"Application", L"Function key", L"Multimedia", L"Presenter"}, {0, 1, 6, 8, 16, 23}},
      {false, 10, {L"Expose application", L"My computer", L"Show desktop", L"Start menu"}, {2, 3, 4, 5}},
      {false, 20, {L"Calculator", L"Email reader", L"Web browser"}, {7, 8, 9}},
      {true,  20, {L"Calculator"}, {7}},
      {false, 30, {L"Cut", L"Copy", L"Paste", L"Backward", L"Forward", L"Page Up", L"Page Down"}, {11, 12, 13, 14, 15, 16, 17}},
      {true,  30, {L"Cut", L"Copy", L"Paste", L"Backward", L"Forward", L"Page Up", L"Page Down"}, {9, 10, 11, 12, 13, 14, 15}},
      {false, 50, {L"Volume +", L"Volume -", L"Mute", L"Play / Pause", L"Prev track", L"Next track", L"Media Player"}, {19, 20, 21, 22, 23, 24, 25}},
      {true,  50, {L"Volume +", L"Volume -", L"Mute", L"Play / Pause", L"Prev track", L"Next track"}, {17, 18, 19, 20, 21, 22}},
      {false, 70, {L"Highlighter", L"Screen snap #1", L"Screen snap #2", L"Spotlight"}, {27, 28, 29, 30}},
      {true,  70, {L"Highlighter", L"Screen snap #1", L"Screen snap #2", L"Spotlight"}, {24, 25, 26, 27}},
      {false, 73, {}, {}},  // an item code is not a group
  };
  for (const Row& row : rows) {
    const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), row.windows62);
    const auto members = GroupMembers(catalogue, row.code);
    EXPECT_EQ(Labels(members), row.labels) << "code " << row.code << " 6.2 " << row.windows62;
    EXPECT_EQ(Indexes(members), row.ids) << "code " << row.code << " 6.2 " << row.windows62;
  }
}

TEST(GroupMembers, CopiesOwnTheirLabels) {
  Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
  auto members = GroupMembers(catalogue, 30);
  members[0].label = L"changed";
  EXPECT_EQ(catalogue.entries[11].label, L"Cut");
}

TEST(OrderLabels, SixArrangementsOfTheLocalisedWords) {
  const OrderLabels labels = BuildOrderLabels(L"L", L"R", L"M");
  const OrderTriple expected[] = {{L"M", L"L", L"R"}, {L"M", L"R", L"L"}, {L"R", L"L", L"M"},
                                  {L"R", L"M", L"L"}, {L"L", L"R", L"M"}, {L"L", L"M", L"R"}};
  for (size_t order = 0; order < 6; ++order) EXPECT_EQ(labels[order], expected[order]) << order;
}

}  // namespace
}  // namespace corvan
