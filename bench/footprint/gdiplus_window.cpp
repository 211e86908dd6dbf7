// A resident program that starts GDI+ and shows one PNG resource: the reference the product's
// memory and start-up are held against, since the product needs at least this much.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <memory>

namespace {

constexpr int kPictureResource = 1;
std::unique_ptr<Gdiplus::Bitmap> picture;

std::unique_ptr<Gdiplus::Bitmap> LoadPicture(HINSTANCE instance) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(kPictureResource), L"PNG");
  if (!resource) return nullptr;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
  IStream* stream = SHCreateMemStream(bytes, SizeofResource(instance, resource));
  if (!stream) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
  stream->Release();
  return bitmap;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (picture) Gdiplus::Graphics(dc).DrawImage(picture.get(), 0, 0);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  picture = LoadPicture(instance);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FootprintGdiplus";
  RegisterClassW(&windowClass);
  const int width = picture ? static_cast<int>(picture->GetWidth()) : 320;
  const int height = picture ? static_cast<int>(picture->GetHeight()) : 200;
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Footprint GDIplus", WS_POPUP | WS_VISIBLE, 100, 100,
                                width, height, nullptr, nullptr, instance, nullptr);
  if (window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  }
  picture.reset();
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
