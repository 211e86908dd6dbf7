#pragma once

#include <windows.h>

#include <memory>

#include "core/program_messages.h"
#include "mainwindow/program_state.h"
#include "mainwindow/receiver_connection_win32.h"
#include "platform/tilt_scroll_worker_win32.h"
#include "platform/wait_thread_win32.h"

namespace corvan {

// The main window's background waiters, started here and ended here: the cursor overlay
// follower, the single-instance listener, the tilt worker and the close watcher. They share one
// thread, which blocks while none of them has anything to do: a thread costs its stack all day,
// and each of these works for a moment now and then. The close sequence runs on it too; by then
// nothing else matters.
class BackgroundThreads {
 public:
  explicit BackgroundThreads(ProgramState& state);
  ~BackgroundThreads();
  BackgroundThreads(const BackgroundThreads&) = delete;
  BackgroundThreads& operator=(const BackgroundThreads&) = delete;

  // Keeps the overlay 50 pixels below the pointer while the animation counter runs.
  void StartCursorFollower(HWND overlay);
  void WakeCursorFollower();
  // Shows the window when a later copy pulses the single-instance event. A wait that fails (no
  // event) ends the listener and leaves the shutting-down flag alone.
  void StartSingleInstanceListener(HANDLE singleInstanceEvent, HWND window);
  void StartTiltWorker(HANDLE tiltEvent);
  // Runs the close sequence when the close event is pulsed (or RequestClose is called), then
  // posts IDCANCEL to the window.
  void StartCloseWatcher(std::shared_ptr<ReceiverConnection> receivers, HANDLE closeEvent, HWND window);
  // The program's own Exit: works without a close event, and whatever a pulse may miss. False
  // when no watcher runs to do it.
  bool RequestClose();
  // Waits for the close watcher to finish its sequence; true when it has, within the bound.
  bool WaitForCloseSequence(DWORD boundMs);
  // The close sequence is over, or there is no watcher that could still be in it.
  bool closeSequenceFinished() const { return !closeWatcherStarted_ || WaitForSingleObject(closeFinished_, 0) == WAIT_OBJECT_0; }

  // Releases every thread and waits for each within the bound. True when all have ended.
  bool Stop(DWORD boundMs);

 private:
  ProgramState& state_;
  HANDLE followerWake_;   // auto reset
  HANDLE closeRequest_;   // manual reset
  HANDLE closeFinished_;  // manual reset
  bool closeWatcherStarted_ = false;
  bool listenerStarted_ = false;
  WaitThread waiters_;
  bool ended_ = false;
};

}  // namespace corvan
