#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/program_messages.h"
#include "overview/grid_layout.h"
#include "overview/grow_shrink.h"
#include "overview/panel_dlg_win32.h"
#include "overview/snapshot_cache_win32.h"
#include "overview/thumbnail_service_win32.h"
#include "platform/animation_thread_win32.h"
#include "platform/dialog_win32.h"
#include "resource_ids.h"
#include "ui/layered_win32.h"

namespace corvan {

// The window overview: every window of the desktop on the monitor under the pointer, chosen by
// pointer or keys. Created once, hidden; each opening runs on a thread of its own that lays the
// items out, waits for the user's decision and activates the result. Nothing of it runs and no
// picture of it is kept while it is closed.
class EXPOSE_DLG : public Dialog {
 public:
  EXPOSE_DLG() : Dialog(IDD_OVERVIEW) {}
  ~EXPOSE_DLG() override;

  // Before Create; without one, the overview loads the system's own.
  void SetThumbnails(std::unique_ptr<ThumbnailService> thumbnails) { dwm_ = std::move(thumbnails); }
  // The window to repaint once the overview has closed over it.
  void SetMainWindow(HWND window) { mainWindow_ = window; }

  // Opens the overview on its own thread; `busy` is cleared once the items are laid out. False,
  // with `busy` untouched, while the last opening's thread is still ending.
  // `onDesktopCaptured` runs on the window's thread once the desktop's picture is taken (not at
  // all when the opening ends before).
  bool Open(std::atomic<int32_t>& busy, std::function<void()> onDesktopCaptured = {});
  // Every raw mouse input of the program while the overview is visible.
  void OnRawMouse(uint16_t buttonFlags);

  // For tests and the owner.
  bool running();
  bool laidOut() const { return stage_ == Stage::LaidOut; }
  int32_t selected();
  int32_t chosen() const { return chosen_.load(); }
  std::vector<HWND> listedWindows();
  std::vector<Rect> shownRects();
  std::vector<Rect> restingRects();
  bool holdsPictures();
  size_t snapshotCount() { return snapshots_.size(); }
  int animationThreads() const { return animationThread_.running() ? 1 : 0; }

 protected:
  BOOL OnInitDialog() override;
  bool PreTranslateMessage(MSG* msg) override;
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC) override { return true; }
  void OnDestroy() override;
  // Keys reach the overview as raw input; the dialog's own Esc and Enter do nothing.
  void OnCancel() override {}
  void OnOK() override {}

 private:
  // Where an opening stands: only a laid-out overview answers the pointer and the keys.
  enum class Stage { Closed, LayingOut, LaidOut };

  // One listed window, as the painter, the input and the animation share it.
  struct Item {
    HWND window = nullptr;
    // Read once the items are laid out.
    std::wstring title;
    HICON icon = nullptr;  // the window's or its class's: never ours to destroy
    Rect target;           // where it rests, in the client area
    HTHUMBNAIL thumbnail = nullptr;  // with composition on, until the overview closes
  };
  // Where a layout puts an item, and how it grows.
  struct Placement {
    Rect target;
    Growth step;
    HTHUMBNAIL thumbnail = nullptr;
  };

  // The overview thread.
  static DWORD WINAPI RunExposeMain(LPVOID self);
  void RunExpose();
  void EnsurePanels(size_t count);
  void CreatePanels(size_t count);
  void PreparePanels(HWND desktopWindow, bool& desktopRenders);
  void ShowPanels(HWND desktopWindow);
  void HidePanels(HWND desktopWindow);
  void LayoutWithThumbnails();
  void LayoutWithSnapshots();
  void FinishLayout(const OverviewGrid& grid, const std::vector<Placement>& placements);
  void WaitForDecision();
  void CloseItems();
  void ReleasePictures();

  // The user's side, on the window's thread.
  void OnKeyboardInput(HRAWINPUT handle);
  void OnMouseMove(Point client);
  void SelectItem(int32_t index);
  void MoveSelectionTo(int32_t index);
  void RequestClose(bool choose, int32_t index);
  void ListenToKeyboard(bool on);
  int32_t HitTest(Point client);
  void SetToolText(const std::wstring& text);

  // The animation thread of one opening: steps the grow and shrink every few milliseconds while an
  // item moves, and otherwise waits for the next selection change.
  void StartAnimation();
  void StopAnimation();
  AnimationThread::Next StepGrowth();

  // Outlives every thread of an opening: a thread may call into it until it ends.
  std::unique_ptr<ThumbnailService> dwm_;
  HWND mainWindow_ = nullptr;
  HWND toolTip_ = nullptr;
  bool keyboardRegistered_ = false;
  // Counts the openings, on the window's thread; a closing tells which opening it ends.
  uint32_t opening_ = 0;
  std::function<void()> onDesktopCaptured_;  // window's thread only
  // An opening asked for while the last one's thread was still ending (hiding the overview,
  // activating the chosen window): it starts once that thread has ended. Window's thread only.
  struct PendingOpening {
    std::atomic<int32_t>* busy;
    std::function<void()> onDesktopCaptured;
  };
  std::optional<PendingOpening> pendingOpening_;
  bool StartOpening(std::atomic<int32_t>& busy, std::function<void()> onDesktopCaptured);
  std::array<std::unique_ptr<PanelDlg>, 20> panels_;
  SnapshotCache snapshots_;
  // From the system's true version.
  uint32_t printFlags_ = 0;
  bool desktopRendersItself_ = false;

  // Opening and decision.
  HANDLE runThread_ = nullptr;
  HANDLE decision_ = nullptr;  // manual reset: set when the user has picked or cancelled
  std::atomic<int32_t>* busy_ = nullptr;
  std::atomic<bool> composition_{false};
  std::atomic<Stage> stage_{Stage::Closed};
  std::atomic<bool> paintPending_{false};
  std::atomic<int> closeRequested_{0};
  std::atomic<int32_t> chosen_{-1};
  std::atomic<int32_t> hovered_{-1};
  std::atomic<bool> ending_{false};
  HWND previousForeground_ = nullptr;
  Point monitorOrigin_;
  Point lastMouse_{-1, -1};
  std::vector<HMONITOR> otherMonitors_;

  // What the painter, the input and the animation share with the overview thread.
  std::mutex itemsMutex_;
  std::vector<Item> items_;
  OverviewGrid grid_;
  // Reset with the items at each opening and laid out with them, when the back buffer is made: while
  // there is a back buffer, the animation has one entry per item.
  GrowShrinkAnimation animation_;
  std::unique_ptr<LayeredSurface> backdrop_;
  std::unique_ptr<LayeredSurface> backBuffer_;

  AnimationThread animationThread_;
};

}  // namespace corvan
