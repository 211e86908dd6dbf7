#include "ui/editor_layout.h"

#include "core/display_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace corvan {
namespace {

// The editor's own controls, which no callout may cover.
const RectF kControls[] = {{500, 50, 100, 32}, {598, 14, 20, 20}, {626, 14, 20, 20}};

// The pens of leaders and signs are up to 6 pixels wide.
constexpr float kPenReach = 3;

bool Overlap(const RectF& a, const RectF& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool Inside(const RectF& r) { return r.x >= 0 && r.y >= 0 && r.right() <= kEditorWidth && r.bottom() <= kEditorHeight; }

std::vector<PointF> PointsAlong(const LineSegment& s) {
  std::vector<PointF> points;
  for (int i = 0; i <= 100; ++i) {
    const float t = static_cast<float>(i) / 100;
    points.push_back({s.from.x + (s.to.x - s.from.x) * t, s.from.y + (s.to.y - s.from.y) * t});
  }
  return points;
}

bool Touches(const LineSegment& s, const RectF& r) {
  for (const PointF p : PointsAlong(s)) {
    if (p.x > r.x - kPenReach && p.x < r.right() + kPenReach && p.y > r.y - kPenReach && p.y < r.bottom() + kPenReach) {
      return true;
    }
  }
  return false;
}

float Distance(const LineSegment& a, const LineSegment& b) {
  float nearest = 1e9f;
  for (const PointF p : PointsAlong(a)) {
    for (const PointF q : PointsAlong(b)) nearest = std::min(nearest, std::hypot(p.x - q.x, p.y - q.y));
  }
  return nearest;
}

std::vector<LineSegment> LinesOf(const CalloutPlace& place) {
  std::vector<LineSegment> lines;
  if (place.leader) lines.insert(lines.end(), {place.leader->arrow, place.leader->toBend, place.leader->toBox});
  if (place.sign) lines.push_back(*place.sign);
  return lines;
}

std::array<float, kCalloutCount> AllOf(float width) {
  std::array<float, kCalloutCount> widths{};
  widths.fill(width);
  return widths;
}

struct LayoutCase {
  const char* name;
  std::array<float, kCalloutCount> widths;
  float line;
  float title;
};

std::vector<LayoutCase> Cases() {
  std::array<float, kCalloutCount> mixed{};
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = i % 2 ? 20.f : 600.f;
  return {
      {"short labels", AllOf(27), 22.5f, 18.75f},
      {"English labels up to the longest", AllOf(162), 22.5f, 18.75f},
      {"a language file's long words", AllOf(600), 22.5f, 18.75f},
      {"long and short in turn", mixed, 22.5f, 18.75f},
      {"no text at all", AllOf(0), 22.5f, 18.75f},
  };
}

TEST(EditorLayout, EveryCalloutButTheMainButtonsHasAPlace) {
  const auto places = LayOutCallouts(AllOf(50), 22.5f, 18.75f);
  for (int32_t id = 0; id < kCalloutCount; ++id) {
    EXPECT_EQ(places[static_cast<size_t>(id)].has_value(), id >= kFirstSideButtonCallout) << id;
  }
  for (int32_t id = kFirstGestureCallout; id < kExtraKeyCallout; ++id) {
    EXPECT_TRUE(places[static_cast<size_t>(id)]->sign.has_value()) << "gesture " << id << " shows its direction";
  }
  EXPECT_TRUE(places[kExtraKeyCallout]->leader.has_value());
  EXPECT_TRUE(places[kOrderCallout]->leader.has_value());
  EXPECT_TRUE(places[kOrderCallout]->title.has_value());
}

TEST(EditorLayout, NothingLeavesTheWindowOrCoversAnythingElse) {
  for (const LayoutCase& c : Cases()) {
    const auto places = LayOutCallouts(c.widths, c.line, c.title);
    for (int32_t a = kFirstSideButtonCallout; a < kCalloutCount; ++a) {
      const CalloutPlace& pa = *places[static_cast<size_t>(a)];
      const RectF box = pa.Outline();
      EXPECT_TRUE(Inside(box)) << c.name << ": callout " << a;
      const Rect hot = pa.Hot();
      EXPECT_TRUE(hot.left >= box.x && hot.top >= box.y && hot.right <= box.right() && hot.bottom <= box.bottom())
          << c.name << ": callout " << a << " reacts only where it is painted";
      if (pa.title) {
        EXPECT_TRUE(Inside(*pa.title)) << c.name;
        EXPECT_FALSE(Overlap(*pa.title, box)) << c.name << ": the title stands above its box";
      }
      for (const RectF& control : kControls) {
        EXPECT_FALSE(Overlap(box, control)) << c.name << ": callout " << a;
        if (pa.title) {
          EXPECT_FALSE(Overlap(*pa.title, control)) << c.name;
        }
        for (const LineSegment& line : LinesOf(pa)) EXPECT_FALSE(Touches(line, control)) << c.name << ": " << a;
      }
      for (int32_t b = kFirstSideButtonCallout; b < kCalloutCount; ++b) {
        if (a == b) continue;
        const CalloutPlace& pb = *places[static_cast<size_t>(b)];
        EXPECT_FALSE(Overlap(box, pb.Outline())) << c.name << ": callouts " << a << " and " << b;
        if (pb.title) {
          EXPECT_FALSE(Overlap(box, *pb.title)) << c.name << ": callout " << a << " and the title";
        }
        for (const LineSegment& line : LinesOf(pa)) {
          EXPECT_FALSE(Touches(line, pb.Outline())) << c.name << ": a line of " << a << " crosses the box of " << b;
          for (const LineSegment& other : LinesOf(pb)) {
            EXPECT_GT(Distance(line, other), 2 * kPenReach) << c.name << ": lines of " << a << " and " << b;
          }
        }
      }
    }
  }
}

TEST(EditorLayout, ALabelLongerThanItsRoomIsTrimmedToIt) {
  const auto whole = LayOutCallouts(AllOf(100), 22.5f, 18.75f);
  const auto trimmed = LayOutCallouts(AllOf(600), 22.5f, 18.75f);
  for (int32_t id = kFirstSideButtonCallout; id < kCalloutCount; ++id) {
    EXPECT_FALSE(whole[static_cast<size_t>(id)]->trimmed) << id;
    EXPECT_EQ(whole[static_cast<size_t>(id)]->textWidth, 100) << id;
    EXPECT_TRUE(trimmed[static_cast<size_t>(id)]->trimmed) << id;
    EXPECT_LT(trimmed[static_cast<size_t>(id)]->textWidth, 600) << id;
    EXPECT_GT(trimmed[static_cast<size_t>(id)]->textWidth, 160) << id << ": room for the English labels";
  }
}

TEST(EditorLayout, BoxesNextToThePictureKeepTheirPlaceAsLabelsGrow) {
  // The extra key's box grows leftwards from the end of its leader, the others rightwards from
  // their start: their edge at the leader stays.
  const auto narrow = LayOutCallouts(AllOf(40), 22.5f, 18.75f);
  const auto wide = LayOutCallouts(AllOf(150), 22.5f, 18.75f);
  EXPECT_EQ(narrow[kExtraKeyCallout]->Hot().right, wide[kExtraKeyCallout]->Hot().right);
  for (int32_t id = kFirstGestureCallout; id < kExtraKeyCallout; ++id) {
    EXPECT_EQ(narrow[static_cast<size_t>(id)]->x, wide[static_cast<size_t>(id)]->x) << id;
  }
  EXPECT_EQ(narrow[kOrderCallout]->x, wide[kOrderCallout]->x);
}

// The editor is drawn at the display's scale and the pointer is taken back to 96 DPI: at every
// scale the boxes stay inside the larger window, apart, and a press anywhere on a painted box
// lands in its hot place.
TEST(EditorLayout, AtEveryScaleBoxesStayInsideApartAndReactWhereTheyAreShown) {
  const auto places = LayOutCallouts(AllOf(162), 22.5f, 18.75f);
  for (int32_t dpi : {96, 120, 144, 192}) {
    const DisplayScale scale{dpi};
    std::vector<Rect> shown;
    for (int32_t id = kFirstSideButtonCallout; id < kCalloutCount; ++id) {
      const CalloutPlace& place = *places[static_cast<size_t>(id)];
      const Rect hot = place.Hot();
      const Rect scaled = scale.Px(hot);
      EXPECT_TRUE(scaled.left >= 0 && scaled.top >= 0 && scaled.right <= scale.Px(kEditorWidth) &&
                  scaled.bottom <= scale.Px(kEditorHeight))
          << dpi << ": callout " << id;
      for (const Rect& other : shown) {
        EXPECT_FALSE(scaled.left < other.right && other.left < scaled.right && scaled.top < other.bottom &&
                     other.top < scaled.bottom)
            << dpi << ": callout " << id;
      }
      shown.push_back(scaled);
      for (int32_t y = scaled.top; y < scaled.bottom; ++y) {
        for (int32_t x = scaled.left; x < scaled.right; ++x) {
          ASSERT_TRUE(hot.Contains(scale.Base(Point{x, y}))) << dpi << ": callout " << id << " at " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace corvan
