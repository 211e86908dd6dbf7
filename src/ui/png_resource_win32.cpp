#include "ui/png_resource_win32.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace corvan {
namespace {

struct GlobalBlock {
  HGLOBAL handle = nullptr;
  ~GlobalBlock() {
    if (handle) GlobalFree(handle);
  }
};

struct StreamRef {
  IStream* stream = nullptr;
  ~StreamRef() {
    if (stream) stream->Release();
  }
};

std::optional<ArgbImage> CopyPixels(Gdiplus::Bitmap& bitmap) {
  const int width = static_cast<int>(bitmap.GetWidth());
  const int height = static_cast<int>(bitmap.GetHeight());
  if (width <= 0 || height <= 0) return std::nullopt;
  ArgbImage image(width, height);
  // Decoded straight into our buffer: the result shares nothing with the bitmap, the stream or the
  // block they read from.
  Gdiplus::BitmapData data{};
  data.Width = static_cast<UINT>(width);
  data.Height = static_cast<UINT>(height);
  data.Stride = image.strideBytes();
  data.PixelFormat = PixelFormat32bppPARGB;
  data.Scan0 = image.bytes();
  Gdiplus::Rect all(0, 0, width, height);
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                      &data) != Gdiplus::Ok) {
    return std::nullopt;
  }
  bitmap.UnlockBits(&data);
  return image;
}

}  // namespace

std::optional<ArgbImage> LoadPngResource(int id, HMODULE module) {
  if (!module) module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!resource) return std::nullopt;
  const DWORD size = SizeofResource(module, resource);
  if (size == 0) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return std::nullopt;

  // Declared first, freed last: the stream and the decoder read from this block.
  GlobalBlock block{GlobalAlloc(GMEM_MOVEABLE, size)};
  if (!block.handle) return std::nullopt;
  void* copy = GlobalLock(block.handle);
  if (!copy) return std::nullopt;
  std::memcpy(copy, bytes, size);
  GlobalUnlock(block.handle);

  StreamRef stream;
  if (FAILED(CreateStreamOnHGlobal(block.handle, FALSE, &stream.stream))) return std::nullopt;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream.stream));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return std::nullopt;
  return CopyPixels(*bitmap);
}

}  // namespace corvan
