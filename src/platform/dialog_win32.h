#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <utility>

namespace corvan {

// A small stand-in for a dialog framework: a window created from a dialog template, with virtual
// handlers, modal and modeless creation, and a message loop that offers each message to
// PreTranslateMessage of the addressed window and its parents before dispatching it.
//
// WindowProc sees every message first; returning nothing leaves the message to the system's
// default dialog processing. The base WindowProc routes the common messages to the On* handlers.
class Dialog {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the window modally on the calling thread; returns the result given to EndDialog.
  INT_PTR DoModal(HWND owner = nullptr);
  // Creates the window modeless; it lives until Destroy.
  bool Create(HWND parent = nullptr);
  // Destroys a modeless window now, with its destroy step (OnDestroy) run. By the time the base
  // destructor runs the derived handlers are gone, and a window left to it is destroyed without
  // them: an owner holds the object in a DialogPtr, or calls this before letting it go.
  void Destroy();
  // Ends the modal loop with a result. Safe from any thread.
  void EndDialog(INT_PTR result);

  HWND hwnd() const { return hwnd_; }
  int templateId() const { return templateId_; }
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }

  static Dialog* FromHandle(HWND hwnd);
  // Offers a message to the addressed window and then its parents; true when one handled it.
  static bool PreTranslateTree(MSG* msg);

 protected:
  virtual BOOL OnInitDialog();
  // Return true when the message was handled and must not be dispatched.
  virtual bool PreTranslateMessage(MSG* msg);
  virtual std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Handlers: return false (or nothing) to leave the message to the default processing.
  virtual bool OnPaint() { return false; }
  virtual bool OnEraseBackground(HDC) { return false; }
  virtual void OnTimer(UINT_PTR) {}
  virtual bool OnCommand(WORD id, WORD notifyCode);
  virtual bool OnSetCursor(HWND, UINT, UINT) { return false; }
  virtual void OnDestroy() {}
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual void OnOK() { EndDialog(IDOK); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CentreOnWorkArea();

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  std::atomic<bool> endRequested_{false};
  std::atomic<INT_PTR> result_{0};
};

// Deletes a modeless window's object only after destroying its window, so that the destroy step
// runs while the whole object is there.
struct DestroyWindowFirst {
  void operator()(Dialog* dialog) const {
    dialog->Destroy();
    delete dialog;
  }
};

template <class T>
using DialogPtr = std::unique_ptr<T, DestroyWindowFirst>;

template <class T, class... Args>
DialogPtr<T> MakeDialog(Args&&... args) {
  return DialogPtr<T>(new T(std::forward<Args>(args)...));
}

// The loop every modeless window of a thread shares when the thread has no modal dialog:
// pre-translation, then dispatch, until WM_QUIT.
void RunMessageLoop();

}  // namespace corvan
