#include "overview/desktop_part.h"

namespace corvan {

Point DesktopPartOrigin(Point desktopOrigin, const Rect& monitor) {
  return {monitor.left - desktopOrigin.x, monitor.top - desktopOrigin.y};
}

}  // namespace corvan
