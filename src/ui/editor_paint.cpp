#include "ui/editor_paint.h"

namespace corvan {
namespace {

constexpr Argb kWhite = 0xFEFFFFFF;
constexpr Argb kBlack = 0xFE000000;
constexpr Argb kYellow = 0xFEFFFF00;
constexpr Rect kDefaultControl{500, 50, 600, 82};
constexpr int32_t kWindowControlsLeft = 598;
constexpr int32_t kWindowControlsStep = 28;
constexpr int32_t kWindowControlSize = 20;
constexpr int32_t kWindowControlsTop = 14;
constexpr float kControlsFontPx = 15;
constexpr float kCalloutFontPx = 18;
constexpr RectF kMeasureLayout{0, 0, 1024, 100};
constexpr TextFormat kCentred{TextAlign::Center, TextAlign::Center, Trimming::Word};

struct Segment {
  PointF from;
  PointF to;
};

// A callout's leader line: the short arrow segment, then the two segments to the box. The yellow
// line is the black one a pixel higher.
struct Leader {
  Segment arrow;
  Segment toBend;
  Segment toBox;
};
constexpr Leader kLeaderBt3{{{380, 276}, {379, 275}}, {{376, 272}, {366, 262}}, {{366, 262}, {336, 262}}};
constexpr Leader kLeaderBt4{{{420, 246}, {421, 247}}, {{424, 250}, {434, 260}}, {{434, 260}, {444, 260}}};

Segment Raised(Segment s) { return {{s.from.x, s.from.y - 1}, {s.to.x, s.to.y - 1}}; }

void DrawLeader(Canvas& canvas, const Leader& leader, Argb colour, bool raised) {
  const Pen arrow{colour, 6, LineCap::ArrowAnchor, LineCap::Flat};
  const Pen line{colour, 4, LineCap::Round, LineCap::Flat};
  for (const auto& [pen, segment] : {std::pair{arrow, leader.arrow}, std::pair{line, leader.toBend},
                                     std::pair{line, leader.toBox}}) {
    const Segment s = raised ? Raised(segment) : segment;
    canvas.DrawLine(pen, s.from, s.to);
  }
}

RectF ToRectF(const Rect& r) {
  return {static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right - r.left),
          static_cast<float>(r.bottom - r.top)};
}

void PaintEditorControls(Canvas& canvas, const EditorPaintInput& input, EditorHotRegions& regions) {
  const Font font{kTahoma, kControlsFontPx};
  const RectF box = ToRectF(kDefaultControl);
  if (input.pressedControl == 0) {
    canvas.Fill(SolidBrush{0xC8101010}, box);
    canvas.Stroke(Pen{kWhite, 1}, box);
  } else if (input.hoveredDefault == 0) {
    canvas.Fill(SolidBrush{0x80101010}, box);
    canvas.Stroke(Pen{0x80FFFFFF, 1}, box);
  } else {
    canvas.Fill(SolidBrush{0x40101010}, box);
  }
  canvas.DrawString(input.texts->defaultCaption, font, SolidBrush{kWhite}, box, kCentred);
  regions.defaultControl = kDefaultControl;

  for (int i = 0; i < 2; ++i) {
    const int32_t x = kWindowControlsLeft + kWindowControlsStep * i;
    const Rect hot{x, kWindowControlsTop, x + kWindowControlSize, kWindowControlsTop + kWindowControlSize};
    (i == 0 ? regions.minimize : regions.close) = hot;
    const bool hovered = input.hoveredControl == i;
    const Pen pen{hovered ? 0xC8FFFFFF : 0xA6A6A6A6, 1};
    canvas.Fill(SolidBrush{hovered ? 0x80101010u : 0x40101010u}, ToRectF(hot));
    canvas.Stroke(pen, ToRectF(hot));
    const auto fx = static_cast<float>(x);
    if (i == 0) {
      canvas.DrawLine(pen, {fx + 4, 24}, {fx + 16, 24});
    } else {
      canvas.DrawLine(pen, {fx + 4, 18}, {fx + 16, 30});
      canvas.DrawLine(pen, {fx + 16, 18}, {fx + 4, 30});
    }
  }
}

std::wstring CalloutText(const EditorPaintInput& input, int32_t slot) {
  const _QxItemListDB* entry = input.catalogue ? input.catalogue->Find(input.buttonSlots[static_cast<size_t>(slot)]) : nullptr;
  if (!entry) return L"No function";
  return entry->label.empty() ? L"..." : entry->label;
}

void PaintCallouts(Canvas& canvas, const EditorPaintInput& input, EditorHotRegions& regions) {
  const Font font{kTahoma, kCalloutFontPx};
  DrawLeader(canvas, kLeaderBt3, kBlack, false);
  DrawLeader(canvas, kLeaderBt3, kYellow, true);
  DrawLeader(canvas, kLeaderBt4, kBlack, false);
  DrawLeader(canvas, kLeaderBt4, kYellow, true);

  // Every label is one line of one font: its height places both boxes.
  const float lineHeight = canvas.MeasureString(CalloutText(input, 3), font, kMeasureLayout, kCentred).height;
  const struct {
    int32_t slot;
    float anchorX;
    float anchorY;
    bool toTheLeft;
  } callouts[] = {
      {3, 326, static_cast<float>(static_cast<int32_t>(261 - lineHeight / 2)), true},
      {4, 430, static_cast<float>(static_cast<int32_t>(259 - lineHeight / 2)), false},
  };
  for (const auto& callout : callouts) {
    if (!regions.active[static_cast<size_t>(callout.slot)]) continue;
    const std::wstring text = CalloutText(input, callout.slot);
    const SizeF size = canvas.MeasureString(text, font, kMeasureLayout, kCentred);
    const float w = size.width;
    const float h = size.height;
    const float tx = callout.toTheLeft ? callout.anchorX - static_cast<float>(static_cast<int32_t>(w + 24))
                                       : callout.anchorX + 24;
    const float ty = (callout.anchorY + 14) - h / 2;
    regions.buttons[static_cast<size_t>(callout.slot)] =
        Rect{static_cast<int32_t>(tx), static_cast<int32_t>(ty), static_cast<int32_t>(tx + 2 + w + h),
             static_cast<int32_t>(ty + h + 1)};
    const bool highlighted = input.hoveredButton == callout.slot || input.editedButton == callout.slot;

    canvas.Fill(SolidBrush{0x80202020}, RectF{tx - 1, ty - 1, w + h + 5, h + 4});
    canvas.Fill(SolidBrush{highlighted ? 0x80101010u : 0x80303030u}, RectF{tx + 2 + w, ty + 1, h, h});
    const float cx = tx + 2 + w + h / 2;
    canvas.DrawLine(Pen{highlighted ? 0xFCFFFFFFu : 0x7A101010u, h / 2 - 6, LineCap::ArrowAnchor, LineCap::Flat},
                    {cx, ty + h - 5}, {cx, ty + h - 6});
    canvas.DrawString(text, font, SolidBrush{0x80000000}, RectF{tx + 1, ty + 1, w, h}, kCentred);
    canvas.DrawString(text, font, SolidBrush{highlighted ? 0xFAFFFFFFu : 0xFAC8C8C8u}, RectF{tx, ty, w, h}, kCentred);
  }
}

}  // namespace

EditorHotRegions PaintEditor(Canvas& canvas, const EditorPaintInput& input) {
  EditorHotRegions regions;
  regions.defaultTipAnchor = input.texts->editorHints[kHintDefault].anchor;
  canvas.SetAntiAlias(true);
  PaintEditorControls(canvas, input, regions);
  PaintCallouts(canvas, input, regions);
  return regions;
}

}  // namespace corvan
