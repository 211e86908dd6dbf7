#include "presenter/snap_output_win32.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlobj.h>

#include <cstring>

namespace corvan {
namespace {

constexpr DWORD kWriterJoinBoundMs = 5000;

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring LocaleText(LCTYPE type) {
  wchar_t text[48] = {};
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, type, text, 48) <= 0) return {};
  return text;
}

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<uint8_t> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

std::wstring DesktopSnapFolder() {
  wchar_t desktop[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOP, FALSE)) return {};
  return std::wstring(desktop) + L"\\" + kSnapFolderName;
}

std::wstring SnapStemNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const SnapTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  return SnapStem(time, LocaleText(LOCALE_S1159), LocaleText(LOCALE_S2359));
}

bool PutDibOnClipboard(HWND owner, const std::vector<uint8_t>& dib) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, dib.size());
  if (!block) return false;
  void* bytes = GlobalLock(block);
  if (!bytes) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(bytes, dib.data(), dib.size());
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_DIB, block) != nullptr;
  CloseClipboard();
  // Once placed, the block belongs to the clipboard.
  if (!placed) GlobalFree(block);
  return placed;
}

bool WritePng(const ArgbImage& image, const std::wstring& path) {
  if (image.empty()) return false;
  CLSID png{};
  if (!PngEncoder(png)) return false;
  // Every pixel of a snap is opaque or fully transparent, so its premultiplied bytes are also the
  // straight ones the encoder takes.
  Gdiplus::Bitmap bitmap(image.width(), image.height(), image.strideBytes(), PixelFormat32bppARGB,
                         const_cast<BYTE*>(image.bytes()));
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return false;
  if (bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok) return true;
  DeleteFileW(path.c_str());  // no half-written file is left behind
  return false;
}

SnapFileWriter::SnapFileWriter(HWND window, UINT doneMessage) : window_(window), doneMessage_(doneMessage) {}

SnapFileWriter::~SnapFileWriter() { thread_.Join(kWriterJoinBoundMs); }

void SnapFileWriter::Write(ArgbImage image, std::wstring folder, std::wstring stem, POINT tipAt) {
  bool start = false;
  {
    std::lock_guard<std::mutex> lock(queue_->mutex);
    queue_->jobs.push_back({std::move(image), std::move(folder), std::move(stem), tipAt});
    start = !queue_->running;
    queue_->running = true;
  }
  if (!start) return;
  // A thread that found the queue empty has said so and is on its way out.
  thread_.Join(kWriterJoinBoundMs);
  if (!thread_.Start([queue = queue_, window = window_, message = doneMessage_] { Run(queue, window, message); })) {
    std::lock_guard<std::mutex> lock(queue_->mutex);
    queue_->running = false;
  }
}

std::unique_ptr<SnapFileResult> SnapFileWriter::TakeResult(LPARAM lParam) {
  return std::unique_ptr<SnapFileResult>(reinterpret_cast<SnapFileResult*>(lParam));
}

void SnapFileWriter::Run(std::shared_ptr<Queue> queue, HWND window, UINT doneMessage) {
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(queue->mutex);
      // Files asked for before the end are still written; with none left the thread ends, and
      // the next file starts another.
      if (queue->jobs.empty()) {
        queue->running = false;
        return;
      }
      job = std::move(queue->jobs.front());
      queue->jobs.pop_front();
    }
    auto result = std::make_unique<SnapFileResult>();
    result->tipAt = job.tipAt;
    if (job.folder.empty()) {
      result->name = kSnapFolderName;
    } else {
      CreateDirectoryW(job.folder.c_str(), nullptr);  // an existing folder is fine
      result->name = FreeSnapName(job.folder, job.stem, FileExists);
      if (result->name.empty()) {
        result->name = job.folder;
      } else {
        result->written = WritePng(job.image, result->name);
      }
    }
    job.image = ArgbImage();
    if (PostMessageW(window, doneMessage, 0, reinterpret_cast<LPARAM>(result.get()))) result.release();
  }
}

}  // namespace corvan
