#pragma once

#include <windows.h>

#include <memory>

#include "config/assignments.h"
#include "config/settings_store.h"
#include "core/function_runner.h"
#include "core/program_messages.h"
#include "device/device_events.h"
#include "device/raw_input_layout.h"
#include "device/receiver_link.h"
#include "input/dispatcher.h"
#include "input/routing.h"
#include "input/tray_clicks.h"
#include "mainwindow/background_threads_win32.h"
#include "mainwindow/copied_data_handler_win32.h"
#include "mainwindow/init_sequence.h"
#include "mainwindow/overlays_win32.h"
#include "mainwindow/program_state.h"
#include "mainwindow/show_sequence.h"
#include "mainwindow/tray_icon_win32.h"
#include "platform/actions_win32.h"
#include "platform/dialog_win32.h"
#include "platform/hid_win32.h"
#include "platform/keyboard_injector_win32.h"
#include "platform/registry_settings_store_win32.h"
#include "ui/main_window_skin_win32.h"

namespace corvan {


// The two events start-up creates; later copies pulse them.
struct InstanceEvents {
  HANDLE singleInstance = nullptr;
  HANDLE close = nullptr;
};

// The main window: the skinned picture of the mouse, owner of the tray icon, the overlays, the
// background threads. Runs modally for the whole life of the program.
class CCorvanAssistantDlg : public Dialog,
                            private MainWindowInit,
                            private FactoryDefaultEffects,
                            private DeviceEventEffects {
 public:
  CCorvanAssistantDlg(ProgramState& state, InstanceEvents events);
  ~CCorvanAssistantDlg() override;

  // Takes the copied-data blocks other processes send (a later copy's /run); must outlive the window.
  void SetCopiedDataHandler(CopiedDataHandler* handler) { copiedData_ = handler; }

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG* msg) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC dc) override { return EraseBackgroundDrawingNothing(dc); }
  bool OnCommand(WORD id, WORD notifyCode) override;
  void OnTimer(UINT_PTR id) override;
  bool OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
  void OnDestroy() override;
  void OnCancel() override;
  void OnOK() override {}

 private:
  // Initialisation steps, run in order by RunInitBeforeShow and RunInitAfterShow.
  void InitialiseFramework() override;
  void CreatePushLock() override;
  void ComputeProgramDir() override;
  void QueryWindowsVersion() override;
  void RegisterDeviceArrival() override;
  void LoadTrayMenu() override;
  void AddTrayIcon() override;
  void Localise() override;
  void BuildCatalogue() override;
  void CreateOverlayWindows() override;
  void SetUpSkin() override;
  bool StartsHidden() override;
  void StartHideTimer() override;
  void RegisterRawInput() override;
  void Invalidate() override;
  void StartCursorFollower() override;
  void StartRepaintAndPickerTimers() override;
  void StartSingleInstanceListener() override;
  void LoadSettings() override;
  void CreateTiltEvents() override;
  void StartTiltWorkerAndCloseWatcher() override;
  void InstallMouseHook() override;
  void LoadHookLibrary() override;
  void InitialiseCom() override;
  void InstallForegroundHook() override;
  void SaveSettings() override;

  void PushSettingsToReceivers();
  void RepaintMainWindow() override;
  void PulseDefaultsEvent() override;

  void PulseTiltEvent() override;
  void StartGestureAnimation(int directionIndex) override;

  // Input routing: raw input, the picker's choice and the pointer on the mouse picture.
  void OnRawInput(HRAWINPUT handle);
  void OnRawMouse(const RawInputView& mouse);
  PickerFacts CurrentPickerFacts();
  void Perform(const RoutingActions& actions);

  void OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
  void OnDeviceChange(WPARAM event, LPARAM data);
  void ShowFromTray();
  void OnPickerWatch();
  void RunShowStep(ShowStep step);

  // Neutral settings, closing, and the close sequence: on the close watcher when it runs (true),
  // otherwise here, done by the time this returns (false).
  bool BeginClose();
  void OnCloseBoundPassed();
  void OnSessionEnding();

  ProgramState& state_;
  InstanceEvents events_;
  RegistrySettingsStore store_;
  ShowSequence showSequence_;
  TrayIcon tray_;
  TrayClicks trayClicks_;
  UINT taskbarCreatedMessage_ = 0;
  HICON icon_ = nullptr;
  MainWindowSkin skin_;
  HDEVNOTIFY deviceNotification_ = nullptr;
  bool sessionNotification_ = false;
  std::shared_ptr<ReceiverConnection> receivers_;
  Overlays overlays_{state_};
  HANDLE tiltEvent_ = nullptr;
  HANDLE defaultsEvent_ = nullptr;
  BackgroundThreads threads_{state_};
  // Set when the close sequence has run too long: the window then ends without it.
  bool closeBoundPassed_ = false;
  CopiedDataHandler* copiedData_ = nullptr;

  MainWindowRouting routing_{EditorHotRegions{}, RoutingTexts{}};
  Win32ShellCalls shellCalls_;
  Win32KeyboardInjector keyboard_;
  Win32Actions actions_{shellCalls_, keyboard_};
  ActionDispatcher dispatcher_{state_.functionCatalogue, actions_, overlays_, state_.overviewBusy};
  DeviceEvents deviceEvents_{state_.assignments, state_.tiltAccumulator, dispatcher_, *this};
};

}  // namespace corvan
