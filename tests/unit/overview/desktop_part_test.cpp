#include "overview/desktop_part.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

// A 1920 x 1080 primary at (0, 0) and a second monitor beside it; the desktop window's origin is
// the virtual screen's top-left corner.
TEST(DesktopPart, EachMonitorTakesItsOwnPartOfTheDesktopsPicture) {
  struct Row { const char* layout; Point desktopOrigin; Rect monitor; Point part; };
  const Row rows[] = {
  //   layout                            desktop origin  monitor                  part of the picture
      {"primary alone",                   {0, 0},         {0, 0, 1920, 1080},      {0, 0}},
      {"primary, second on the right",    {0, 0},         {0, 0, 1920, 1080},      {0, 0}},
      {"second on the right",             {0, 0},         {1920, 0, 4480, 1440},   {1920, 0}},
      {"primary, second on the left",     {-2560, 0},     {0, 0, 1920, 1080},      {2560, 0}},
      {"second on the left",              {-2560, 0},     {-2560, 0, 0, 1440},     {0, 0}},
      {"primary, second above",           {0, -1440},     {0, 0, 1920, 1080},      {0, 1440}},
      {"second above",                    {0, -1440},     {0, -1440, 2560, 0},     {0, 0}},
      {"primary, second above and left",  {-320, -1440},  {0, 0, 1920, 1080},      {320, 1440}},
      {"second above and left",           {-320, -1440},  {-320, -1440, 2240, 0},  {0, 0}},
      {"second left and lower",           {-1280, 0},     {-1280, 300, 0, 1324},   {0, 300}},
      {"second left and higher",          {-1280, -200},  {-1280, -200, 0, 824},   {0, 0}},
      {"primary, second left and higher", {-1280, -200},  {0, 0, 1920, 1080},      {1280, 200}},
  };
  for (const Row& row : rows) {
    const Point part = DesktopPartOrigin(row.desktopOrigin, row.monitor);
    EXPECT_EQ(part.x, row.part.x) << row.layout;
    EXPECT_EQ(part.y, row.part.y) << row.layout;
  }
}

}  // namespace
}  // namespace corvan
