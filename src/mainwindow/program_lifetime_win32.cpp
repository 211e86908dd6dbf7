#include "mainwindow/program_lifetime_win32.h"

#include <dbt.h>
#include <wtsapi32.h>

#include "core/named_events.h"
#include "platform/hid_win32.h"

namespace corvan {
namespace {

// How long the close path waits for each background thread to end once released.
constexpr DWORD kThreadEndWaitMs = 2000;
// The system gives a program about five seconds to end with the session.
constexpr DWORD kSessionEndCloseMs = 4000;
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

HANDLE CreateResetEvent(const wchar_t* name) {
  HANDLE event = CreateEventW(nullptr, TRUE, TRUE, name);
  if (event) ResetEvent(event);
  return event;
}

}  // namespace

void ProgramLifetime::ConnectReceivers() {
  state_.pushLock = std::make_unique<std::mutex>();
  receivers_ = std::make_shared<ReceiverConnection>(*state_.pushLock, state_.assignments, state_.shuttingDown);
}

void ProgramLifetime::RegisterNotifications(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterfaceClass;
  deviceNotification_ = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  // A receiver may lose its state while the system sleeps or the session is locked; the apply
  // pass on resume and on unlock gives it back without a re-plug.
  sessionNotification_ = WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

void ProgramLifetime::StartSingleInstanceListener(HWND window) {
  threads_.StartSingleInstanceListener(events_.singleInstance, window);
}

void ProgramLifetime::CreateTiltEvents() {
  tiltEvent_ = CreateResetEvent(kTiltEventName);
  defaultsEvent_ = CreateResetEvent(kDefaultsEventName);
}

void ProgramLifetime::StartTiltWorkerAndCloseWatcher(HWND window) {
  threads_.StartTiltWorker(tiltEvent_);
  threads_.StartCloseWatcher(receivers_, events_.close, window);
}

void ProgramLifetime::StartCursorFollower(HWND cursorOverlay) { threads_.StartCursorFollower(cursorOverlay); }

void ProgramLifetime::PushSettingsToReceivers() {
  if (receivers_) receivers_->link.PushSettingsToReceivers();
}

void ProgramLifetime::PulseDefaultsEvent() {
  if (defaultsEvent_) PulseEvent(defaultsEvent_);
}

void ProgramLifetime::OnDeviceChange(WPARAM event, LPARAM data) {
  // Only arrivals matter: no state is kept per device, so a removal has nothing to forget.
  if (event != DBT_DEVICEARRIVAL || !data || !receivers_) return;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return;
  const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
  receivers_->link.OnInterfaceArrived(PathFromWide(record->dbcc_name));
}

bool ProgramLifetime::Exit() {
  if (events_.close) PulseEvent(events_.close);
  // The pulse reaches a watcher only while it waits, and there is none without the event.
  return BeginClose();
}

bool ProgramLifetime::BeginClose() {
  state_.assignments.flagByte = 0;
  state_.shuttingDown = kClosing;
  if (threads_.RequestClose()) return true;
  if (receivers_) receivers_->link.RunCloseSequence(state_.assignments, state_.shuttingDown, [] {});
  return false;
}

void ProgramLifetime::OnSessionEnding() {
  if (BeginClose()) threads_.WaitForCloseSequence(kSessionEndCloseMs);
}

void ProgramLifetime::OnCloseBoundPassed() {
  closeBoundPassed_ = true;
  if (receivers_) receivers_->sleeper.Interrupt();
}

bool ProgramLifetime::EndThreadsIfClosed() {
  // Esc and close requests never end the program; only the close path does, and only once the
  // receivers are restored: the close watcher posts IDCANCEL itself when its sequence is over.
  if (state_.shuttingDown == kRunning) return false;
  if (!threads_.closeSequenceFinished() && !closeBoundPassed_) return false;
  if (defaultsEvent_) PulseEvent(defaultsEvent_);
  if (events_.singleInstance) PulseEvent(events_.singleInstance);
  if (tiltEvent_) PulseEvent(tiltEvent_);
  threads_.Stop(kThreadEndWaitMs);
  return true;
}

void ProgramLifetime::Unregister(HWND window) {
  // Only now that neither the hook nor the worker can use it. The threads were stopped on the
  // way here; one that did not end in time keeps its handle.
  if (tiltEvent_ && threads_.Stop(0)) {
    CloseHandle(tiltEvent_);
    tiltEvent_ = nullptr;
  }
  if (deviceNotification_) UnregisterDeviceNotification(deviceNotification_);
  if (sessionNotification_) WTSUnRegisterSessionNotification(window);
}

void ProgramLifetime::PulseTiltEvent() {
  if (tiltEvent_) PulseEvent(tiltEvent_);
}

void ProgramLifetime::StartGestureAnimation(int directionIndex) {
  state_.gestureDirection = directionIndex;
  state_.animationFrame = 0;
  threads_.WakeCursorFollower();
}

}  // namespace corvan
