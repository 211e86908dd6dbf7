#include "config/catalogue.h"

namespace corvan {
namespace {

enum class Systems { All, Before62 };

struct CatalogueRow {
  int label;
  int32_t code;
  int32_t parent;
  int32_t kind;
  int32_t action;
  uint32_t modifiers;
  int32_t key;
  int32_t icon;
  Systems systems;
};

constexpr uint32_t kLeftCtrl = 0x01;
constexpr uint32_t kRightWindows = 0x80;
constexpr int kBackwardLabel = 15;
constexpr int kForwardLabel = 16;

// In menu order. Item codes are never looked up (only group codes are), so Spotlight sharing
// code 73 with "Screen snap #2" is harmless.
constexpr CatalogueRow kRows[] = {
//  label code parent kind       action                modifiers      key     icon  systems
    {0,    1,   0,   kKindItem,  kActionNothing,       0,             0,      154, Systems::All},      // No function
    {1,   10,   0,   kKindGroup, kActionGroup,         0,             0,        0, Systems::All},      // System
    {2,   11,  10,   kKindItem,  kActionOverview,      0,             0,      155, Systems::All},      // Expose application
    {4,   13,  10,   kKindItem,  kActionMyComputer,    0,             0,      156, Systems::All},      // My computer
    {5,   14,  10,   kKindItem,  kActionToggleDesktop, 0,             0,        0, Systems::All},      // Show desktop
    {6,   15,  10,   kKindItem,  kActionVirtualKey,    kRightWindows, 0,        0, Systems::All},      // Start menu
    {7,   20,   0,   kKindGroup, kActionGroup,         0,             0,        0, Systems::All},      // Application
    {8,   21,  20,   kKindItem,  kActionCalculator,    0,             0,        0, Systems::All},      // Calculator
    {9,   22,  20,   kKindItem,  kActionVirtualKey,    0,             0xB4,     0, Systems::Before62}, // Email reader
    {10,  23,  20,   kKindItem,  kActionVirtualKey,    0,             0xAC,     0, Systems::Before62}, // Web browser
    {11,  30,   0,   kKindGroup, kActionGroup,         0,             0,        0, Systems::All},      // Function key
    {12,  31,  30,   kKindItem,  kActionVirtualKey,    kLeftCtrl,     0x58,   169, Systems::All},      // Cut
    {13,  32,  30,   kKindItem,  kActionVirtualKey,    kLeftCtrl,     0x43,   152, Systems::All},      // Copy
    {14,  33,  30,   kKindItem,  kActionVirtualKey,    kLeftCtrl,     0x56,   153, Systems::All},      // Paste
    {15,  34,  30,   kKindItem,  kActionVirtualKey,    0,             0xA6,     0, Systems::All},      // Backward
    {16,  35,  30,   kKindItem,  kActionVirtualKey,    0,             0xA7,     0, Systems::All},      // Forward
    {17,  36,  30,   kKindItem,  kActionScanCode,      0,             0xE049,   0, Systems::All},      // Page Up
    {18,  37,  30,   kKindItem,  kActionScanCode,      0,             0xE051,   0, Systems::All},      // Page Down
    {19,  50,   0,   kKindGroup, kActionGroup,         0,             0,        0, Systems::All},      // Multimedia
    {20,  51,  50,   kKindItem,  kActionVirtualKey,    0,             0xAF,   162, Systems::All},      // Volume +
    {21,  52,  50,   kKindItem,  kActionVirtualKey,    0,             0xAE,   161, Systems::All},      // Volume -
    {22,  53,  50,   kKindItem,  kActionVirtualKey,    0,             0xAD,     0, Systems::All},      // Mute
    {23,  54,  50,   kKindItem,  kActionVirtualKey,    0,             0xB3,     0, Systems::All},      // Play / Pause
    {24,  55,  50,   kKindItem,  kActionVirtualKey,    0,             0xB1,     0, Systems::All},      // Prev track
    {25,  56,  50,   kKindItem,  kActionVirtualKey,    0,             0xB0,     0, Systems::All},      // Next track
    {26,  57,  50,   kKindItem,  kActionVirtualKey,    0,             0xB5,     0, Systems::Before62}, // Media Player
    {27,  70,   0,   kKindGroup, kActionGroup,         0,             0,        0, Systems::All},      // Presenter
    {28,  71,  70,   kKindItem,  kActionHighlighter,   0,             0,        0, Systems::All},      // Highlighter
    {29,  72,  70,   kKindItem,  kActionSnapRectangle, 0,             0,      201, Systems::All},      // Screen snap #1
    {30,  73,  70,   kKindItem,  kActionSnapFreeForm,  0,             0,      170, Systems::All},      // Screen snap #2
    {32,  73,  70,   kKindItem,  kActionSpotlight,     0,             0,        0, Systems::All},      // Spotlight
};

}  // namespace

bool IsWindows62OrLater(bool queryOk, uint32_t major, uint32_t minor) {
  return queryOk && major == 6 && minor >= 2;
}

Catalogue BuildCatalogue(const FunctionLabels& labels, bool windows62) {
  Catalogue catalogue;
  for (const CatalogueRow& row : kRows) {
    if (windows62 && row.systems == Systems::Before62) continue;
    _QxItemListDB entry;
    entry.code = row.code;
    entry.action = row.action;
    entry.modifiers = row.modifiers;
    entry.key = row.key;
    entry.label = labels[static_cast<size_t>(row.label)];
    entry.parent = row.parent;
    entry.icon = row.icon;
    entry.kind = row.kind;
    catalogue.entries.push_back(std::move(entry));
    if (row.label == kBackwardLabel) catalogue.backwardId = catalogue.Count() - 1;
    if (row.label == kForwardLabel) catalogue.forwardId = catalogue.Count() - 1;
  }
  return catalogue;
}

std::vector<_QxItemListDB> GroupMembers(const Catalogue& catalogue, int32_t code) {
  std::vector<_QxItemListDB> members;
  for (int32_t id = 0; id < catalogue.Count(); ++id) {
    const _QxItemListDB& entry = catalogue.entries[static_cast<size_t>(id)];
    if (entry.parent != code) continue;
    members.push_back(entry);
    members.back().index = id;
  }
  return members;
}

}  // namespace corvan
