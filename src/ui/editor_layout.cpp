#include "ui/editor_layout.h"

#include <algorithm>

namespace corvan {
namespace {

// Where each callout stands. `room` is the widest label shown whole; a longer one is trimmed.
struct CalloutAnchor {
  enum class Box { LeftOfSideButton, RightOfSideButton, EndsAt, StartsAt } box;
  float x;       // the side buttons: the leader's end; EndsAt: the box's right edge; StartsAt: its left
  float y;       // the side buttons: the leader's height; otherwise the box's middle
  float room;
};

constexpr CalloutAnchor kAnchors[kCalloutCount] = {
    {},
    {},
    {},
    {CalloutAnchor::Box::LeftOfSideButton, 326, 261, 280},
    {CalloutAnchor::Box::RightOfSideButton, 430, 259, 180},
    {CalloutAnchor::Box::StartsAt, 62, 300, 170},  // gesture up
    {CalloutAnchor::Box::StartsAt, 62, 340, 170},  // down
    {CalloutAnchor::Box::StartsAt, 62, 380, 170},  // left
    {CalloutAnchor::Box::StartsAt, 62, 420, 170},  // right
    {CalloutAnchor::Box::EndsAt, 226, 198, 190},   // extra key
    {CalloutAnchor::Box::StartsAt, 460, 170, 175},  // button order
};

// The side buttons' leaders, the extra key's (it sits behind the wheel) and the order's (from the
// right main button).
constexpr Leader kLeaderBt3{{{380, 276}, {379, 275}}, {{376, 272}, {366, 262}}, {{366, 262}, {336, 262}}};
constexpr Leader kLeaderBt4{{{420, 246}, {421, 247}}, {{424, 250}, {434, 260}}, {{434, 260}, {444, 260}}};
constexpr Leader kLeaderExtraKey{{{296, 198}, {295, 198}}, {{292, 198}, {262, 198}}, {{262, 198}, {232, 198}}};
constexpr Leader kLeaderOrder{{{356, 214}, {357, 213}}, {{360, 210}, {398, 172}}, {{398, 172}, {452, 172}}};

// A gesture's direction sign beside its box: an arrow drawn from its tip.
constexpr float kSignX = 40;
constexpr float kSignHalf = 9;

LineSegment GestureSign(int32_t callout, float y) {
  switch (callout - kFirstGestureCallout) {
    case 0: return {{kSignX, y - kSignHalf}, {kSignX, y + kSignHalf}};
    case 1: return {{kSignX, y + kSignHalf}, {kSignX, y - kSignHalf}};
    case 2: return {{kSignX - kSignHalf, y}, {kSignX + kSignHalf, y}};
    default: return {{kSignX + kSignHalf, y}, {kSignX - kSignHalf, y}};
  }
}

constexpr float kTitleGap = 4;

float Truncated(float value) { return static_cast<float>(static_cast<int32_t>(value)); }

}  // namespace

std::array<std::optional<CalloutPlace>, kCalloutCount> LayOutCallouts(const std::array<float, kCalloutCount>& labelWidths,
                                                                      float lineHeight, float titleHeight) {
  std::array<std::optional<CalloutPlace>, kCalloutCount> places;
  const float h = lineHeight;
  for (int32_t id = kFirstSideButtonCallout; id < kCalloutCount; ++id) {
    const CalloutAnchor& anchor = kAnchors[id];
    CalloutPlace place;
    place.height = h;
    place.trimmed = labelWidths[static_cast<size_t>(id)] > anchor.room;
    place.textWidth = std::min(labelWidths[static_cast<size_t>(id)], anchor.room);
    const float w = place.textWidth;
    switch (anchor.box) {
      case CalloutAnchor::Box::LeftOfSideButton:
      case CalloutAnchor::Box::RightOfSideButton: {
        // The side buttons' boxes keep the places they have always had.
        const float top = Truncated(anchor.y - h / 2);
        place.x = anchor.box == CalloutAnchor::Box::LeftOfSideButton ? anchor.x - Truncated(w + 24) : anchor.x + 24;
        place.y = (top + 14) - h / 2;
        place.leader = id == kFirstSideButtonCallout ? kLeaderBt3 : kLeaderBt4;
        break;
      }
      case CalloutAnchor::Box::EndsAt:
        place.x = anchor.x - (w + h + 2);
        place.y = anchor.y - h / 2;
        place.leader = kLeaderExtraKey;
        break;
      case CalloutAnchor::Box::StartsAt:
        place.x = anchor.x;
        place.y = anchor.y - h / 2;
        if (id == kOrderCallout) {
          place.leader = kLeaderOrder;
          place.title = RectF{anchor.x, place.y - 1 - kTitleGap - titleHeight, anchor.room + h, titleHeight};
        } else {
          place.sign = GestureSign(id, anchor.y);
        }
        break;
    }
    places[static_cast<size_t>(id)] = place;
  }
  return places;
}

}  // namespace corvan
