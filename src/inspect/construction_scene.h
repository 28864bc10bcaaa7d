#pragma once
// The large view while the construction is stepped through: what the steps have drawn so far,
// the current step and the points it uses, and at the end how the contours fill.

#include <cstddef>
#include <optional>
#include <string>

#include "inspect/construction_lesson.h"
#include "inspect/inspector_picture.h"
#include "inspect/inspector_scene.h"
#include "platform/canvas.h"

namespace moji {

/// How the construction is shown: after how many of its steps, and whether the finished outline
/// is filled.
struct ConstructionView {
  std::size_t Done = 0;
  bool Filled = false;
  friend bool operator==(const ConstructionView&, const ConstructionView&) = default;
};

/// Draws over the view's underlay what the first `shown.Done` steps of the lesson have drawn:
/// each block so far in its palette colour with the scene's pen, the current step's segment
/// highlighted, the points it uses marked and numbered with the font's numbers, a B-spline
/// piece's control polygon with the two cubic controls the drawing computes at two thirds;
/// after the last step, each contour's start and direction with its direction and fill role
/// named, and with `Filled` the outline filled by the non-zero rule.
void DrawConstructionGlyph(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                           const ConstructionLesson& lesson, const ConstructionView& shown,
                           double width, double height);

/// The bytes of the large view's picture after the steps: PNG at `ratio`, or SVG (in the view's
/// pixels); nothing when the PNG cannot be encoded.
std::optional<std::string> ConstructionPictureBytes(const InspectorScene& scene,
                                                    const ViewTransform& view,
                                                    const ConstructionLesson& lesson,
                                                    const ConstructionView& shown, int width,
                                                    int height, double ratio, bool svg,
                                                    const std::string& title,
                                                    const CanvasPngMaker& makePng);

}  // namespace moji
