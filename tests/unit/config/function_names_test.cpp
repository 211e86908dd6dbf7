#include "config/function_names.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvan {
namespace {

// Labels a language file might give: "Copy" renamed, a label in another script.
Catalogue Renamed(bool windows62) {
  FunctionLabels labels = DefaultFunctionLabels();
  labels[13] = L"Kopieren";  // Copy
  labels[12] = L"剪下";      // Cut
  return BuildCatalogue(labels, windows62);
}

TEST(FunctionNames, ResolveLabelsDefaultLabelsAndIds) {
  struct Row { bool windows62; std::wstring name; int32_t id; NameProblem problem; };
  const Row rows[] = {
  //   6.2    name                         id   problem
      {false, L"Copy",                     12, NameProblem::kNone},           // the default label still names it
      {false, L"kopieren",                 12, NameProblem::kNone},           // the shown label, in any case
      {false, L"KOPIEREN",                 12, NameProblem::kNone},
      {false, L"剪下",                      11, NameProblem::kNone},
      {false, L"screen snap #1",           28, NameProblem::kNone},
      {true,  L"Screen snap #1",           25, NameProblem::kNone},           // three entries fewer on 6.2
      {false, L"Email reader",              8, NameProblem::kNone},
      {true,  L"Email reader",             -1, NameProblem::kUnknownName},    // not on 6.2
      {false, L"Presenter",                26, NameProblem::kNone},           // a group
      {false, L"Multimedia",               18, NameProblem::kNone},
      {false, L"Mutimedia",                18, NameProblem::kNone},           // the former spellings still work
      {false, L"volumne +",                19, NameProblem::kNone},
      {true,  L"Volumne -",                18, NameProblem::kNone},
      {false, L"Volume -",                 20, NameProblem::kNone},
      {false, L"No function",               0, NameProblem::kNone},
      {false, L"13",                       13, NameProblem::kNone},
      {false, L"+7",                        7, NameProblem::kNone},
      {false, L"0030",                     30, NameProblem::kNone},
      {false, L"30",                       30, NameProblem::kNone},
      {false, L"31",                       -1, NameProblem::kIdOutOfRange},   // the count
      {true,  L"28",                       -1, NameProblem::kIdOutOfRange},
      {true,  L"27",                       27, NameProblem::kNone},
      {false, L"-1",                       -1, NameProblem::kIdOutOfRange},
      {false, L"2147483648",               -1, NameProblem::kIdOutOfRange},   // 2^31
      {false, L"99999999999999999999999",  -1, NameProblem::kIdOutOfRange},
      {false, L"Nonsense",                 -1, NameProblem::kUnknownName},
      {false, L"Cop",                      -1, NameProblem::kUnknownName},    // whole labels only
      {false, L" Copy",                    -1, NameProblem::kUnknownName},
      {false, L"-",                        -1, NameProblem::kUnknownName},
      {false, L"",                         -1, NameProblem::kEmpty},
      {false, std::wstring(L"Co\0py", 5),  -1, NameProblem::kControlCharacter},
      {false, L"Copy\n",                   -1, NameProblem::kControlCharacter},
      {false, std::wstring(10000, L'x'),   -1, NameProblem::kTooLong},
      {false, std::wstring(1000, L'x'),    -1, NameProblem::kUnknownName},
  };
  for (const Row& row : rows) {
    const Catalogue shown = Renamed(row.windows62);
    const Catalogue defaults = BuildCatalogue(DefaultFunctionLabels(), row.windows62);
    const NameResolution resolved = ResolveFunctionName(shown, defaults, row.name);
    EXPECT_EQ(resolved.id, row.id) << row.name.size() << " characters, 6.2 " << row.windows62;
    EXPECT_EQ(resolved.problem, row.problem) << row.name.size() << " characters, 6.2 " << row.windows62;
    EXPECT_EQ(DescribeNameProblem(resolved.problem, row.name, shown.Count()).empty(), row.problem == NameProblem::kNone);
  }
}

TEST(FunctionNames, AnErrorLineIsOneShortLine) {
  for (const std::wstring& name : {std::wstring(10000, L'x'), std::wstring(L"a\nb"), std::wstring(500, L'y')}) {
    const std::wstring line = DescribeNameProblem(ResolveFunctionName(Renamed(false), Renamed(false), name).problem,
                                                  name, 31);
    EXPECT_EQ(line.find(L'\n'), std::wstring::npos);
    EXPECT_LT(line.size(), 200u);
  }
}

TEST(FunctionNames, TheListingHasALinePerEntryWithItsGroupAndWhatItDoesInWords) {
  for (const auto& [windows62, lines] : {std::pair{false, 31}, std::pair{true, 28}}) {
    const Catalogue english = BuildCatalogue(DefaultFunctionLabels(), windows62);
    const std::wstring listing = CatalogueListing(english, english);
    EXPECT_EQ(std::count(listing.begin(), listing.end(), L'\n'), lines);
  }
  const Catalogue english = BuildCatalogue(DefaultFunctionLabels(), false);
  const std::wstring listing = CatalogueListing(english, english);
  const wchar_t* lines[] = {
      L"0   No function           -               Does nothing\n",
      L"2   Expose application    System          Opens the window overview\n",
      L"5   Start menu            System          Presses the right Windows key\n",
      L"12  Copy                  Function key    Presses Ctrl+C\n",
      L"14  Backward              Function key    Browser back key\n",
      L"16  Page Up               Function key    Page Up key\n",
      L"19  Volume +              Multimedia      Volume up key\n",
      L"22  Play / Pause          Multimedia      Play/pause media key\n",
      L"26  Presenter             -               Opens a menu of its 4 functions at the pointer\n",
      L"27  Highlighter           Presenter       Turns the highlighter on or off\n",
      L"30  Spotlight             Presenter       Turns the spotlight on or off\n",
  };
  for (const wchar_t* line : lines) EXPECT_NE(listing.find(line), std::wstring::npos) << std::wstring(line).size();
}

TEST(FunctionNames, TheListingShowsARenamedLabelWithTheEnglishOneBesideIt) {
  const std::wstring listing = CatalogueListing(Renamed(false), BuildCatalogue(DefaultFunctionLabels(), false));
  EXPECT_NE(listing.find(L"12  Kopieren (Copy)       Function key    Presses Ctrl+C\n"), std::wstring::npos);
  EXPECT_NE(listing.find(L"13  Paste                 Function key    Presses Ctrl+V\n"), std::wstring::npos);
}

}  // namespace
}  // namespace corvan
