#include "mainwindow/init_sequence.h"

#include <gtest/gtest.h>

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
  void PublishMainWindow() override { steps.push_back("publish"); }
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

std::vector<std::string> ExpectedOrder(bool hidden) {
  std::vector<std::string> order = {"framework", "push lock", "program dir", "version", "device arrival",
                                    "tray menu", "tray icon", "localise",    "publish", "catalogue",
                                    "overlays",  "skin"};
  if (hidden) order.push_back("hide timer");
  for (const char* step : {"raw input", "invalidate", "follower", "timers", "listener", "load", "tilt events",
                           "tilt worker, close watcher", "mouse hook", "hook library", "com", "foreground hook",
                           "save"}) {
    order.push_back(step);
  }
  return order;
}

TEST(MainWindowInit, RunsEveryStepInOrder) {
  for (bool hidden : {false, true}) {
    RecordingInit init(hidden);
    RunInitSequence(init);
    EXPECT_EQ(init.steps, ExpectedOrder(hidden)) << (hidden ? "hidden" : "shown");
  }
}

}  // namespace
}  // namespace corvan
