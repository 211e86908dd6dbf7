#include "mainwindow/background_threads_win32.h"

#include <atomic>

#include "mainwindow/main_window_win32.h"
#include "platform/display_scale_win32.h"
#include "presenter/cursor_dlg_win32.h"

namespace corvan {
namespace {

constexpr DWORD kFollowerPeriodMs = 30;
constexpr int kOverlayBelowPointer = 50;

// Keeps the overlay below the pointer, one frame per period, while the animation counter runs;
// then hides it and asks for nothing until a gesture resets the counter.
class PointerFollower {
 public:
  PointerFollower(ProgramState& state, HWND overlay) : state_(state), overlay_(overlay) {}

  void Step() {
    if (state_.shuttingDown != kRunning) return;
    if (state_.animationFrame >= kOverlayHiddenFrame) {
      if (overlay_ && IsWindowVisible(overlay_)) ShowWindow(overlay_, SW_HIDE);
      frameDue_ = false;
      return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (overlay_) {
      // The overlay takes the scale of the monitor under the pointer, its distance below it too.
      const DisplayScale scale = ScaleAt(cursor);
      SetWindowPos(overlay_, HWND_TOPMOST, cursor.x, cursor.y + scale.Px(kOverlayBelowPointer),
                   scale.Px(kCursorOverlaySize), scale.Px(kCursorOverlaySize), SWP_NOACTIVATE);
      if (!IsWindowVisible(overlay_)) ShowWindow(overlay_, SW_SHOWNOACTIVATE);
    }
    ++state_.animationFrame;
    if (overlay_) {
      InvalidateRect(overlay_, nullptr, FALSE);
      UpdateWindow(overlay_);
    }
    // The frame after the last one hides the overlay, a period later like every other frame.
    frameDue_ = true;
    nextFrameAt_ = GetTickCount64() + kFollowerPeriodMs;
  }

  DWORD UntilNextFrame() const {
    if (!frameDue_ || state_.shuttingDown != kRunning) return INFINITE;
    const ULONGLONG now = GetTickCount64();
    return now >= nextFrameAt_ ? 0 : static_cast<DWORD>(nextFrameAt_ - now);
  }

 private:
  ProgramState& state_;
  HWND overlay_;
  bool frameDue_ = false;
  ULONGLONG nextFrameAt_ = 0;
};

}  // namespace

BackgroundThreads::BackgroundThreads(ProgramState& state)
    : state_(state),
      followerWake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      closeRequest_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      closeFinished_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

BackgroundThreads::~BackgroundThreads() {
  Stop(0);
  // Handles the thread may still wait on stay open: a closed handle's number can be reused.
  if (!ended_) return;
  for (HANDLE event : {followerWake_, closeRequest_, closeFinished_}) {
    if (event) CloseHandle(event);
  }
}

void BackgroundThreads::StartCursorFollower(HWND overlay) {
  state_.animationFrame = kOverlayHiddenFrame;
  if (!followerWake_) return;
  auto follower = std::make_shared<PointerFollower>(state_, overlay);
  waiters_.SetTimer([follower] { return follower->UntilNextFrame(); }, [follower] { follower->Step(); });
  waiters_.Add(followerWake_, [follower] { follower->Step(); });
}

void BackgroundThreads::WakeCursorFollower() {
  if (followerWake_) SetEvent(followerWake_);
}

void BackgroundThreads::StartSingleInstanceListener(HANDLE singleInstanceEvent, HWND window) {
  // An event this copy cannot wait on says nothing about closing: no listener, the flag alone.
  if (!singleInstanceEvent || WaitForSingleObject(singleInstanceEvent, 0) == WAIT_FAILED) return;
  listenerStarted_ = waiters_.Add(singleInstanceEvent, [shuttingDown = &state_.shuttingDown, window] {
    if (*shuttingDown != kRunning) {
      *shuttingDown = kListenerEnded;
      return;
    }
    // The show sequence runs on the window's own thread, so the waiter is back at once and a
    // later copy's pulse is never missed.
    PostMessageW(window, kWakeFromSecondCopyMessage, 0, 0);
  });
}

void BackgroundThreads::StartTiltWorker(HANDLE tiltEvent) {
  waiters_.Add(tiltEvent, [state = &state_] {
    RunTiltScrollStep(state->tiltAccumulator, state->shuttingDown);
  });
}

void BackgroundThreads::StartCloseWatcher(std::shared_ptr<ReceiverConnection> receivers, HANDLE closeEvent,
                                          HWND window) {
  if (!receivers || !closeRequest_ || !closeFinished_) return;
  auto begun = std::make_shared<std::atomic<bool>>(false);
  auto close = [state = &state_, receivers, window, begun, finished = closeFinished_] {
    if (begun->exchange(true)) return;
    PostMessageW(window, kCloseStartedMessage, 0, 0);
    receivers->link.RunCloseSequence(state->assignments, state->shuttingDown, [&] {
      SetEvent(finished);
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
  };
  closeWatcherStarted_ = waiters_.Add(closeRequest_, close);
  // Without a close event (the name was taken) only the program's own Exit can close it.
  if (closeEvent) waiters_.Add(closeEvent, close);
}

bool BackgroundThreads::RequestClose() {
  if (!closeWatcherStarted_) return false;
  SetEvent(closeRequest_);
  return true;
}

bool BackgroundThreads::WaitForCloseSequence(DWORD boundMs) {
  return !closeWatcherStarted_ || WaitForSingleObject(closeFinished_, boundMs) == WAIT_OBJECT_0;
}

bool BackgroundThreads::Stop(DWORD boundMs) {
  ended_ = waiters_.Stop(boundMs);
  if (ended_ && listenerStarted_) state_.shuttingDown = kListenerEnded;
  return ended_;
}

}  // namespace corvan
