#include "mainwindow/init_sequence.h"

namespace corvan {

void RunInitBeforeShow(MainWindowInit& init) {
  init.InitialiseFramework();
  init.CreatePushLock();
  init.ComputeProgramDir();
  init.QueryWindowsVersion();
  // Labels are localised before the catalogue copies them.
  init.Localise();
  init.PublishMainWindow();
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
  // The first save also pushes the settings to every receiver present.
  init.SaveSettings();
}

}  // namespace corvan
