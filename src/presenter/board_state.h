#pragma once

#include <cstdint>
#include <vector>

#include "core/board_modes.h"
#include "core/geometry.h"
#include "presenter/board_compose.h"
#include "presenter/board_raster.h"

namespace corvan {

// Button-transition bits of a raw mouse input.
inline constexpr uint16_t kRawLeftDown = 0x0001;
inline constexpr uint16_t kRawLeftUp = 0x0002;
inline constexpr uint16_t kRawRightUp = 0x0008;
inline constexpr uint16_t kRawMiddleUp = 0x0020;
inline constexpr uint16_t kRawButton5Up = 0x0200;
inline constexpr uint16_t kRawWheel = 0x0400;

// One raw mouse input: relative motion, button transitions and the wheel's signed turn.
struct RawMouse {
  int32_t dx = 0;
  int32_t dy = 0;
  uint16_t buttonFlags = 0;
  int16_t wheel = 0;
};

enum class SnapTarget { Clipboard, File };

// What the board's input asks of the window that hosts it, in the order it happens.
class BoardSink {
 public:
  virtual ~BoardSink() = default;
  virtual void ShowBoard() = 0;
  virtual void HideBoard() = 0;
  // The strokes go and the whole board is repainted; the frozen picture stays.
  virtual void ClearBoard() = 0;
  virtual void WriteSnap(SnapTarget target) = 0;
  // A highlighter stroke from-to (a dot when they coincide) in the colour of the index.
  virtual void PaintInk(Point from, Point to, int colorIndex) = 0;
  virtual void Invalidate(const Rect& area) = 0;
};

// The presenter board's modes, highlighter colour and selection, driven by every raw mouse input
// the program receives, wherever the pointer is. Positions are in the board's client coordinates.
class BoardState {
 public:
  // A mode begins on a board of that size with the pointer at `pointer`: no selection, the colour
  // kept from the last use.
  void Start(int32_t mode, int width, int height, Point pointer = {}, int spotlightSize = 0);
  void Stop();

  // `visible` is whether the board is on the screen; `spotlightSize` the spotlight's side now.
  void OnRawMouse(const RawMouse& input, Point pointer, bool visible, int spotlightSize, BoardSink& sink);
  // The mouse hook resized the spotlight: the old and the new square are repainted around the
  // pointer. Nothing in the other modes.
  void OnSpotlightResized(Point pointer, int spotlightSize, BoardSink& sink);

  // What to draw over the picture with the pointer at `pointer`; `spotlight` holds the clear
  // square in the spotlight mode (see SpotlightSpans).
  BoardOverlay Overlay(Point pointer, bool hidePointerMark, const PolygonSpans* spotlight) const;

  int32_t mode() const { return mode_; }
  int colorIndex() const { return colorIndex_; }
  bool drawing() const { return drawing_; }
  Point startPoint() const { return startPoint_; }
  Point endPoint() const { return endPoint_; }
  Rect selectionBounds() const { return selectionBounds_; }
  // True from the first press of a selection until the next clearing or start.
  bool hasSelection() const { return hasSelection_; }
  const std::vector<Point>& lasso() const { return lasso_; }
  const PolygonSpans& lassoSpans() const { return lassoSpans_; }
  // Where the spotlight was last asked to be painted.
  Rect spotlightArea() const { return spotlightArea_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  void ClearSelection();
  Point ClampToBoard(Point p) const;
  void Move(Point p, bool strokeBegins, bool visible, int spotlightSize, BoardSink& sink);
  void MoveSpotlight(Point p, int spotlightSize, BoardSink& sink);

  int32_t mode_ = kBoardOff;
  int colorIndex_ = 0;
  bool drawing_ = false;
  Point lastPoint_;
  Point startPoint_;
  Point endPoint_;
  Rect selectionBounds_;
  bool hasSelection_ = false;
  std::vector<Point> lasso_;
  PolygonSpans lassoSpans_;
  int width_ = 0;
  int height_ = 0;
  // Where the pointer mark and the spotlight were last asked to be painted: a move repaints both
  // the old and the new place.
  Rect markArea_;
  Rect spotlightArea_;
};

// The clear rounded square of the spotlight: side `size`, corners a third of it, centred on the
// pointer.
PolygonSpans SpotlightSpans(Point pointer, int size, int width, int height);
// The rectangle the spotlight with that size may change around the pointer.
Rect SpotlightReach(Point pointer, int size);

// Whether the monitor a board was made for is still one of the monitors, unchanged in place and
// size; when it is not, the frozen picture no longer matches the screen.
bool BoardMonitorStillThere(const Rect& boardMonitor, const std::vector<Rect>& monitors);

}  // namespace corvan
