#include "config/language_file.h"

#include <gtest/gtest.h>

#include "language_file_cases.h"
#include "profile_text.h"

namespace corvan {
namespace {

using testing::ExpectBrokenBytesGiveTheDefaults;
using testing::ExpectCaptionHintsAndOrderWords;
using testing::ExpectEachFileChangesWhatItNamesAndNothingElse;
using testing::ExpectThePresenterTipsFollowTheEditorsHints;
using testing::ProfileText;

LocalisedTexts Loaded(std::string_view file) {
  ProfileText reader(file);
  LocalisedTexts texts;
  LoadLanguageFile(reader, texts);
  return texts;
}

TEST(LanguageFile, EachFileChangesWhatItNamesAndNothingElse) { ExpectEachFileChangesWhatItNamesAndNothingElse(Loaded); }

TEST(LanguageFile, CaptionHintsAndOrderWords) { ExpectCaptionHintsAndOrderWords(Loaded); }

TEST(LanguageFile, ThePresenterTipsFollowTheEditorsHints) { ExpectThePresenterTipsFollowTheEditorsHints(Loaded); }

TEST(LanguageFile, BrokenBytesGiveTheDefaults) { ExpectBrokenBytesGiveTheDefaults(Loaded); }

}  // namespace
}  // namespace corvan
