#include "platform/dialog_win32.h"

namespace corvan {
namespace {

constexpr wchar_t kDialogProperty[] = L"CorvanDialog";

// The messages whose answer a dialog procedure returns itself instead of through
// DWLP_MSGRESULT: an icon, a brush, a comparison, an item index.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::~Dialog() {
  if (!hwnd_ || !IsWindow(hwnd_)) return;
  // The derived part of the object is gone: the window's last messages must not reach it.
  RemovePropW(hwnd_, kDialogProperty);
  DestroyWindow(hwnd_);
}

void Dialog::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

Dialog* Dialog::FromHandle(HWND hwnd) { return static_cast<Dialog*>(GetPropW(hwnd, kDialogProperty)); }

bool Dialog::Create(HWND parent) {
  hwnd_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

INT_PTR Dialog::DoModal(HWND owner) {
  modal_ = true;
  endRequested_ = false;
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  if (!Create(owner)) {
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    return -1;
  }
  MSG msg;
  while (!endRequested_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!PreTranslateTree(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  modal_ = false;
  return result_;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  endRequested_ = true;
  // Wakes the modal loop when the call comes from another thread or from inside a handler.
  if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

BOOL Dialog::OnInitDialog() { return TRUE; }

void Dialog::CentreOnWorkArea() {
  RECT window{}, work{};
  GetWindowRect(hwnd_, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
  const int y = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Dialog::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) return IsDialogMessageW(hwnd_, msg);
  return false;
}

bool Dialog::OnCommand(WORD id, WORD) {
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  if (id == IDOK) {
    OnOK();
    return true;
  }
  return false;
}

std::optional<LRESULT> Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_PAINT:
      if (OnPaint()) return 0;
      return std::nullopt;
    case WM_ERASEBKGND:
      if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
      return std::nullopt;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      return std::nullopt;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam))) return TRUE;
      return std::nullopt;
    case WM_DESTROY:
      OnDestroy();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

bool Dialog::PreTranslateTree(MSG* msg) {
  for (HWND window = msg->hwnd; window; window = GetParent(window)) {
    if (Dialog* dialog = FromHandle(window); dialog && dialog->PreTranslateMessage(msg)) return true;
  }
  return false;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<Dialog*>(lParam);
    dialog->hwnd_ = hwnd;
    SetPropW(hwnd, kDialogProperty, dialog);
  }
  Dialog* dialog = FromHandle(hwnd);
  if (!dialog) return FALSE;
  const std::optional<LRESULT> result = dialog->WindowProc(message, wParam, lParam);
  // Like the framework: a modal dialog is centred once its initialisation (which may resize it)
  // is over, before it is first shown.
  if (message == WM_INITDIALOG && dialog->modal_) dialog->CentreOnWorkArea();
  if (message == WM_NCDESTROY) {
    RemovePropW(hwnd, kDialogProperty);
    // Also when the system destroys the window with its owner: the handle may soon name another.
    dialog->hwnd_ = nullptr;
  }
  if (!result) return FALSE;
  if (AnswersDirectly(message)) return static_cast<INT_PTR>(*result);
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, *result);
  return TRUE;
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!Dialog::PreTranslateTree(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace corvan
