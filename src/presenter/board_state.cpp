#include "presenter/board_state.h"

#include <algorithm>

namespace corvan {

void BoardState::Start(int32_t mode, int width, int height, Point pointer, int spotlightSize) {
  mode_ = mode;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  drawing_ = false;
  ClearSelection();
  // The first frame shows the mark or the spotlight here: the first move must repaint this place.
  markArea_ = SquareAround(pointer, kPointerMarkSide);
  spotlightArea_ = mode == kBoardSpotlight ? SpotlightReach(pointer, spotlightSize) : Rect{};
}

void BoardState::Stop() {
  mode_ = kBoardOff;
  drawing_ = false;
  ClearSelection();
}

void BoardState::ClearSelection() {
  startPoint_ = endPoint_ = {};
  selectionBounds_ = {};
  hasSelection_ = false;
  lasso_.clear();
  lassoSpans_ = {};
}

Point BoardState::ClampToBoard(Point p) const {
  // The pointer is confined to the board, but a confinement can be lifted behind the program's
  // back (another program, a monitor change): nothing may reach past the pixels.
  return {std::clamp(p.x, 0, std::max(0, width_ - 1)), std::clamp(p.y, 0, std::max(0, height_ - 1))};
}

void BoardState::OnRawMouse(const RawMouse& input, Point pointer, bool visible, int spotlightSize, BoardSink& sink) {
  if (mode_ == kBoardOff) {
    if (visible) sink.HideBoard();
    return;
  }
  if (!visible) sink.ShowBoard();
  const Point p = ClampToBoard(pointer);
  const bool selecting = mode_ == kBoardSnapFreeForm || mode_ == kBoardSnapRectangle;
  const bool pictureMode = mode_ != kBoardSpotlight;
  const uint16_t flags = input.buttonFlags;

  if (flags & kRawWheel) {
    if (input.wheel > 0) colorIndex_ = colorIndex_ == 0 ? kColorCount - 1 : colorIndex_ - 1;
    if (input.wheel < 0) colorIndex_ = colorIndex_ == kColorCount - 1 ? 0 : colorIndex_ + 1;
    sink.Invalidate(SquareAround(p, kPointerMarkSide));
    // The mouse hook may have resized the spotlight with this very turn.
    if (mode_ == kBoardSpotlight) MoveSpotlight(p, spotlightSize, sink);
  }
  const bool clear = (flags & kRawMiddleUp) && pictureMode;
  if ((flags & kRawButton5Up) && pictureMode) sink.WriteSnap(SnapTarget::File);
  if (flags & kRawLeftUp) {
    const bool wasDrawing = drawing_;
    drawing_ = false;
    // A release whose press came before the mode began has no selection to finish.
    if (selecting && wasDrawing) {
      if (lasso_.empty() || lasso_.back() != p) lasso_.push_back(p);
      endPoint_ = p;
      if (mode_ == kBoardSnapFreeForm) lassoSpans_ = PolygonSpans(lasso_, width_, height_);
      sink.Invalidate({0, 0, width_, height_});
      sink.WriteSnap(SnapTarget::Clipboard);
    }
  }
  if ((flags & kRawRightUp) && pictureMode) sink.WriteSnap(SnapTarget::File);
  bool strokeBegins = false;
  if (flags & kRawLeftDown) {
    if (!drawing_) {
      lastPoint_ = p;
      strokeBegins = true;
    }
    if (selecting) {
      // The old selection's darkening and outline go.
      sink.Invalidate({0, 0, width_, height_});
    }
    startPoint_ = endPoint_ = p;
    drawing_ = true;
    lasso_.assign(1, p);
    lassoSpans_ = {};
    selectionBounds_ = {p.x, p.y, p.x + 1, p.y + 1};
    hasSelection_ = true;
  }
  if (clear) {
    ClearSelection();
    sink.ClearBoard();
  }
  if (input.dx != 0 || input.dy != 0 || strokeBegins) Move(p, strokeBegins, visible, spotlightSize, sink);
}

void BoardState::OnSpotlightResized(Point pointer, int spotlightSize, BoardSink& sink) {
  if (mode_ == kBoardSpotlight) MoveSpotlight(ClampToBoard(pointer), spotlightSize, sink);
}

void BoardState::MoveSpotlight(Point p, int spotlightSize, BoardSink& sink) {
  const Rect reach = SpotlightReach(p, spotlightSize);
  sink.Invalidate(Union(spotlightArea_, reach));
  spotlightArea_ = reach;
}

void BoardState::Move(Point p, bool strokeBegins, bool visible, int spotlightSize, BoardSink& sink) {
  switch (mode_) {
    case kBoardHighlighter: {
      const Rect mark = SquareAround(p, kPointerMarkSide);
      sink.Invalidate(Union(markArea_, mark));
      markArea_ = mark;
      if (drawing_ && visible) sink.PaintInk(strokeBegins ? p : lastPoint_, p, colorIndex_);
      break;
    }
    case kBoardSnapFreeForm:
    case kBoardSnapRectangle:
      if (!drawing_) break;
      if (mode_ == kBoardSnapRectangle) {
        const Rect before = selectionBounds_;
        selectionBounds_ = {std::min(startPoint_.x, p.x), std::min(startPoint_.y, p.y), std::max(startPoint_.x, p.x) + 1,
                            std::max(startPoint_.y, p.y) + 1};
        const Rect both = Union(before, selectionBounds_);
        sink.Invalidate({both.left - 1, both.top - 1, both.right + 1, both.bottom + 1});
      } else if (p != endPoint_) {
        lasso_.push_back(p);
        selectionBounds_ = Union(selectionBounds_, {p.x, p.y, p.x + 1, p.y + 1});
        sink.Invalidate(OutlineSegmentReach(endPoint_, p));
      }
      endPoint_ = p;
      break;
    case kBoardSpotlight:
      MoveSpotlight(p, spotlightSize, sink);
      break;
    default:
      break;
  }
  lastPoint_ = p;
}

BoardOverlay BoardState::Overlay(Point pointer, bool hidePointerMark, const PolygonSpans* spotlight) const {
  BoardOverlay overlay;
  const Point p = ClampToBoard(pointer);
  switch (mode_) {
    case kBoardHighlighter:
      overlay.pointerMark = !hidePointerMark;
      overlay.pointer = p;
      overlay.colorIndex = colorIndex_;
      break;
    case kBoardSnapRectangle:
      if (drawing_) {
        overlay.outline = BoardOverlay::Outline::Rect;
        overlay.outlineRect = selectionBounds_;
      } else if (startPoint_.x != 0 && startPoint_.y != 0 && endPoint_.x != 0 && endPoint_.y != 0) {
        overlay.darken = BoardOverlay::Darken::OutsideRect;
        overlay.clearRect = selectionBounds_;
      }
      break;
    case kBoardSnapFreeForm:
      if (drawing_) {
        overlay.outline = BoardOverlay::Outline::Polyline;
        overlay.outlinePoints = &lasso_;
      } else if (lasso_.size() > 2) {
        overlay.darken = BoardOverlay::Darken::OutsideSpans;
        overlay.clearSpans = &lassoSpans_;
      }
      break;
    case kBoardSpotlight:
      overlay.darken = BoardOverlay::Darken::OutsideSpans;
      overlay.clearSpans = spotlight;
      break;
    default:
      break;
  }
  return overlay;
}

PolygonSpans SpotlightSpans(Point pointer, int size, int width, int height) {
  const int x = pointer.x - size / 2;
  const int y = pointer.y - size / 2;
  return PolygonSpans(FlattenPath(RoundedSquarePath(x, y, size, size / 3)), width, height);
}

Rect SpotlightReach(Point pointer, int size) {
  const int s = size / 2;
  return {pointer.x - s - 2, pointer.y - s - 2, pointer.x + s + 2, pointer.y + s + 2};
}

bool BoardMonitorStillThere(const Rect& boardMonitor, const std::vector<Rect>& monitors) {
  return std::find(monitors.begin(), monitors.end(), boardMonitor) != monitors.end();
}

}  // namespace corvan
