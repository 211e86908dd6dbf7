#pragma once

// Language files and the texts the program takes from them. The same rows run against the
// platform's profile reader under Wine (tests/win32/profile_reader_win32_test.cpp), which is what
// the program reads with, and against ProfileText (tests/unit/config/language_file_test.cpp),
// which has to read every file the same way.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "config/language_file.h"
#include "config/localised_texts.h"

namespace corvan::testing {

// Loads a language file of these bytes and returns the texts it gives.
using LanguageFileLoader = std::function<LocalisedTexts(std::string_view bytes)>;

inline std::string Utf16File(const std::u16string& text, bool bigEndian = false) {
  std::string bytes = bigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
  for (char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

inline void ExpectEachFileChangesWhatItNamesAndNothingElse(const LanguageFileLoader& load) {
  using namespace std::string_literals;
  const LocalisedTexts english;
  struct Row { const char* name; std::string file; int label; std::wstring expected; int alsoChanged = -1; };
  const Row rows[] = {
      {"an empty file",                   "",                                             13, L"Copy"},
      {"renames Copy",                    "[FUNCTION]\nstr13=Kopieren\n",                 13, L"Kopieren"},
      {"keys and sections in any case",   "[function]\nSTR13=Kopieren\n",                 13, L"Kopieren"},
      {"blanks and one pair of quotes",   "[FUNCTION]\r\n  str13 =  \"  Kopie \"  \r\n",  13, L"  Kopie "},
      {"an empty value empties it",       "[FUNCTION]\nstr13=\n",                         13, L""},
      {"the marker itself changes nothing", "[FUNCTION]\nstr13=@_NOSTR_\n",               13, L"Copy"},
      {"the marker in lower case replaces", "[FUNCTION]\nstr13=@_nostr_\n",               13, L"@_nostr_"},
      {"str31 is ignored",                "[FUNCTION]\nstr31=Scheinwerfer\nstr32=X\n",    32, L"Spotlight"},
      {"str30 is read",                   "[FUNCTION]\nstr30=Schnipsel\n",                30, L"Schnipsel"},
      {"another section's key",           "[TIP]\nstr13=Kopieren\n",                      13, L"Copy"},
      {"the first of a repeated key",     "[FUNCTION]\nstr13=A\nstr13=B\n",               13, L"A"},
      {"the first of a repeated section", "[FUNCTION]\nstr13=A\n[FUNCTION]\nstr12=B\n",   12, L"Cut", 13},
      {"a line without '='",              "[FUNCTION]\nstr13\nstr12=Schnitt\n",           12, L"Schnitt"},
      {"a header without ']'",            "[FUNCTION\nstr13=Kopieren\n",                  13, L"Copy"},
      {"UTF-16 little-endian",            Utf16File(u"[FUNCTION]\r\nstr13=\u8907\u88FD\r\n"), 13, L"\u8907\u88FD"},
      {"UTF-16 big-endian",               Utf16File(u"[FUNCTION]\nstr13=\u05D4\u05E2\u05EA\u05E7\n", true), 13,
       L"\u05D4\u05E2\u05EA\u05E7"},
      {"ANSI (Windows-1252)",             "[FUNCTION]\nstr13=Copi\xE9 \x80\n",            13, L"Copi\u00E9 \u20AC"},
      {"a value of 2000 characters",      "[FUNCTION]\nstr13=" + std::string(2000, 'x') + "\n", 13, std::wstring(999, L'x')},
      {"a '=' in the value",              "[FUNCTION]\nstr13=a=b\n",                      13, L"a=b"},
      {"a comment line",                  "[FUNCTION]\n;str13=X\nstr13=Kopieren\n",       13, L"Kopieren"},
      {"a key without '=' comes first",   "[FUNCTION]\nstr13\nstr13=B\n",                 13, L"Copy"},
      {"a broken header after a section", "[FUNCTION]\n[TIP\nstr13=Kopieren\n",           13, L"Kopieren"},
      {"blanks inside the brackets",      "[ FUNCTION ]\nstr13=Kopieren\n",               13, L"Kopieren"},
      {"lines ended by CR alone",         "[FUNCTION]\rstr13=Kopieren\r",                 13, L"Kopieren"},
      {"UTF-8 after a byte-order mark",   "\xEF\xBB\xBF[FUNCTION]\nstr13=Kopi\xC3\xA9\n",  13, L"Kopi\u00E9"},
      {"UTF-16 without a byte-order mark", Utf16File(u"[FUNCTION]\nstr13=Kopieren\n").substr(2), 13, L"Copy"},
      {"a byte Windows-1252 leaves out",  "[FUNCTION]\nstr13=A\x81Z\n",                   13, L"A\u0081Z"},
      {"a NUL in a value ends it",        "[FUNCTION]\nstr13=Ko\0pie\n"s,                13, L"Ko"},
      {"a NUL in a name ends it",         "[FUNCTION]\nstr13\0x=Kopieren\n"s,            13, L"Kopieren"},
      {"a no-break space at the end",     "[FUNCTION]\nstr13=Kopie\xA0\n",                13, L"Kopie\u00A0"},
      {"a ']' in the section name",       "[FUNCTION]]\nstr13=Kopieren\n",              13, L"Copy"},
      {"a DOS end-of-file mark",          "[FUNCTION]\nstr13=Kopieren\x1A",               13, L"Kopieren"},
      {"a broken UTF-8 sequence",         "\xEF\xBB\xBF[FUNCTION]\nstr13=A\xC3(\n",       13, L"A\uFFFD("},
      {"UTF-8 beyond 16 bits",            "\xEF\xBB\xBF[FUNCTION]\nstr13=\xF0\x9F\x96\xB1\n", 13,
       std::wstring{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDDB1)}},
      {"a quoted value of 998 characters", "[FUNCTION]\nstr13=\"" + std::string(998, 'x') + "\"\n", 13, std::wstring(998, L'x')},
      {"a quoted value of 999 characters", "[FUNCTION]\nstr13=\"" + std::string(999, 'x') + "\"\n", 13, std::wstring(998, L'x')},
      {"a quoted value of 2000 characters", "[FUNCTION]\nstr13=\"" + std::string(2000, 'x') + "\"\n", 13, std::wstring(999, L'x')},
  };
  for (const Row& row : rows) {
    const LocalisedTexts texts = load(row.file);
    EXPECT_EQ(texts.functionLabels[static_cast<size_t>(row.label)], row.expected) << row.name;
    for (size_t i = 0; i < texts.functionLabels.size(); ++i) {
      if (static_cast<int>(i) == row.label || static_cast<int>(i) == row.alsoChanged) continue;
      EXPECT_EQ(texts.functionLabels[i], english.functionLabels[i]) << row.name << ", label " << i;
    }
    EXPECT_EQ(texts.defaultCaption, L"Default") << row.name;
  }
}

inline void ExpectCaptionHintsAndOrderWords(const LanguageFileLoader& load) {
  const LocalisedTexts texts =
      load("[BUTTON]\nstr0=Standard\n[TIP]\nstr1=Klicken\nstr6=Zur\xFC" "ck\n[MSG]\nstr0=Reihenfolge:\nstr1=Links\n");
  EXPECT_EQ(texts.defaultCaption, L"Standard");
  EXPECT_EQ(texts.editorHints[1].text, L"Klicken");
  EXPECT_EQ(texts.editorHints[6].text, L"Zur\u00FCck");
  EXPECT_EQ(texts.editorHints[6].anchor, (Point{550, 115})) << "the anchor stays";
  EXPECT_EQ(texts.editorHints[5].text, L"Close");
  EXPECT_EQ(texts.orderWords[0], L"Reihenfolge:");
  // The left word is in every triple, once.
  for (const OrderTriple& triple : texts.orderLabels) {
    EXPECT_EQ(std::count(triple.begin(), triple.end(), L"Links"), 1);
    EXPECT_EQ(std::count(triple.begin(), triple.end(), L"Left"), 0);
  }
  EXPECT_EQ(texts.orderLabels, BuildOrderLabels(L"Links", L"Right", L"Middle"));
}

inline void ExpectThePresenterTipsFollowTheEditorsHints(const LanguageFileLoader& load) {
  const LocalisedTexts english = load("[TIP]\nstr1=Klicken\n");
  EXPECT_EQ(english.leaveBoardHint, L"Esc to leave");
  EXPECT_EQ(english.copiedToClipboard, L"Copied to Clipboard");
  EXPECT_EQ(english.extraKeyHint, L"Click to select the extra key's function.");
  const LocalisedTexts german =
      load("[TIP]\nstr7=Esc beendet\nstr8=In die Zwischenablage kopiert\nstr9=Klicken: Funktion der Zusatztaste\n");
  EXPECT_EQ(german.leaveBoardHint, L"Esc beendet");
  EXPECT_EQ(german.copiedToClipboard, L"In die Zwischenablage kopiert");
  EXPECT_EQ(german.extraKeyHint, L"Klicken: Funktion der Zusatztaste");
  EXPECT_EQ(german.editorHints[6].text, L"Default");
}

inline void ExpectBrokenBytesGiveTheDefaults(const LanguageFileLoader& load) {
  for (const std::string& file : {std::string("\xFF\xFE", 2), std::string("\xFF\xFE[", 3), std::string("\xFE\xFF\xD8\x00", 4),
                                  Utf16File(u"[FUNCTION]\nstr13=\xD800\n"), std::string(1, '\0'), std::string("[]\n=\n[x]=y")}) {
    const LocalisedTexts texts = load(file);
    EXPECT_EQ(texts.defaultCaption, L"Default");
  }
  EXPECT_EQ(load(Utf16File(u"[FUNCTION]\nstr13=\xD800\n")).functionLabels[13], std::wstring(1, static_cast<wchar_t>(0xD800)))
      << "a lone surrogate is kept as it is";
}

}  // namespace corvan::testing
