#pragma once

#include <windows.h>
#include <dwmapi.h>

#include <memory>

#include "core/geometry.h"

namespace corvan {

// The desktop window manager's live thumbnails, as the overview uses them. Behind an interface:
// the composition-on path is the one every current system takes, and it is tested with a fake
// that answers as such a system does.
class ThumbnailService {
 public:
  virtual ~ThumbnailService() = default;
  virtual bool CompositionOn() = 0;
  // Shows `source` live in `destination`; false, and no thumbnail, when the system refuses.
  virtual bool Register(HWND destination, HWND source, HTHUMBNAIL* thumbnail) = 0;
  virtual SIZE SourceSize(HTHUMBNAIL thumbnail) = 0;
  // Draws the thumbnail, opaque and visible, over the rectangle of the destination's client area.
  virtual void Place(HTHUMBNAIL thumbnail, const Rect& where) = 0;
  virtual void Unregister(HTHUMBNAIL thumbnail) = 0;
};

// The system's thumbnails. The library is loaded here and freed with the object; without it or
// one of its calls, composition is off.
std::unique_ptr<ThumbnailService> LoadSystemThumbnails();

}  // namespace corvan
