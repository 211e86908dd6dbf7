#pragma once

namespace corvan {

// The main window's initialisation, one call per step, in the order the system is assembled, in
// two parts around the window's first appearance. The Windows window implements the steps; tests
// record the order.
class MainWindowInit {
 public:
  virtual ~MainWindowInit() = default;
  virtual void InitialiseFramework() = 0;  // icons and title
  virtual void CreatePushLock() = 0;
  virtual void ComputeProgramDir() = 0;
  virtual void QueryWindowsVersion() = 0;
  virtual void RegisterDeviceArrival() = 0;
  virtual void LoadTrayMenu() = 0;
  virtual void AddTrayIcon() = 0;
  virtual void Localise() = 0;
  virtual void BuildCatalogue() = 0;
  virtual void CreateOverlayWindows() = 0;
  virtual void SetUpSkin() = 0;
  virtual bool StartsHidden() = 0;
  virtual void StartHideTimer() = 0;
  virtual void RegisterRawInput() = 0;
  virtual void Invalidate() = 0;
  virtual void StartCursorFollower() = 0;
  virtual void StartRepaintAndPickerTimers() = 0;
  virtual void StartSingleInstanceListener() = 0;
  virtual void LoadSettings() = 0;
  virtual void CreateTiltEvents() = 0;
  virtual void StartTiltWorkerAndCloseWatcher() = 0;
  virtual void InstallMouseHook() = 0;
  virtual void LoadHookLibrary() = 0;
  virtual void InitialiseCom() = 0;
  virtual void InstallForegroundHook() = 0;
  virtual void SaveSettings() = 0;
};

// Before the window first appears: what it shows, every listener that a later copy may pulse as
// soon as it sees the window, and the first save.
void RunInitBeforeShow(MainWindowInit& init);
// Right after the window has appeared: what the window does not show (tray icon, overlays, hooks),
// so that the window comes up without waiting for them.
void RunInitAfterShow(MainWindowInit& init);

}  // namespace corvan
