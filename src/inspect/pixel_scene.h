#pragma once
// The large view's ピクセル mode: a glyph at a size in pixels, on the pixel grid over FreeType's
// bitmap of it, its outline scaled and hinted, and an arrow for each point hinting moved.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/display_request.h"
#include "inspect/hinting_moves.h"
#include "inspect/inspector_picture.h"
#include "inspect/metric_lines.h"
#include "inspect/view_transform.h"
#include "platform/canvas.h"
#include "platform/hinted_glyph.h"

namespace moji {

/// What the ピクセル mode draws besides the two outlines.
struct PixelLayers {
  bool Grid = true;
  bool Bitmap = true;
  bool Arrows = true;
  friend bool operator==(const PixelLayers&, const PixelLayers&) = default;
};

/// A glyph at a size as the view shows it; coordinates in pixels of that size, x from the
/// glyph's origin, y up from the baseline.
struct PixelScene {
  HintedGlyph Glyph;
  GlyphOutline Unhinted;
  GlyphOutline Hinted;
  HintingMoves Moves;
  DrawingStyle Style;
  PixelLayers Layers;
  /// The em box at the size, when the face's metrics give one.
  std::optional<UnitBox> EmBox;
  /// The move the pointer is over.
  std::optional<std::size_t> Hovered;
};

/// The scene of `glyph`, loaded for what a request fetched, drawn in the style.
PixelScene PixelSceneOf(const HintedGlyph& glyph, const FetchedGlyph& fetched,
                        const DrawingStyle& style, const PixelLayers& layers);

/// What a fit shows: the em box, the origin and both advances, both outlines and the bitmap; in
/// the view's units, 64ths of a pixel (as 26.6 counts), so that its transform can zoom in as
/// far as one pixel needs.
UnitBox PixelFittedBox(const PixelScene& scene);

/// The bitmap as bytes of coverage, 0 to 255, one a pixel, rows from the top: a grey bitmap as it
/// is, a mono one's bits widened; empty for a pitch that does not hold its width.
std::vector<std::uint8_t> CoverageRows(const GlyphBitmap& bitmap);

/// Draws the scene through the view (64ths of a pixel of the size to device pixels): the background, the
/// bitmap, the pixel grid with the baseline and the origin, the advances, the unhinted outline
/// thin and grey, the hinted outline in the palette's colours, the arrows from each point's
/// unhinted place to its hinted one, the hovered point's ring, and a caption of the size and
/// the hinting (saying where hinting failed).
void DrawPixelScene(Canvas& canvas, const PixelScene& scene, const ViewTransform& view,
                    double width, double height);

/// The width of each pane of a view `width` wide: the whole, or half where a second scene
/// stands beside the first.
int PixelPaneWidth(int width, bool beside);

/// Draws the scene alone, or with `beside` (nullptr for none) in a pane on the right through the
/// same view, each pane a scene of its own, a grey line on the left pane's last column.
void DrawPixelPanes(Canvas& canvas, const PixelScene& scene, const PixelScene* beside,
                    const ViewTransform& view, int width, int height);

/// The move whose hinted point lies nearest `at` (device pixels), within `radius`.
std::optional<std::size_t> MoveNear(const PixelScene& scene, const ViewTransform& view,
                                    DevicePoint at, double radius);

/// What a move is, for a tooltip and the status bar: the point's number, where it was and went
/// in pixels, and how far.
std::string MoveDescription(const PointMove& move);

/// The caption of the scene: size, hinting, rendering, and a failure of the hinting.
std::string PixelCaption(const HintedGlyph& glyph);

/// The bytes of the view's picture in ピクセル mode: PNG at `ratio`, or SVG; nothing when the PNG
/// cannot be encoded.
std::optional<std::string> PixelPictureBytes(const PixelScene& scene, const PixelScene* beside,
                                             const ViewTransform& view, int width, int height, double ratio, bool svg,
                                             const std::string& title, const CanvasPngMaker& makePng);

}  // namespace moji
