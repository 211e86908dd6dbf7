#include "presenter/snap.h"

#include <algorithm>
#include <cstring>

#include "core/board_modes.h"

namespace corvan {
namespace {

void PutLittleEndian(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::wstring TwoDigits(int value) {
  std::wstring text = std::to_wstring(value);
  return text.size() < 2 ? L"0" + text : text;
}

}  // namespace

Rect SnapRegion(int32_t mode, int boardWidth, int boardHeight, bool hasSelection, const Rect& selection) {
  const Rect board{0, 0, std::max(0, boardWidth), std::max(0, boardHeight)};
  const bool selecting = mode == kBoardSnapFreeForm || mode == kBoardSnapRectangle;
  if (!selecting || !hasSelection) return board;
  return Intersect(selection, board);
}

ArgbImage BuildSnapImage(const ArgbImage& capture, const ArgbImage& ink, const Rect& region, const PolygonSpans* lasso) {
  const Rect area = Intersect(region, {0, 0, capture.width(), capture.height()});
  ArgbImage image(area.right - area.left, area.bottom - area.top);
  if (image.empty()) return image;
  const bool withInk = ink.width() >= area.right && ink.height() >= area.bottom;
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* picture = capture.Row(y);
    uint32_t* out = image.Row(y - area.top);
    if (withInk) {
      const uint32_t* strokes = ink.Row(y);
      for (int x = area.left; x < area.right; ++x) out[x - area.left] = Over(strokes[x], picture[x]);
    } else {
      std::copy(picture + area.left, picture + area.right, out);
    }
    if (!lasso) continue;
    // Keep only the runs inside the outline.
    const std::vector<int32_t>& runs = lasso->RunsInRow(y);
    int x = area.left;
    for (size_t i = 0; i + 1 < runs.size(); i += 2) {
      const int start = std::clamp(static_cast<int>(runs[i]), area.left, area.right);
      std::fill(out + (x - area.left), out + (std::max(x, start) - area.left), 0u);
      x = std::max(x, std::clamp(static_cast<int>(runs[i + 1]), area.left, area.right));
    }
    std::fill(out + (x - area.left), out + (area.right - area.left), 0u);
  }
  return image;
}

std::vector<uint8_t> MakeClipboardDib(const ArgbImage& image) {
  const size_t w = static_cast<size_t>(image.width()), h = static_cast<size_t>(image.height());
  std::vector<uint8_t> bytes(kDibHeaderSize + 4 * w * h + kDibTrailerSize, 0);
  PutLittleEndian(bytes, 0, kDibHeaderSize);
  PutLittleEndian(bytes, 4, static_cast<uint32_t>(w));
  PutLittleEndian(bytes, 8, static_cast<uint32_t>(h));
  bytes[12] = 1;   // planes
  bytes[14] = 32;  // bits per pixel; compression and the rest stay 0
  uint8_t* pixels = bytes.data() + kDibHeaderSize;
  for (size_t row = 0; row < h; ++row) {
    // 0xAARRGGBB stored little-endian is blue, green, red, alpha.
    const uint32_t* source = image.Row(static_cast<int>(h - 1 - row));
    for (size_t x = 0; x < w; ++x) {
      const uint32_t pixel = source[x];
      uint8_t* out = pixels + 4 * (row * w + x);
      out[0] = BlueOf(pixel);
      out[1] = GreenOf(pixel);
      out[2] = RedOf(pixel);
      out[3] = AlphaOf(pixel);
    }
  }
  return bytes;
}

std::wstring SnapStem(const SnapTime& time, const std::wstring& amDesignator, const std::wstring& pmDesignator) {
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  std::wstring stem = L"screen_" + std::to_wstring(time.year) + L"-" + TwoDigits(time.month) + L"-" + TwoDigits(time.day) +
                      L"_" + TwoDigits(hour12) + L"h" + TwoDigits(time.minute) + L"m" + TwoDigits(time.second) + L"s";
  const std::wstring& designator = time.hour < 12 ? amDesignator : pmDesignator;
  if (!designator.empty()) stem += L" " + designator;
  return stem;
}

std::wstring FreeSnapName(const std::wstring& folder, const std::wstring& stem,
                          const std::function<bool(const std::wstring&)>& exists) {
  const std::wstring base = folder + L"\\" + stem;
  if (!exists(base + L".png")) return base + L".png";
  for (int n = 2; n <= kMaxSnapNameNumber; ++n) {
    const std::wstring name = base + L" (" + std::to_wstring(n) + L").png";
    if (!exists(name)) return name;
  }
  return {};
}

}  // namespace corvan
