#pragma once
// An SVG picture of recorded drawing calls.

#include <string>
#include <vector>

#include "platform/recording_surface.h"

namespace moji {

/// An SVG document of a `width` x `height` white area with one `<path>` per pen created in
/// `calls` (the drawing makes one pen per block): every Polyline becomes M and L commands and
/// every PolyBezier M and C commands through exactly its device points, stroked in the pen's
/// colour and width (round caps and joins when wider than 1), unfilled.
std::string SvgOfDrawing(const std::vector<SurfaceCall>& calls, int width, int height);

}  // namespace moji
