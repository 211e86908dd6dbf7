#include "mainwindow/init_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace corvan {
namespace {

class RecordingInit : public MainWindowInit {
 public:
  explicit RecordingInit(bool hidden) : hidden_(hidden) {}
  std::vector<std::string> steps;

  void InitialiseFramework() override { steps.push_back("framework"); }
  void CreatePushLock() override { steps.push_back("push lock"); }
  void ComputeProgramDir() override { steps.push_back("program dir"); }
  void QueryWindowsVersion() override { steps.push_back("version"); }
  void RegisterDeviceArrival() override { steps.push_back("device arrival"); }
  void LoadTrayMenu() override { steps.push_back("tray menu"); }
  void AddTrayIcon() override { steps.push_back("tray icon"); }
  void Localise() override { steps.push_back("localise"); }
  void BuildCatalogue() override { steps.push_back("catalogue"); }
  void CreateOverlayWindows() override { steps.push_back("overlays"); }
  void SetUpSkin() override { steps.push_back("skin"); }
  bool StartsHidden() override { return hidden_; }
  void StartHideTimer() override { steps.push_back("hide timer"); }
  void RegisterRawInput() override { steps.push_back("raw input"); }
  void Invalidate() override { steps.push_back("invalidate"); }
  void StartCursorFollower() override { steps.push_back("follower"); }
  void StartRepaintAndPickerTimers() override { steps.push_back("timers"); }
  void StartSingleInstanceListener() override { steps.push_back("listener"); }
  void LoadSettings() override { steps.push_back("load"); }
  void CreateTiltEvents() override { steps.push_back("tilt events"); }
  void StartTiltWorkerAndCloseWatcher() override { steps.push_back("tilt worker, close watcher"); }
  void InstallMouseHook() override { steps.push_back("mouse hook"); }
  void LoadHookLibrary() override { steps.push_back("hook library"); }
  void InitialiseCom() override { steps.push_back("com"); }
  void InstallForegroundHook() override { steps.push_back("foreground hook"); }
  void SaveSettings() override { steps.push_back("save"); }

 private:
  bool hidden_;
};

size_t Position(const std::vector<std::string>& steps, const std::string& step) {
  const auto found = std::find(steps.begin(), steps.end(), step);
  EXPECT_NE(found, steps.end()) << step << " never ran";
  return static_cast<size_t>(found - steps.begin());
}

// What each step needs from the ones before it.
TEST(MainWindowInit, EveryStepComesAfterWhatItNeeds) {
  struct Row { const char* before; const char* after; const char* because; };
  const Row rows[] = {
      {"framework",      "tray icon",                  "the icon is the window's, loaded with it"},
      {"push lock",      "save",                       "the first save pushes under the lock"},
      {"program dir",    "localise",                   "the language file is found beside the program"},
      {"program dir",    "hook library",               "the hook library is found beside the program"},
      {"version",        "catalogue",                  "the catalogue's length depends on the version"},
      {"tray menu",      "tray icon",                  "a click on the icon opens the menu"},
      {"localise",       "catalogue",                  "labels come from the language file"},
      {"catalogue",      "load",                       "loading checks the ids against the catalogue"},
      {"overlays",       "follower",                   "the follower moves the cursor overlay"},
      {"overlays",       "mouse hook",                 "the hook asks whether the board shows"},
      {"overlays",       "hook library",               "the library is handed the board's window"},
      {"skin",           "raw input",                  "the window has its final shape before input"},
      {"load",           "save",                       "the first save writes what was loaded"},
      {"tilt events",    "tilt worker, close watcher", "the worker waits on the tilt event"},
      {"tilt events",    "mouse hook",                 "the hook pulses the tilt event"},
      {"com",            "foreground hook",            "in the order the platform expects them"},
      {"listener",       "save",                       "a later copy is heard once the program is up"},
      {"tilt worker, close watcher", "save",           "the save, which talks to receivers, comes last before the show"},
  };
  for (bool hidden : {false, true}) {
    RecordingInit init(hidden);
    RunInitBeforeShow(init);
    init.steps.push_back("shown");
    RunInitAfterShow(init);
    for (const Row& row : rows) {
      EXPECT_LT(Position(init.steps, row.before), Position(init.steps, row.after))
          << row.before << " before " << row.after << ": " << row.because;
    }
    EXPECT_EQ(init.steps.back(), "foreground hook");
    // What the window shows, and whatever a later copy or a test may pulse once it sees it.
    // The first save too: once the window is up, no save of what was loaded may replace a change
    // made from outside.
    for (const char* step : {"skin", "catalogue", "load", "listener", "tilt worker, close watcher", "raw input", "save"}) {
      EXPECT_LT(Position(init.steps, step), Position(init.steps, "shown")) << step;
    }
    // Nothing the window does not show keeps it from coming up.
    for (const char* step : {"tray icon", "overlays", "mouse hook"}) {
      EXPECT_GT(Position(init.steps, step), Position(init.steps, "shown")) << step;
    }
    const bool hideTimer = std::find(init.steps.begin(), init.steps.end(), "hide timer") != init.steps.end();
    EXPECT_EQ(hideTimer, hidden) << "the hide timer runs only for a hidden start";
  }
}

}  // namespace
}  // namespace corvan
