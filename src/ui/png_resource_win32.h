#pragma once

#include <windows.h>

#include <optional>

#include "ui/argb_image.h"

namespace corvan {

// Decodes the resource of type "PNG" with that id (from the program when module is null) into an
// image of its own, premultiplied. Nothing for a missing, empty or undecodable resource. GDI+ must
// have been started.
std::optional<ArgbImage> LoadPngResource(int id, HMODULE module = nullptr);

}  // namespace corvan
