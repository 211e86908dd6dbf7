#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/owned_thread_win32.h"
#include "presenter/snap.h"
#include "ui/argb_image.h"

namespace corvan {

// "<desktop>\Screen Snap"; empty when the desktop folder is unknown.
std::wstring DesktopSnapFolder();
// The snap's name without folder and extension for the local time now, with the system locale's
// morning and afternoon designators.
std::wstring SnapStemNow();

// The bitmap as the clipboard's one item, with `owner` as the clipboard's owner. False when the
// clipboard is held by another program or no memory can be had; the clipboard is then unchanged.
bool PutDibOnClipboard(HWND owner, const std::vector<uint8_t>& dib);

// Encodes the picture as a 32-bit PNG with alpha (GDI+ must be running) and writes it to path.
bool WritePng(const ArgbImage& image, const std::wstring& path);

struct SnapFileResult {
  bool written = false;
  std::wstring name;  // the file written, or the one that could not be
  POINT tipAt{};
};

// Writes snap files one after another on a thread of its own, so that the encoder never holds up
// the window's thread, and posts `doneMessage` to the window for each with a SnapFileResult* in
// lParam, which the window takes with TakeResult. Each file gets a free name when it is written:
// two snaps within a second never replace each other. The thread lives while there is something
// to write.
class SnapFileWriter {
 public:
  SnapFileWriter(HWND window, UINT doneMessage);
  // Waits a bounded time for the files still being written.
  ~SnapFileWriter();
  SnapFileWriter(const SnapFileWriter&) = delete;
  SnapFileWriter& operator=(const SnapFileWriter&) = delete;

  void Write(ArgbImage image, std::wstring folder, std::wstring stem, POINT tipAt);
  static std::unique_ptr<SnapFileResult> TakeResult(LPARAM lParam);

 private:
  struct Job {
    ArgbImage image;
    std::wstring folder;
    std::wstring stem;
    POINT tipAt{};
  };
  struct Queue {
    std::mutex mutex;
    std::deque<Job> jobs;
    bool running = false;
  };
  static void Run(std::shared_ptr<Queue> queue, HWND window, UINT doneMessage);

  HWND window_;
  UINT doneMessage_;
  std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
  OwnedThread thread_;
};

}  // namespace corvan
