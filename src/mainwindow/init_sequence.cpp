#include "mainwindow/init_sequence.h"

namespace corvan {

void RunInitBeforeShow(MainWindowInit& init) {
  init.InitialiseFramework();
  init.CreatePushLock();
  init.ComputeProgramDir();
  init.QueryWindowsVersion();
  // Labels are localised before the catalogue copies them.
  init.Localise();
  init.BuildCatalogue();
  init.SetUpSkin();
  if (init.StartsHidden()) init.StartHideTimer();
  init.RegisterRawInput();
  init.Invalidate();
  init.StartRepaintAndPickerTimers();
  // The listener must be waiting before a later copy can pulse; settings come after it so a
  // slow registry cannot delay that.
  init.StartSingleInstanceListener();
  init.LoadSettings();
  init.CreateTiltEvents();
  init.StartTiltWorkerAndCloseWatcher();
  // The first save also pushes the settings to every receiver present. It comes before the window
  // appears, so that once the window is up no save of what was loaded can replace a change made
  // from outside.
  init.SaveSettings();
}

void RunInitAfterShow(MainWindowInit& init) {
  init.RegisterDeviceArrival();
  init.LoadTrayMenu();
  init.AddTrayIcon();
  init.CreateOverlayWindows();
  init.StartCursorFollower();
  init.InstallMouseHook();
  init.LoadHookLibrary();
  init.InitialiseCom();
  init.InstallForegroundHook();
}

}  // namespace corvan
