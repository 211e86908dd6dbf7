#include "presenter/snap_output_win32.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <thread>

#include "skin_test_support.h"

namespace corvan {
namespace {

using test::PumpUntil;

constexpr UINT kDone = WM_APP + 1;

// A message-only window that keeps every result the writer posts to it.
class ResultCatcher {
 public:
  ResultCatcher() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SnapOutputTestCatcher";
    RegisterClassW(&windowClass);
    hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ResultCatcher() { DestroyWindow(hwnd); }

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDone) {
      auto* self = reinterpret_cast<ResultCatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      self->results.push_back(*SnapFileWriter::TakeResult(lParam));
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND hwnd = nullptr;
  std::vector<SnapFileResult> results;
};

class SnapOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdiplus.ok());
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"corvan_snap_test_" + std::to_wstring(GetCurrentProcessId());
    RemoveFolder();
  }
  void TearDown() override { RemoveFolder(); }
  void RemoveFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(folder.c_str());
  }

  // Opaque colours inside, transparent outside: what a free-form snap holds.
  static ArgbImage Picture() {
    ArgbImage image(5, 3);
    image.Fill(0xFF2040C0);
    image.Set(0, 0, 0);
    image.Set(4, 2, 0);
    return image;
  }

  test::GdiplusSession gdiplus;
  std::wstring folder;
};

TEST_F(SnapOutput, FilesKeepTheirPixelsAndAlphaAndNeverReplaceEachOther) {
  ResultCatcher catcher;
  {
    SnapFileWriter writer(catcher.hwnd, kDone);
    // Two snaps in the same second, then one more.
    for (int i = 0; i < 3; ++i) writer.Write(Picture(), folder, L"screen_same second", POINT{7, 9});
    ASSERT_TRUE(PumpUntil([&] { return catcher.results.size() == 3; }, 10000));
  }
  const std::wstring names[] = {folder + L"\\screen_same second.png", folder + L"\\screen_same second (2).png",
                                folder + L"\\screen_same second (3).png"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(catcher.results[i].written);
    EXPECT_EQ(catcher.results[i].name, names[i]);
    EXPECT_EQ(catcher.results[i].tipAt.x, 7);
    Gdiplus::Bitmap decoded(names[i].c_str());
    ASSERT_EQ(decoded.GetLastStatus(), Gdiplus::Ok);
    ASSERT_EQ(decoded.GetWidth(), 5u);
    ASSERT_EQ(decoded.GetHeight(), 3u);
    EXPECT_EQ(decoded.GetPixelFormat(), PixelFormat32bppARGB);
    Gdiplus::Color colour;
    decoded.GetPixel(2, 1, &colour);
    EXPECT_EQ(colour.GetValue(), 0xFF2040C0u);
    decoded.GetPixel(0, 0, &colour);
    EXPECT_EQ(colour.GetAlpha(), 0);
  }
}

TEST_F(SnapOutput, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
  // A file where the folder should be.
  HANDLE blocker = CreateFileW(folder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
  CloseHandle(blocker);
  ResultCatcher catcher;
  SnapFileWriter writer(catcher.hwnd, kDone);
  writer.Write(Picture(), folder, L"screen_x", POINT{});
  writer.Write(Picture(), L"", L"screen_y", POINT{});  // no desktop folder known at all
  ASSERT_TRUE(PumpUntil([&] { return catcher.results.size() == 2; }, 10000));
  EXPECT_FALSE(catcher.results[0].written);
  EXPECT_FALSE(catcher.results[1].written);
  EXPECT_EQ(GetFileAttributesW((folder + L"\\screen_x.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SnapOutput, AnEmptyPictureIsNotWritten) {
  EXPECT_FALSE(WritePng(ArgbImage(), folder + L".png"));
}

TEST(SnapClipboard, TheBitmapLandsAsCfDibAndAHeldClipboardIsReported) {
  ArgbImage image(3, 2);
  image.Fill(0xFF102030);
  const std::vector<uint8_t> dib = MakeClipboardDib(image);
  ASSERT_TRUE(PutDibOnClipboard(nullptr, dib));
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_DIB);
  ASSERT_NE(data, nullptr);
  EXPECT_GE(GlobalSize(data), dib.size());
  EXPECT_EQ(std::memcmp(GlobalLock(data), dib.data(), dib.size()), 0);
  GlobalUnlock(data);
  CloseClipboard();

  // Another thread holds the clipboard open: the copy says it failed and changes nothing.
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    OpenClipboard(window);
    SetEvent(opened);
    WaitForSingleObject(release, 10000);
    CloseClipboard();
    DestroyWindow(window);
  });
  WaitForSingleObject(opened, 10000);
  ArgbImage other(1, 1);
  other.Fill(0xFFFFFFFF);
  ResultCatcher owner;
  EXPECT_FALSE(PutDibOnClipboard(owner.hwnd, MakeClipboardDib(other)));
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);
  ASSERT_TRUE(OpenClipboard(nullptr));
  data = GetClipboardData(CF_DIB);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::memcmp(GlobalLock(data), dib.data(), dib.size()), 0);
  GlobalUnlock(data);
  CloseClipboard();
}

TEST(SnapNames, TheStemFollowsTheLocalTime) {
  const std::wstring stem = SnapStemNow();
  ASSERT_GE(stem.size(), 26u);
  EXPECT_EQ(stem.substr(0, 7), L"screen_");
  EXPECT_EQ(stem[11], L'-');
  EXPECT_EQ(stem[17], L'_');
  EXPECT_EQ(stem.substr(20, 1), L"h");
  const std::wstring folder = DesktopSnapFolder();
  EXPECT_NE(folder.find(L"\\Desktop\\Screen Snap"), std::wstring::npos) << std::string(folder.begin(), folder.end());
}

}  // namespace
}  // namespace corvan
