#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/program_messages.h"
#include "platform/dialog_win32.h"
#include "presenter/board_state.h"
#include "presenter/snap_output_win32.h"
#include "resource_ids.h"
#include "ui/argb_image.h"
#include "ui/layered_win32.h"

namespace corvan {

// The presenter board over the monitor under the pointer (highlighter, snaps, spotlight). It
// decides nothing itself: BoardState turns raw mouse input into requests, which this window
// carries out on the frozen picture, the ink and the composed frame. Those three exist only while
// a mode is on.
class BoardDlg : public Dialog, private BoardSink {
 public:
  // `mode` is the program's record of the board's mode, which the mouse hook reads; `spotlightSize`
  // is the spotlight's side, which the hook changes.
  BoardDlg(std::atomic<int32_t>& mode, const std::atomic<int32_t>& spotlightSize);
  ~BoardDlg() override;

  // Whether the board is on the screen, kept as a plain value for the mouse hook, which must not
  // ask the system on every mouse event.
  const std::atomic<bool>& shownFlag() const { return shown_; }

  // Any mode on turns the board off; otherwise the mode begins over the monitor under the pointer.
  void Toggle(int32_t mode);
  // The tips' texts a language file may replace.
  void SetTexts(std::wstring leaveHint, std::wstring copiedToClipboard) {
    leaveHint_ = std::move(leaveHint);
    copiedToClipboard_ = std::move(copiedToClipboard);
  }
  // Back on top of every other top-most window; the spotlight stays inactive.
  void Raise();
  // Every raw mouse input of the program, whether the board is visible or not.
  void OnRawMouse(const RawMouse& input);

  const BoardState& state() const { return state_; }

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  bool OnSetCursor(HWND, UINT, UINT) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  // The board has no keyboard of its own: Esc and Enter do not end it.
  void OnCancel() override {}
  void OnOK() override {}

 private:
  // BoardSink.
  void ShowBoard() override;
  void HideBoard() override;
  void ClearBoard() override;
  void WriteSnap(SnapTarget target) override;
  void PaintInk(Point from, Point to, int colorIndex) override;
  void Invalidate(const Rect& area) override;

  bool Prepare(int32_t mode);
  void TurnOff();
  void ReleaseLayers();
  Point PointerInClient() const;
  POINT BoardCentre() const;
  void Present(const Rect& dirty);
  void PresentChanges();
  void OnSnapFileWritten(LPARAM result);
  void TryClipboard();
  void OnDisplayChange();

  std::atomic<int32_t>& mode_;
  const std::atomic<int32_t>& spotlightSize_;
  std::atomic<bool> shown_{false};
  std::wstring leaveHint_ = L"Esc to leave";
  std::wstring copiedToClipboard_ = L"Copied to Clipboard";
  BoardState state_;
  RECT monitor_{};  // the monitor the board covers, in screen coordinates
  ArgbImage capture_;
  InkLayer ink_;  // the highlighter's only
  std::unique_ptr<LayeredSurface> frame_;
  Rect dirty_;  // changed since the last presentation
  bool presentPosted_ = false;
  bool cursorHiddenByBoard_ = false;
  std::unique_ptr<SnapFileWriter> writer_;
  std::vector<uint8_t> pendingDib_;  // a clipboard copy still being tried
  int clipboardTries_ = 0;
  POINT clipboardTipAt_{};
};

}  // namespace corvan
