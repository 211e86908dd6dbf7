#pragma once

#include <windows.h>

#include <memory>

#include "device/device_events.h"
#include "mainwindow/background_threads_win32.h"
#include "mainwindow/program_state.h"
#include "mainwindow/receiver_connection_win32.h"

namespace corvan {

// The two events start-up creates; later copies pulse them.
struct InstanceEvents {
  HANDLE singleInstance = nullptr;
  HANDLE close = nullptr;
};

// The resident program's life around its main window: the receivers and the notifications that
// concern them (device arrival, resume, unlock), the events other copies and threads wait on, the
// background threads, and the close sequence that leaves the receivers in their native state
// before the program ends. Main window thread only.
class ProgramLifetime final : public DeviceEventEffects {
 public:
  ProgramLifetime(ProgramState& state, InstanceEvents events) : state_(state), events_(events) {}
  ProgramLifetime(const ProgramLifetime&) = delete;
  ProgramLifetime& operator=(const ProgramLifetime&) = delete;

  // Start-up steps, in the main window's order.
  void ConnectReceivers();
  void RegisterNotifications(HWND window);
  void StartSingleInstanceListener(HWND window);
  void CreateTiltEvents();
  void StartTiltWorkerAndCloseWatcher(HWND window);
  void StartCursorFollower(HWND cursorOverlay);

  HANDLE tiltEvent() const { return tiltEvent_; }
  // Exists from the first start-up step on.
  ReceiverLink& link() { return receivers_->link; }
  void PushSettingsToReceivers();
  void PulseDefaultsEvent();
  void OnDeviceChange(WPARAM event, LPARAM data);

  // The tray's Exit: tells a close watcher, then starts the close sequence. True when the watcher
  // runs it; otherwise it has run by the time this returns.
  bool Exit();
  // Neutral settings, closing, and the close sequence: on the close watcher when it runs (true),
  // otherwise here, done by the time this returns (false).
  bool BeginClose();
  // The user logs off or the system shuts down: the process may be ended as soon as this returns,
  // so the receivers are restored now, within the time the system allows.
  void OnSessionEnding();
  // The close sequence ran too long: a receiver that never answers must not keep the program from
  // ending, so the watcher's pauses are cut short.
  void OnCloseBoundPassed();
  // Whether the program may end now; when it may, every background thread has been released and
  // stopped.
  bool EndThreadsIfClosed();
  // The main window's destroy step, once the hooks are gone.
  void Unregister(HWND window);

  // What a decoded report asks.
  void PulseTiltEvent() override;
  void StartGestureAnimation(int directionIndex) override;

 private:
  ProgramState& state_;
  InstanceEvents events_;
  std::shared_ptr<ReceiverConnection> receivers_;
  HANDLE tiltEvent_ = nullptr;
  HANDLE defaultsEvent_ = nullptr;
  HDEVNOTIFY deviceNotification_ = nullptr;
  bool sessionNotification_ = false;
  BackgroundThreads threads_{state_};
  // Set when the close sequence has run too long: the window then ends without it.
  bool closeBoundPassed_ = false;
};

}  // namespace corvan
