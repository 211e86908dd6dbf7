#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "presenter/board_raster.h"
#include "ui/argb_image.h"

namespace corvan {

// The part of the board a snap writes: the whole board in the highlighter mode, and in the two
// snap modes the selection, clipped to the board. A snap mode with no selection yet writes the
// whole board as well: the frozen picture is then what the user sees and what a right click
// promises.
Rect SnapRegion(int32_t mode, int boardWidth, int boardHeight, bool hasSelection, const Rect& selection);

// The region's pixels: the frozen picture with the ink over it, and in the free-form mode with
// every pixel outside `lasso` (when given) fully transparent. Straight and premultiplied are the
// same here, every pixel being opaque or fully transparent.
ArgbImage BuildSnapImage(const ArgbImage& capture, const ArgbImage& ink, const Rect& region, const PolygonSpans* lasso);

// The clipboard's device-independent bitmap: a 40-byte header (width, positive height: rows run
// bottom-up, 1 plane, 32 bits, no compression), the pixels as blue, green, red, alpha, bottom row
// first, and 12 zero bytes.
inline constexpr size_t kDibHeaderSize = 40;
inline constexpr size_t kDibTrailerSize = 12;
std::vector<uint8_t> MakeClipboardDib(const ArgbImage& image);

// A local time as the snap's name spells it.
struct SnapTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "screen_2026-12-08_03h07m09s PM": the date as yyyy-MM-dd, the time on a 12-hour clock as
// hh'h'mm'm'ss's' followed by the locale's morning or afternoon designator.
std::wstring SnapStem(const SnapTime& time, const std::wstring& amDesignator, const std::wstring& pmDesignator);

// The first of folder\stem.png, folder\stem (2).png, folder\stem (3).png ... that does not exist
// yet, so that two snaps within one second never replace each other. Empty when every name up to
// (kMaxSnapNameNumber) is taken.
inline constexpr int kMaxSnapNameNumber = 999;
std::wstring FreeSnapName(const std::wstring& folder, const std::wstring& stem,
                          const std::function<bool(const std::wstring&)>& exists);

inline constexpr wchar_t kSnapFolderName[] = L"Screen Snap";

}  // namespace corvan
