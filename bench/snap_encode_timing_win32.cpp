// How long the snap's PNG encoder takes for a 3840 x 2160 picture, against one memcpy of the
// picture, and how big the file is against the picture's raw bytes. The encoder is the system's,
// so this runs as a Windows program (under Wine it measures Wine's encoder).
//
//   snap_encode_timing.exe [picture.png]   (any picture, scaled to 3840 x 2160; default: a test card)

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "presenter/snap_output_win32.h"

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

corvan::ArgbImage LoadPicture(const wchar_t* path) {
  corvan::ArgbImage image(kWidth, kHeight);
  Gdiplus::Bitmap target(kWidth, kHeight, image.strideBytes(), PixelFormat32bppPARGB, image.bytes());
  Gdiplus::Graphics graphics(&target);
  if (path) {
    Gdiplus::Bitmap source(path);
    graphics.DrawImage(&source, 0, 0, kWidth, kHeight);
  } else {
    // Flat panels with text-like detail, as a desktop mostly is.
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool detail = (y / 24) % 3 == 1 && ((x * 7 + y * 3) % 11) < 3;
        image.Set(x, y, detail ? 0xFF202020u : 0xFF000000u | ((x / 480) * 0x1F1F1Fu + 0x303030u));
      }
    }
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) image.Set(x, y, image.At(x, y) | 0xFF000000u);
  }
  return image;
}

template <typename Work>
double MeanSeconds(int runs, Work work) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / runs;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  {
    const corvan::ArgbImage picture = LoadPicture(argc > 1 ? argv[1] : nullptr);
    const size_t bytes = static_cast<size_t>(picture.strideBytes()) * kHeight;
    std::vector<uint8_t> copy(bytes);
    const double copySeconds = MeanSeconds(20, [&] { std::memcpy(copy.data(), picture.bytes(), bytes); });

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"snap_encode_timing.png";
    bool written = true;
    const double encodeSeconds = MeanSeconds(3, [&] { written = written && corvan::WritePng(picture, path); });
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes);
    const double fileBytes = static_cast<double>(attributes.nFileSizeLow) + 4294967296.0 * attributes.nFileSizeHigh;
    DeleteFileW(path.c_str());
    if (!written) return 2;
    std::printf("memcpy of the picture: %.2f ms\n", copySeconds * 1e3);
    std::printf("PNG encode and write:  %.1f ms (%.1f x the memcpy)\n", encodeSeconds * 1e3, encodeSeconds / copySeconds);
    std::printf("file size:             %.0f bytes (%.3f of the raw %zu bytes)\n", fileBytes, fileBytes / bytes, bytes);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
