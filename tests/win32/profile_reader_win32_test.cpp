#include "platform/profile_reader_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "config/language_file.h"
#include "language_file_cases.h"

namespace corvan {
namespace {

using testing::ExpectBrokenBytesGiveTheDefaults;
using testing::ExpectCaptionHintsAndOrderWords;
using testing::ExpectEachFileChangesWhatItNamesAndNothingElse;
using testing::ExpectThePresenterTipsFollowTheEditorsHints;

std::wstring TestFolder(int number) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"corvan_lang_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         std::to_wstring(number) + L"\\";
}

LocalisedTexts LoadedFrom(const std::wstring& folder) {
  Win32ProfileReader reader(folder + kLanguageFileName);
  LocalisedTexts texts;
  LoadLanguageFile(reader, texts);
  return texts;
}

// Each file in a folder of its own, as the program finds it beside itself: the platform keeps
// the files it has read, and a path used once cannot give an earlier file's texts.
LocalisedTexts Loaded(std::string_view bytes) {
  static int files = 0;
  const std::wstring folder = TestFolder(++files);
  const std::wstring path = folder + kLanguageFileName;
  CreateDirectoryW(folder.c_str(), nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  EXPECT_EQ(written, bytes.size());
  CloseHandle(file);
  const LocalisedTexts texts = LoadedFrom(folder);
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
  return texts;
}

TEST(Win32ProfileReader, EachFileChangesWhatItNamesAndNothingElse) { ExpectEachFileChangesWhatItNamesAndNothingElse(Loaded); }

TEST(Win32ProfileReader, CaptionHintsAndOrderWords) { ExpectCaptionHintsAndOrderWords(Loaded); }

TEST(Win32ProfileReader, ThePresenterTipsFollowTheEditorsHints) { ExpectThePresenterTipsFollowTheEditorsHints(Loaded); }

TEST(Win32ProfileReader, BrokenBytesGiveTheDefaults) { ExpectBrokenBytesGiveTheDefaults(Loaded); }

TEST(Win32ProfileReader, NoFileGivesTheEnglishTexts) {
  const LocalisedTexts english;
  const LocalisedTexts texts = LoadedFrom(TestFolder(0));
  EXPECT_EQ(texts.functionLabels, english.functionLabels);
  EXPECT_EQ(texts.defaultCaption, english.defaultCaption);
  EXPECT_EQ(texts.leaveBoardHint, english.leaveBoardHint);
  EXPECT_EQ(texts.orderLabels, english.orderLabels);
}

}  // namespace
}  // namespace corvan
