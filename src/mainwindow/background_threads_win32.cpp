#include "mainwindow/background_threads_win32.h"

#include "mainwindow/main_window_win32.h"

namespace corvan {
namespace {

constexpr DWORD kFollowerPeriodMs = 30;
constexpr int kOverlayBelowPointer = 50;

void FollowPointer(ProgramState& state, HWND overlay, HANDLE wake, HANDLE stop) {
  const HANDLE wakeOrStop[] = {wake, stop};
  while (state.shuttingDown == kRunning) {
    if (state.animationFrame >= kOverlayHiddenFrame) {
      if (overlay && IsWindowVisible(overlay)) ShowWindow(overlay, SW_HIDE);
      // Nothing to animate: sleep until a gesture resets the frame counter.
      if (WaitForMultipleObjects(2, wakeOrStop, FALSE, INFINITE) != WAIT_OBJECT_0) return;
      continue;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (overlay) {
      SetWindowPos(overlay, HWND_TOPMOST, cursor.x, cursor.y + kOverlayBelowPointer, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
      if (!IsWindowVisible(overlay)) ShowWindow(overlay, SW_SHOWNOACTIVATE);
    }
    ++state.animationFrame;
    if (overlay) {
      InvalidateRect(overlay, nullptr, FALSE);
      UpdateWindow(overlay);
    }
    if (WaitForSingleObject(stop, kFollowerPeriodMs) == WAIT_OBJECT_0) return;
  }
}

void ListenForLaterCopies(std::atomic<int32_t>& shuttingDown, HANDLE singleInstance, HANDLE stop, HWND window) {
  const HANDLE releasedOrStop[] = {singleInstance, stop};
  for (;;) {
    const DWORD woken = WaitForMultipleObjects(2, releasedOrStop, FALSE, INFINITE);
    // A failed wait (no event, or one this copy may not wait on) says nothing about closing.
    if (woken != WAIT_OBJECT_0 && woken != WAIT_OBJECT_0 + 1) return;
    if (woken == WAIT_OBJECT_0 + 1 || shuttingDown != kRunning) break;
    // The show sequence runs on the window's own thread, so this thread is back waiting at once
    // and a later copy's pulse is never missed.
    PostMessageW(window, kWakeFromSecondCopyMessage, 0, 0);
  }
  shuttingDown = kListenerEnded;
}

}  // namespace

BackgroundThreads::BackgroundThreads(ProgramState& state)
    : state_(state),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      followerWake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      closeRequest_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

BackgroundThreads::~BackgroundThreads() {
  Stop(0);
  // Handles a thread may still wait on stay open: a closed handle's number can be reused.
  if (!allEnded_) return;
  for (HANDLE event : {stop_, followerWake_, closeRequest_}) {
    if (event) CloseHandle(event);
  }
}

void BackgroundThreads::StartCursorFollower(HWND overlay) {
  state_.animationFrame = kOverlayHiddenFrame;
  if (!followerWake_ || !stop_) return;
  follower_.Start([state = &state_, overlay, wake = followerWake_, stop = stop_] {
    FollowPointer(*state, overlay, wake, stop);
  });
}

void BackgroundThreads::WakeCursorFollower() {
  if (followerWake_) SetEvent(followerWake_);
}

void BackgroundThreads::StartSingleInstanceListener(HANDLE singleInstanceEvent, HWND window) {
  if (!stop_) return;
  listener_.Start([shuttingDown = &state_.shuttingDown, singleInstanceEvent, stop = stop_, window] {
    ListenForLaterCopies(*shuttingDown, singleInstanceEvent, stop, window);
  });
}

void BackgroundThreads::StartTiltWorker(HANDLE tiltEvent) {
  if (!tiltEvent || !stop_) return;
  tiltWorker_.Start([state = &state_, tiltEvent, stop = stop_] {
    RunTiltScrollWorker(tiltEvent, stop, state->tiltAccumulator, state->shuttingDown);
  });
}

void BackgroundThreads::StartCloseWatcher(std::shared_ptr<ReceiverConnection> receivers, HANDLE closeEvent,
                                          HWND window) {
  if (!receivers || !closeRequest_ || !stop_) return;
  closeWatcher_.Start([state = &state_, receivers, closeEvent, request = closeRequest_, stop = stop_, window,
                       finished = closeFinished_] {
    // Without a close event (the name was taken) only the program's own Exit can close it.
    const HANDLE withEvent[] = {stop, request, closeEvent};
    const DWORD count = closeEvent ? 3 : 2;
    const DWORD woken = WaitForMultipleObjects(count, withEvent, FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0 || woken >= WAIT_OBJECT_0 + count) return;
    PostMessageW(window, kCloseStartedMessage, 0, 0);
    receivers->link.RunCloseSequence(state->assignments, state->shuttingDown, [&] {
      *finished = true;
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
  });
}

bool BackgroundThreads::RequestClose() {
  if (!closeWatcher_.started() || !closeRequest_) return false;
  SetEvent(closeRequest_);
  return true;
}

bool BackgroundThreads::Stop(DWORD boundMs) {
  if (stop_) SetEvent(stop_);
  // Each gets the whole bound: they were all released at once, so they end side by side.
  const bool followerEnded = follower_.Join(boundMs);
  const bool listenerEnded = listener_.Join(boundMs);
  const bool tiltEnded = tiltWorker_.Join(boundMs);
  const bool watcherEnded = closeWatcher_.Join(boundMs);
  allEnded_ = followerEnded && listenerEnded && tiltEnded && watcherEnded;
  return allEnded_;
}

}  // namespace corvan
