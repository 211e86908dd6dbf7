#include "input/dispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "key_injection_fakes.h"

namespace corvan {
namespace {

using Calls = std::vector<std::string>;

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

std::string KeysCall(uint8_t modifiers, uint16_t key, bool down, bool scanMode) {
  char text[48];
  std::snprintf(text, sizeof text, "keys %02X+%04X %s %s", modifiers, key, down ? "down" : "up", scanMode ? "scan" : "vk");
  return text;
}

// Writes down every call that does something; the queries answer from the public fields.
class RecordingActions : public SystemActions, public MainWindowControls {
 public:
  Calls log;
  bool boardVisible = false;
  bool overviewVisible = false;
  bool mainWindowVisible = false;
  Point cursor{100, 200};
  Rect workArea{0, 0, 1280, 770};
  Point workAreaAskedAt{-1, -1};
  // When set, keys go through the real record list to this injector instead of into the log.
  KeyboardInjector* injector = nullptr;

  void InitialiseCom() override { log.push_back("com+"); }
  void UninitialiseCom() override { log.push_back("com-"); }
  void SendKeys(uint8_t modifiers, uint16_t key, bool down, bool scanMode) override {
    if (injector) return SendKeyCombination(*injector, modifiers, key, down, scanMode);
    log.push_back(KeysCall(modifiers, key, down, scanMode));
  }
  void OpenComputerFolder() override { log.push_back("computer"); }
  void ToggleDesktop() override { log.push_back("desktop"); }
  void StartCalculator() override { log.push_back("calculator"); }
  bool BoardVisible() override { return boardVisible; }
  void RaiseBoard() override { log.push_back("raise board"); }
  void ToggleBoard(int32_t mode) override { log.push_back("board " + std::to_string(mode)); }
  bool OverviewVisible() override { return overviewVisible; }
  void StartOverview(std::optional<FunctionTip> announcement) override {
    log.push_back("overview");
    if (announcement) log.push_back("once captured: " + TipCall(*announcement));
  }
  bool MainWindowVisible() override { return mainWindowVisible; }
  void HideMainWindowForAWhile() override { log.push_back("hide main window for a while"); }
  void ClosePicker() override { log.push_back("close picker"); }
  void FillPicker(int32_t groupCode) override { log.push_back("fill " + std::to_string(groupCode)); }
  void ShowPicker(Point p, PickerMode mode) override {
    log.push_back("picker " + std::to_string(p.x) + "," + std::to_string(p.y) +
                  (mode == PickerMode::QuickLaunch ? " quick launch" : " editor"));
  }
  Point CursorPosition() override { return cursor; }
  Rect WorkAreaAt(Point p) override {
    workAreaAskedAt = p;
    return workArea;
  }
  void ShowFunctionTip(Point c, const std::wstring& text, int32_t displayMs, int32_t size) override {
    log.push_back(TipCall({c, text, displayMs, size}));
  }
  static std::string TipCall(const FunctionTip& tip) {
    return "tip " + std::to_string(tip.centre.x) + "," + std::to_string(tip.centre.y) + " " + Narrow(tip.text) + " " +
           std::to_string(tip.displayMs) + " " + std::to_string(tip.textSize);
  }
};

struct Dispatch {
  explicit Dispatch(bool windows62) : catalogue(BuildCatalogue(DefaultFunctionLabels(), windows62)) {}
  Catalogue catalogue;
  RecordingActions actions;
  std::atomic<int32_t> overviewBusy{0};
  ActionDispatcher dispatcher{catalogue, actions, actions, overviewBusy};
};

Calls Tap(uint8_t modifiers, uint16_t key, bool scanMode = false) {
  return {KeysCall(modifiers, key, true, scanMode), KeysCall(modifiers, key, false, scanMode)};
}
Calls Up(uint8_t modifiers, uint16_t key, bool scanMode = false) { return {KeysCall(modifiers, key, false, scanMode)}; }
// The cursor of RecordingActions is at (100, 200).
Calls Group(int code) { return {"close picker", "fill " + std::to_string(code), "picker 99,199 quick launch"}; }

constexpr bool kTip = true;
constexpr bool kNoTip = false;
constexpr int32_t kAbsent = -1;

struct Row {
  const char* label;
  int32_t idBefore62, idOn62;
  Calls run;  // between the component library's set-up and release, the tip left out
  bool tip;
  Calls release;
};

const Row kEveryEntry[] = {
//   label                 ids         run                        tip     release
    {"No function",         0,  0,      {},                        kNoTip, {}},
    {"System",              1,  1,      Group(10),                 kNoTip, {}},
    {"Expose application",  2,  2,      {"overview", "once captured: tip 640,385 Expose application 1000 48"}, kNoTip, {}},
    {"My computer",         3,  3,      {"computer"},              kTip,   {}},
    {"Show desktop",        4,  4,      {"desktop"},               kTip,   {}},
    {"Start menu",          5,  5,      Tap(0x80, 0x00),           kTip,   Up(0x80, 0x00)},
    {"Application",         6,  6,      Group(20),                 kNoTip, {}},
    {"Calculator",          7,  7,      {"calculator"},            kTip,   {}},
    {"Email reader",        8,  kAbsent, Tap(0x00, 0xB4),          kTip,   Up(0x00, 0xB4)},
    {"Web browser",         9,  kAbsent, Tap(0x00, 0xAC),          kTip,   Up(0x00, 0xAC)},
    {"Function key",       10,  8,      Group(30),                 kNoTip, {}},
    {"Cut",                11,  9,      Tap(0x01, 0x58),           kTip,   Up(0x01, 0x58)},
    {"Copy",               12, 10,      Tap(0x01, 0x43),           kTip,   Up(0x01, 0x43)},
    {"Paste",              13, 11,      Tap(0x01, 0x56),           kTip,   Up(0x01, 0x56)},
    {"Backward",           14, 12,      Tap(0x00, 0xA6),           kTip,   Up(0x00, 0xA6)},
    {"Forward",            15, 13,      Tap(0x00, 0xA7),           kTip,   Up(0x00, 0xA7)},
    {"Page Up",            16, 14,      Tap(0x00, 0xE049, true),   kTip,   Up(0x00, 0xE049, true)},
    {"Page Down",          17, 15,      Tap(0x00, 0xE051, true),   kTip,   Up(0x00, 0xE051, true)},
    {"Multimedia",         18, 16,      Group(50),                 kNoTip, {}},
    {"Volume +",           19, 17,      Tap(0x00, 0xAF),           kTip,   Up(0x00, 0xAF)},
    {"Volume -",           20, 18,      Tap(0x00, 0xAE),           kTip,   Up(0x00, 0xAE)},
    {"Mute",               21, 19,      Tap(0x00, 0xAD),           kTip,   Up(0x00, 0xAD)},
    {"Play / Pause",       22, 20,      Tap(0x00, 0xB3),           kTip,   Up(0x00, 0xB3)},
    {"Prev track",         23, 21,      Tap(0x00, 0xB1),           kTip,   Up(0x00, 0xB1)},
    {"Next track",         24, 22,      Tap(0x00, 0xB0),           kTip,   Up(0x00, 0xB0)},
    {"Media Player",       25,  kAbsent, Tap(0x00, 0xB5),          kTip,   Up(0x00, 0xB5)},
    {"Presenter",          26, 23,      Group(70),                 kNoTip, {}},
    {"Highlighter",        27, 24,      {"board 1"},               kNoTip, {}},
    {"Screen snap #1",     28, 25,      {"board 3"},               kNoTip, {}},
    {"Screen snap #2",     29, 26,      {"board 2"},               kNoTip, {}},
    {"Spotlight",          30, 27,      {"board 4"},               kNoTip, {}},
};

TEST(ActionDispatcher, EveryEntryOnBothSystems) {
  for (const bool windows62 : {false, true}) {
    int covered = 0;
    for (const Row& row : kEveryEntry) {
      const int32_t id = windows62 ? row.idOn62 : row.idBefore62;
      if (id == kAbsent) continue;
      ++covered;
      SCOPED_TRACE(std::string(row.label) + (windows62 ? " on 6.2" : " before 6.2"));
      Dispatch d(windows62);
      ASSERT_EQ(Narrow(d.catalogue.entries.at(static_cast<size_t>(id)).label), row.label);

      d.dispatcher.RunFunction(id);
      Calls expected = {"com+"};
      expected.insert(expected.end(), row.run.begin(), row.run.end());
      // The work area of RecordingActions is (0, 0) - (1280, 770).
      if (row.tip) expected.push_back("tip 640,385 " + std::string(row.label) + " 1000 48");
      expected.push_back("com-");
      EXPECT_EQ(d.actions.log, expected);

      d.actions.log.clear();
      d.dispatcher.ReleaseFunction(id);
      EXPECT_EQ(d.actions.log, row.release);
    }
    Dispatch d(windows62);
    EXPECT_EQ(covered, d.catalogue.Count());
  }
}

TEST(ActionDispatcher, IdsThatNameNothing) {
  struct Case {
    int32_t id;
    Calls run;
  };
  for (const bool windows62 : {false, true}) {
    Dispatch d(windows62);
    const Case cases[] = {
        {-1, {}},  // not even the component library
        {INT32_MIN, {}},
        {d.catalogue.Count(), {"com+", "com-"}},
        {40, {"com+", "com-"}},
        {INT32_MAX, {"com+", "com-"}},
    };
    for (const Case& c : cases) {
      d.actions.log.clear();
      d.dispatcher.RunFunction(c.id);
      d.dispatcher.ReleaseFunction(c.id);
      EXPECT_EQ(d.actions.log, c.run) << "id " << c.id;
    }
  }
}

TEST(ActionDispatcher, AGroupHidesAVisibleMainWindowBeforeOpeningThePickerAtTheCursor) {
  Dispatch d(false);
  d.actions.mainWindowVisible = true;
  d.actions.cursor = {-300, 0};
  d.dispatcher.RunFunction(26);  // "Presenter"
  const Calls expected = {"com+",   "hide main window for a while", "close picker", "fill 70", "picker -301,-1 quick launch",
                          "com-"};
  EXPECT_EQ(d.actions.log, expected);
}

TEST(ActionDispatcher, OverviewStarts) {
  constexpr int32_t kOverview = 2;
  struct Case {
    const char* name;
    bool boardVisible, overviewVisible;
    int32_t busy;
    Calls run;
    int32_t busyAfter;
  };
  const Case cases[] = {
//   name                                       board  shown  busy  run                                                    busy after
    // The tip waits until the desktop behind the overview is captured: it would be in that picture.
    {"starts and marks itself busy",            false, false, 0,    {"com+", "overview", "once captured: tip 640,385 Expose application 1000 48", "com-"}, 1},
    // An opening is taking its pictures: a tip now would be in them.
    {"a start still laying out: none more",     false, false, 1,    {"com+", "com-"},                                                        1},
    {"already showing: none more",              false, true,  0,    {"com+", "tip 640,385 Expose application 1000 48", "com-"},             0},
    {"over the board: only raises it, no tip",  true,  false, 0,    {"com+", "raise board", "com-"},                                        0},
  };
  for (const Case& c : cases) {
    Dispatch d(false);
    d.actions.boardVisible = c.boardVisible;
    d.actions.overviewVisible = c.overviewVisible;
    d.overviewBusy = c.busy;
    d.dispatcher.RunFunction(kOverview);
    EXPECT_EQ(d.actions.log, c.run) << c.name;
    EXPECT_EQ(d.overviewBusy.load(), c.busyAfter) << c.name;
  }
}

TEST(ActionDispatcher, OverviewStartsAgainOnceTheLastOneHasLaidOut) {
  Dispatch d(false);
  d.dispatcher.RunFunction(2);
  d.dispatcher.RunFunction(2);
  d.overviewBusy = 0;  // as the overview does once its grid is laid out
  d.dispatcher.RunFunction(2);
  EXPECT_EQ(std::count(d.actions.log.begin(), d.actions.log.end(), "overview"), 2);
}

TEST(ActionDispatcher, TipSitsAtTheCentreOfTheWorkAreaUnderTheCursor) {
  struct Case {
    Rect workArea;
    const char* tip;
  };
  const Case cases[] = {
      {{0, 0, 1280, 770}, "tip 640,385 Copy 1000 48"},
      {{1280, 0, 3200, 1040}, "tip 2240,520 Copy 1000 48"},
      {{-1280, -1024, 0, 0}, "tip -640,-512 Copy 1000 48"},
      {{-1279, -3, 0, 0}, "tip -639,-1 Copy 1000 48"},  // halves toward zero
      {{0, 0, 1281, 3}, "tip 640,1 Copy 1000 48"},
  };
  for (const Case& c : cases) {
    Dispatch d(false);
    d.actions.cursor = {-5, 7};
    d.actions.workArea = c.workArea;
    d.dispatcher.RunFunction(12);
    ASSERT_EQ(d.actions.log.size(), 5u);
    EXPECT_EQ(d.actions.log[3], c.tip);
    EXPECT_EQ(d.actions.workAreaAskedAt, (Point{-5, 7}));
  }
}

TEST(ActionDispatcher, ALabelLocalisedToNothingShowsNoTip) {
  FunctionLabels labels = DefaultFunctionLabels();
  labels[13] = L"";  // "Copy"
  const Catalogue catalogue = BuildCatalogue(labels, false);
  RecordingActions actions;
  std::atomic<int32_t> busy{0};
  ActionDispatcher dispatcher(catalogue, actions, actions, busy);
  dispatcher.RunFunction(12);
  const Calls expected = {"com+", KeysCall(0x01, 0x43, true, false), KeysCall(0x01, 0x43, false, false), "com-"};
  EXPECT_EQ(actions.log, expected);
}

// Whatever single record the platform refuses, no key the run put down is left down: not after
// the run alone (a quick-launch choice has no release), and not after run and release.
TEST(ActionDispatcher, NoKeyIsLeftDownWhateverRecordIsRefused) {
  for (const bool windows62 : {false, true}) {
    const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), windows62);
    for (int32_t id = 0; id < catalogue.Count(); ++id) {
      SCOPED_TRACE(Narrow(catalogue.entries[static_cast<size_t>(id)].label));
      auto runAndRelease = [&](RefusingInjector& injector, bool release) {
        RecordingActions actions;
        actions.injector = &injector;
        std::atomic<int32_t> busy{0};
        ActionDispatcher dispatcher(catalogue, actions, actions, busy);
        dispatcher.RunFunction(id);
        if (release) dispatcher.ReleaseFunction(id);
      };
      RefusingInjector clean;
      runAndRelease(clean, true);
      for (int refused = 0; refused < clean.calls(); ++refused) {
        RefusingInjector runOnly(refused);
        runAndRelease(runOnly, false);
        EXPECT_FALSE(runOnly.AnyKeyDown()) << "run alone, record " << refused << " refused";
        RefusingInjector both(refused);
        runAndRelease(both, true);
        EXPECT_FALSE(both.AnyKeyDown()) << "run and release, record " << refused << " refused";
      }
    }
  }
}

}  // namespace
}  // namespace corvan
