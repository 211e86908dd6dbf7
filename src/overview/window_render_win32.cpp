#include "overview/window_render_win32.h"

#include "overview/desktop_part.h"

namespace corvan {
namespace {

// A window that takes messages answers an empty one within a few milliseconds; one that takes
// longer is busy or hung, and would keep a render waiting as long. Short enough that a few such
// windows do not make the opening feel slow.
constexpr UINT kAnswerMs = 150;
// A window that answered may still take a while to paint itself whole (a large page at a high
// resolution); one that takes longer than this is stalling in its paint and is not waited for.
constexpr DWORD kRenderMs = 500;

// Shared by the caller and the render thread; the last of them to let go frees it, so a caller
// that stops waiting leaves nothing behind that the thread still writes to.
struct RenderJob {
  HWND window = nullptr;
  UINT printFlags = 0;
  std::unique_ptr<LayeredSurface> surface;
  bool rendered = false;
  HANDLE done = nullptr;  // manual reset: set once the render has returned
  ~RenderJob() {
    if (done) CloseHandle(done);
  }
};

DWORD WINAPI RenderMain(LPVOID parameter) {
  auto* handed = static_cast<std::shared_ptr<RenderJob>*>(parameter);
  const std::shared_ptr<RenderJob> job = std::move(*handed);
  delete handed;
  job->rendered = PrintWindow(job->window, job->surface->dc(), job->printFlags) != FALSE;
  GdiFlush();
  SetEvent(job->done);
  return 0;
}

}  // namespace

bool Answers(HWND window) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs, &answer) != 0;
}

std::unique_ptr<LayeredSurface> RenderWindow(HWND window, int width, int height, Point from, UINT printFlags) {
  if (!window || width <= 0 || height <= 0 || !Answers(window)) return nullptr;
  auto job = std::make_shared<RenderJob>();
  job->window = window;
  job->printFlags = printFlags;
  job->surface = std::make_unique<LayeredSurface>();
  job->done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!job->done || !job->surface->Prepare(width, height)) return nullptr;
  SetViewportOrgEx(job->surface->dc(), -from.x, -from.y, nullptr);
  // The thread is not waited for beyond the bound: a window stalling in its paint keeps it until
  // the paint returns, and it owns everything it touches until then.
  auto* handed = new std::shared_ptr<RenderJob>(job);
  HANDLE thread = CreateThread(nullptr, 0, RenderMain, handed, 0, nullptr);
  if (!thread) {
    delete handed;
    return nullptr;
  }
  CloseHandle(thread);
  if (WaitForSingleObject(job->done, kRenderMs) != WAIT_OBJECT_0 || !job->rendered) return nullptr;
  SetViewportOrgEx(job->surface->dc(), 0, 0, nullptr);
  return std::move(job->surface);
}

std::unique_ptr<LayeredSurface> RenderDesktopPart(HWND desktopWindow, const RECT& monitor) {
  if (!desktopWindow) return nullptr;
  POINT desktopOrigin{0, 0};
  ClientToScreen(desktopWindow, &desktopOrigin);
  const Point from = DesktopPartOrigin({desktopOrigin.x, desktopOrigin.y},
                                       {monitor.left, monitor.top, monitor.right, monitor.bottom});
  return RenderWindow(desktopWindow, monitor.right - monitor.left, monitor.bottom - monitor.top, from, PW_CLIENTONLY);
}

}  // namespace corvan
