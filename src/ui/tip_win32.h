#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/animation_thread_win32.h"
#include "platform/dialog_win32.h"
#include "resource_ids.h"
#include "ui/layered_win32.h"
#include "ui/tip.h"

namespace corvan {

// The function tip: a dark, soft-edged panel with one line of white text, centred on a screen
// point, fading in, staying and fading out while clicks pass through it to whatever lies beneath.
//
// A display thread steps the fade every 10 ms while a tip is shown and ends with it. It never paints:
// it shows, raises and invalidates the window, and the window's own thread presents the picture
// it composed at the last ShowTip with the new level, composing again only when the text or the
// size changed.
class QxTipDLG : public Dialog {
 public:
  QxTipDLG() : Dialog(IDD_FUNCTION_TIP) {}
  ~QxTipDLG() override;

  // Shows the text centred on the screen point (x, y), drawn at textSize pixels, fully opaque for
  // displayMs after fading in. A tip already on screen is replaced and fades in again from 0.
  void ShowTip(int x, int y, std::wstring_view text, int displayMs, int textSize);
  // The tip fades out from the level it has reached.
  void StopTip();
  // The tip goes at once, with no fade.
  void HideTip();

  uint8_t level() const { return level_; }
  // How often the picture was drawn and how often it was handed to the window.
  uint32_t composeCount() const { return composeCount_; }
  uint32_t presentCount() const { return presentCount_; }
  // Fade steps taken by the display thread.
  uint32_t stepCount() const { return stepCount_; }
  bool displayRuns() {
    std::lock_guard lock(mutex_);
    return displayRuns_;
  }

 protected:
  BOOL OnInitDialog() override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  // WM_CLOSE at exit only hides it: the window lives as long as the program.
  void OnCancel() override { HideTip(); }
  void OnOK() override {}

 private:
  void StartDisplayThread();
  AnimationThread::Next StepDisplay();
  void Act(const TipTick& tick, bool levelChanged);
  void ComposeIfChanged();
  void Present();

  std::mutex mutex_;
  TipFade fade_;              // guarded by mutex_
  bool displayRuns_ = false;  // guarded by mutex_
  std::atomic<uint8_t> level_{0};
  AnimationThread display_;

  // The window's own thread only.
  std::wstring text_;
  int textSize_ = 0;
  LayeredSurface surface_;
  std::wstring composedText_;
  int composedTextSize_ = -1;
  std::atomic<uint32_t> composeCount_{0};
  std::atomic<uint32_t> presentCount_{0};
  std::atomic<uint32_t> stepCount_{0};
};

// The one tip window of the program, created on first use on the calling thread (the main
// window's), which then owns and paints it.
void ShowFunctionTip(std::wstring_view text, POINT point, int displayMs, int textSize);
// The window the tip is made for, before the first tip: an owned tool window never has a button
// of its own on the taskbar.
void SetFunctionTipOwner(HWND owner);
// Ends a running display: the tip fades out, or with hideWindow goes at once.
void HideFunctionTip(bool hideWindow = false);
// Null until the first ShowFunctionTip.
QxTipDLG* FunctionTipWindow();

}  // namespace corvan
