#include "ui/editor_paint.h"

#include "ui/editor_layout.h"

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
constexpr TextFormat kTrimmedOnOneLine{TextAlign::Near, TextAlign::Center, Trimming::EllipsisCharacter, true};
constexpr TextFormat kTitleFormat{TextAlign::Near, TextAlign::Far, Trimming::EllipsisCharacter, true};

// A leader or a gesture's sign: black, then yellow a pixel higher.
LineSegment Raised(LineSegment s) { return {{s.from.x, s.from.y - 1}, {s.to.x, s.to.y - 1}}; }

void DrawLeader(Canvas& canvas, const Leader& leader, Argb colour, bool raised) {
  const Pen arrow{colour, 6, LineCap::ArrowAnchor, LineCap::Flat};
  const Pen line{colour, 4, LineCap::Round, LineCap::Flat};
  for (const auto& [pen, segment] : {std::pair{arrow, leader.arrow}, std::pair{line, leader.toBend},
                                     std::pair{line, leader.toBox}}) {
    const LineSegment s = raised ? Raised(segment) : segment;
    canvas.DrawLine(pen, s.from, s.to);
  }
}

void DrawSign(Canvas& canvas, const LineSegment& sign, Argb colour, bool raised) {
  const LineSegment s = raised ? Raised(sign) : sign;
  canvas.DrawLine(Pen{colour, 4, LineCap::ArrowAnchor, LineCap::Round}, s.from, s.to);
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

std::wstring FunctionText(const EditorPaintInput& input, int32_t slot) {
  const _QxItemListDB* entry = input.catalogue ? input.catalogue->Find(input.slots[static_cast<size_t>(slot)]) : nullptr;
  if (!entry) return L"No function";
  return entry->label.empty() ? L"..." : entry->label;
}

std::wstring CalloutText(const EditorPaintInput& input, int32_t callout) {
  if (callout == kOrderCallout) return OrderText(input.texts->orderLabels, input.buttonOrder);
  return FunctionText(input, callout);
}

void PaintCalloutBox(Canvas& canvas, const CalloutPlace& place, const std::wstring& text, const Font& font,
                     bool highlighted) {
  const float tx = place.x, ty = place.y, w = place.textWidth, h = place.height;
  canvas.Fill(SolidBrush{0x80202020}, place.Outline());
  canvas.Fill(SolidBrush{highlighted ? 0x80101010u : 0x80303030u}, RectF{tx + 2 + w, ty + 1, h, h});
  const float cx = tx + 2 + w + h / 2;
  canvas.DrawLine(Pen{highlighted ? 0xFCFFFFFFu : 0x7A101010u, h / 2 - 6, LineCap::ArrowAnchor, LineCap::Flat},
                  {cx, ty + h - 5}, {cx, ty + h - 6});
  const TextFormat format = place.trimmed ? kTrimmedOnOneLine : kCentred;
  canvas.DrawString(text, font, SolidBrush{0x80000000}, RectF{tx + 1, ty + 1, w, h}, format);
  canvas.DrawString(text, font, SolidBrush{highlighted ? 0xFAFFFFFFu : 0xFAC8C8C8u}, RectF{tx, ty, w, h}, format);
}

void PaintCallouts(Canvas& canvas, const EditorPaintInput& input, EditorHotRegions& regions) {
  const Font font{kTahoma, kCalloutFontPx};
  const Font titleFont{kTahoma, kControlsFontPx};
  std::array<std::wstring, kCalloutCount> texts;
  std::array<float, kCalloutCount> widths{};
  float lineHeight = 0;
  for (int32_t id = kFirstSideButtonCallout; id < kCalloutCount; ++id) {
    texts[static_cast<size_t>(id)] = CalloutText(input, id);
    const SizeF size = canvas.MeasureString(texts[static_cast<size_t>(id)], font, kMeasureLayout, kCentred);
    widths[static_cast<size_t>(id)] = size.width;
    // Every label is one line of one font: the first one's height places every box.
    if (id == kFirstSideButtonCallout) lineHeight = size.height;
  }
  const std::wstring& title = input.texts->orderWords[0];
  const float titleHeight = canvas.MeasureString(title, titleFont, kMeasureLayout, kCentred).height;
  const auto places = LayOutCallouts(widths, lineHeight, titleHeight);

  for (const auto& place : places) {
    if (!place || !place->leader) continue;
    DrawLeader(canvas, *place->leader, kBlack, false);
    DrawLeader(canvas, *place->leader, kYellow, true);
  }
  for (const auto& place : places) {
    if (!place || !place->sign) continue;
    DrawSign(canvas, *place->sign, kBlack, false);
    DrawSign(canvas, *place->sign, kYellow, true);
  }
  for (int32_t id = kFirstSideButtonCallout; id < kCalloutCount; ++id) {
    const auto& place = places[static_cast<size_t>(id)];
    if (!place || !regions.active[static_cast<size_t>(id)]) continue;
    regions.callouts[static_cast<size_t>(id)] = place->Hot();
    if (place->title) {
      canvas.DrawString(title, titleFont, SolidBrush{0xFAC8C8C8}, *place->title, kTitleFormat);
    }
    const bool highlighted = input.hoveredCallout == id || input.editedCallout == id;
    PaintCalloutBox(canvas, *place, texts[static_cast<size_t>(id)], font, highlighted);
  }
}

}  // namespace

EditorHotRegions PaintEditor(Canvas& canvas, const EditorPaintInput& input) {
  EditorHotRegions regions;
  regions.defaultTipAnchor = input.texts->editorHints[kHintDefault].anchor;
  canvas.SetAntiAlias(true);
  if (!input.scale.IsBase()) canvas.Scale(input.scale.Factor());
  PaintEditorControls(canvas, input, regions);
  PaintCallouts(canvas, input, regions);
  return regions;
}

}  // namespace corvan
