#pragma once
// A drawing surface that makes a picture: cleared, drawn on with marks and circles, encoded.

#include <optional>
#include <span>
#include <string>

#include "platform/drawing_marks.h"
#include "platform/drawing_surface.h"
#include "platform/gdi_objects.h"

namespace moji {

/// What the drawing area is drawn onto, on the screen or off it, beside the drawing calls.
class PictureSurface : public DrawingSurface {
 public:
  /// Fills the whole picture with the background colour.
  virtual void Clear() = 0;
  /// An outline circle; a radius of 0 or less, or a non-finite value, draws nothing.
  virtual void DrawCircle(float centerX, float centerY, float radius, COLORREF color,
                          int lineWidth) = 0;
  /// Draws marks over the drawing: the point marks' symbols (where `symbols`) and labels beside
  /// them, the start rings and their arrows.
  virtual void DrawMarks(std::span<const PointMark> points, bool symbols,
                         std::span<const StartMark> starts) = 0;
  /// The picture as the bytes of a PNG file, made opaque; nothing when it cannot be encoded.
  virtual std::optional<std::string> PngBytes() const = 0;
};

}  // namespace moji
