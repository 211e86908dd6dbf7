#include "overview/window_filter.h"

#include <gtest/gtest.h>

#include <map>

namespace corvan {
namespace {

constexpr WindowId kDesktop = 1;
constexpr WindowId kOwn = 2;
constexpr WindowId kTray = 3;
constexpr WindowId kProgman = 4;
constexpr WindowId kButton = 5;

WindowFacts Plain(std::wstring className = L"Notepad", std::wstring title = L"notes") {
  WindowFacts facts;
  facts.visible = true;
  facts.className = std::move(className);
  facts.title = std::move(title);
  facts.left = 10;
  facts.right = 410;
  return facts;
}

WindowFacts Owned(WindowId owner) {
  WindowFacts facts = Plain(L"#32770", L"Save as");
  facts.owner = owner;
  return facts;
}

WindowFacts ZeroWidth(WindowId owner, bool minimised = false) {
  WindowFacts facts = Plain(L"Launcher", L"launcher");
  facts.owner = owner;
  facts.left = facts.right = 100;
  facts.minimised = minimised;
  return facts;
}

// The desktop as a table of windows; unknown handles answer as invisible, like a closed window.
class FakeDesktop : public WindowFactsSource {
 public:
  FakeDesktop() {
    windows[kDesktop] = Plain(L"#32769", L"");
    windows[kOwn] = Plain(L"#32770", L"qx_expwnd");
    windows[kTray] = Plain(L"Shell_TrayWnd", L"");
    windows[kProgman] = Plain(L"Progman", L"Program Manager");
    windows[kButton] = Plain(L"Button", L"Start");
  }
  WindowFacts Facts(WindowId window) override {
    auto found = windows.find(window);
    return found == windows.end() ? WindowFacts{} : found->second;
  }
  ShellWindows CurrentShellWindows() override {
    ++shellLookups;
    return shell;
  }
  void Hide(WindowId window) override { hidden.push_back(window); }

  std::vector<WindowId> Filter(const std::vector<WindowId>& order) { return FilterWindows(order, kDesktop, kOwn, *this); }

  std::map<WindowId, WindowFacts> windows;
  ShellWindows shell{kTray, kProgman, kButton};
  std::vector<WindowId> hidden;
  int shellLookups = 0;
};

struct FilterRow {
  const char* what;
  std::vector<std::pair<WindowId, WindowFacts>> windows;  // in enumeration order, after the shell's own
  std::vector<WindowId> listed;
};

std::vector<FilterRow> FilterRows() {
  WindowFacts tool = Plain();
  tool.exStyle = kToolWindowStyle | 0x8;
  WindowFacts hiddenWindow = Plain();
  hiddenWindow.visible = false;
  WindowFacts minimised = Plain();
  minimised.minimised = true;
  WindowFacts zeroOwner = Plain();
  zeroOwner.left = zeroOwner.right = 0;
  return {
      {"a tool window is never listed", {{10, tool}, {11, Plain()}}, {11}},
      {"an invisible window is not listed", {{10, hiddenWindow}, {11, Plain()}}, {11}},
      {"the seven shell classes are left out, case-sensitively",
       {{10, Plain(L"WorkerW")}, {11, Plain(L"NativeHWNDHost")}, {12, Plain(L"ImmersiveBackgroundWindow")},
        {13, Plain(L"ImmersiveLauncher")}, {14, Plain(L"MetroGhostWindow")}, {15, Plain(L"SearchPane")},
        {16, Plain(L"Snapped Desktop")}, {17, Plain(L"workerw")}, {18, Plain(L"WorkerW2")}},
       {17, 18}},
      {"an owned dialog above its owner stands for the family", {{10, Owned(11)}, {11, Plain()}}, {10}},
      {"an owned window below its listed owner is not listed", {{11, Plain()}, {10, Owned(11)}}, {11}},
      {"two windows owned by one listed window are both left out", {{11, Plain()}, {10, Owned(11)}, {12, Owned(11)}}, {11}},
      {"a zero-width window is replaced by its owner", {{10, ZeroWidth(11)}, {11, Plain()}}, {11}},
      {"a zero-width window without an owner is not listed", {{10, ZeroWidth(0)}, {11, Plain()}}, {11}},
      {"a zero-width window owned by the taskbar is not listed", {{10, ZeroWidth(kTray)}}, {}},
      {"a zero-width window whose owner is zero-width too is not listed", {{10, ZeroWidth(11)}, {11, zeroOwner}}, {}},
      {"a minimised window is listed whatever its rectangle", {{10, ZeroWidth(0, true)}, {11, minimised}}, {10, 11}},
      {"a class name of 99 characters is read whole", {{10, Plain(std::wstring(99, L'c'))}}, {10}},
      {"a class name of 100 characters is cut and listed", {{10, Plain(L"WorkerW" + std::wstring(93, L'c'))}}, {10}},
      {"a title of 5000 characters", {{10, Plain(L"Notepad", std::wstring(5000, L't'))}}, {10}},
      {"a title that only begins like the overview's", {{10, Plain(L"Notepad", L"qx_expwnd 2")}}, {10}},
      {"no windows at all", {}, {}},
  };
}

TEST(WindowFilter, ListsOnlyTheWindowsAPersonSwitchesTo) {
  for (const FilterRow& row : FilterRows()) {
    FakeDesktop desktop;
    std::vector<WindowId> order = {kTray, kDesktop, kOwn};
    for (const auto& [id, facts] : row.windows) {
      desktop.windows[id] = facts;
      order.push_back(id);
    }
    order.push_back(kProgman);
    order.push_back(kButton);
    EXPECT_EQ(desktop.Filter(order), row.listed) << row.what;
  }
}

TEST(WindowFilter, HidesAWindowCarryingTheOverviewsTitle) {
  FakeDesktop desktop;
  desktop.windows[10] = Plain(L"#32770", L"qx_expwnd");
  desktop.windows[11] = Plain();
  EXPECT_EQ(desktop.Filter({10, kOwn, 11}), (std::vector<WindowId>{11}));
  EXPECT_EQ(desktop.hidden, (std::vector<WindowId>{10})) << "the overview's own window is skipped, not hidden";
}

TEST(WindowFilter, AsksForTheShellsWindowsAnewForEveryWindow) {
  // The taskbar is re-created between two windows: the old one is listed once it is no longer the taskbar.
  class RestartingTaskbar : public FakeDesktop {
   public:
    ShellWindows CurrentShellWindows() override {
      ShellWindows now = FakeDesktop::CurrentShellWindows();
      if (shellLookups > 1) now.tray = 99;
      return now;
    }
  } desktop;
  desktop.windows[10] = Plain();
  EXPECT_EQ(desktop.Filter({10, kTray}), (std::vector<WindowId>{10, kTray}));
  EXPECT_EQ(desktop.shellLookups, 2);
}

TEST(WindowFilter, KeepsTheFirstFourHundred) {
  FakeDesktop desktop;
  std::vector<WindowId> order;
  for (WindowId id = 100; id < 100 + 401; ++id) {
    desktop.windows[id] = Plain();
    order.push_back(id);
  }
  const std::vector<WindowId> listed = desktop.Filter(order);
  ASSERT_EQ(listed.size(), kMaxOverviewWindows);
  EXPECT_EQ(listed.front(), 100u);
  EXPECT_EQ(listed.back(), 499u) << "the 401st is dropped";
}

TEST(OtherMonitors, EveryMonitorButThePointersUpToTwenty) {
  struct Row {
    const char* what;
    std::vector<MonitorId> monitors;
    MonitorId cursor;
    size_t count;
  };
  std::vector<MonitorId> many;
  for (MonitorId m = 1; m <= 25; ++m) many.push_back(m);
  const Row rows[] = {
      {"one monitor", {7}, 7, 0},
      {"three monitors, the pointer on the middle one", {5, 6, 7}, 6, 2},
      {"a monitor unplugged since the pointer's was found", {5}, 6, 1},
      {"twenty-five monitors", many, 1, 20},
  };
  for (const Row& row : rows) {
    const std::vector<MonitorId> others = OtherMonitors(row.monitors, row.cursor);
    EXPECT_EQ(others.size(), row.count) << row.what;
    for (MonitorId m : others) EXPECT_NE(m, row.cursor) << row.what;
  }
  EXPECT_EQ(OtherMonitors({5, 6, 7}, 6), (std::vector<MonitorId>{5, 7})) << "in the system's order";
  EXPECT_EQ(OtherMonitors(many, 1).back(), 21u);
}

}  // namespace
}  // namespace corvan
