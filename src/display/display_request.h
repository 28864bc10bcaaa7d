#pragma once
// The display request for one character: fetch its outline, describe and place it, draw it.
// Plain C++: the window and the command line both run it, each with its own target.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "display/block_palette.h"
#include "display/displayed_glyph.h"
#include "display/overlay_marks.h"
#include "model/glyph_outline.h"
#include "platform/device_context.h"
#include "platform/font_records.h"

namespace moji {

/// Cell height of the outline request: coordinates come back in heights of 32 units.
inline constexpr std::int32_t kOutlineFontHeight = 32;
/// Pen thickness range of the drawing, and the thickness the window starts with.
inline constexpr std::int32_t kThinnestPen = 1;
inline constexpr std::int32_t kThickestPen = 5;
inline constexpr std::int32_t kInitialPen = 2;
/// Side of the square drawing area (Picture1) in pixels, and its background colour, white.
inline constexpr int kDrawingSide = 200;
inline constexpr COLORREF kDrawingBackground = 0x00FFFFFF;
/// Placement into the drawing area: 160 pixels per font height, character origin 20 pixels from
/// the left, baseline 160 pixels below the top (y flipped).
inline constexpr float kPlaceOffsetX = 20.0f;
inline constexpr float kPlaceOffsetY = 0.0f;
inline constexpr float kPlaceScale = 160.0f;
/// The outline in font heights placed into the drawing area as a request places it.
GlyphOutline PlacedInDrawingArea(GlyphOutline outline);

/// The most device pixels per drawing-area pixel that a saved or rendered PNG is drawn at.
inline constexpr std::int32_t kLargestScale = 8;

/// How the drawing area draws an outline: the pen, the marks over it and the colours.
struct DrawingStyle {
  std::int32_t PenWidth = kInitialPen;
  OverlaySettings Overlays;
  BlockPalette Palette = BlockPalette::Classic;
  /// The part of the outline drawn while its construction is stepped through; the whole
  /// outline when none.
  std::optional<DrawnPart> Part = std::nullopt;
  friend bool operator==(const DrawingStyle&, const DrawingStyle&) = default;
};

/// What a display request draws on: a drawing area with its device context.
class DisplayTarget {
 public:
  virtual ~DisplayTarget() = default;
  /// The drawing area's device context: the outline is fetched and drawn through it.
  virtual DeviceContext& DrawingDc() = 0;
  /// Clears the drawing area before the blocks are drawn.
  virtual void ClearDrawing() = 0;
  /// Brings the finished drawing to the screen.
  virtual void RefreshDrawing() = 0;
  /// Draws an outline circle in the drawing area's own foreground colour and line width.
  virtual void DrawPulseCircle(float centerX, float centerY, float radius) = 0;
  /// Draws marks over the blocks.
  virtual void DrawMarks(const OutlineMarks& marks) = 0;
};

/// The font description of an outline request for the UTF-8 face name: height 32, italic 0,
/// default character set; nullopt when the name needs more than 31 bytes.
std::optional<LOGFONTA> OutlineRequestFont(std::string_view faceName);

/// Fetches the outline of the first character of `text` in the named face through `dc`,
/// describes its glyph, and places a copy at 160 pixels per font height (character origin 20
/// pixels from the drawing area's left, baseline 160 pixels below its top). Nothing for an empty
/// text or a face name over 31 bytes.
std::optional<FetchedGlyph> FetchForDisplay(DeviceContext& dc, const std::u16string& text,
                                            std::string_view faceName);

/// A circle in drawing-area pixels: the motion mode's pulse around the mouse.
struct DrawnCircle {
  float CenterX = 0.0f;
  float CenterY = 0.0f;
  float Radius = 0.0f;
};

/// Draws the placed outline afresh: clears the drawing, draws the pulse circle if any, every
/// block in its colour of the style's palette with a pen of the style's width, over them the
/// marks the style asks for (the points numbered by `sources`), and refreshes. Throws what the
/// block drawing throws for a broken outline.
void DrawOutlineFrame(const GlyphOutline& placed, std::span<const PointSource> sources,
                      const DrawingStyle& style, DisplayTarget& target,
                      std::optional<DrawnCircle> pulse = std::nullopt);

/// The whole display pipeline for the first character of `text` in the named face: fetch,
/// describe and place, then draw. Returns what it fetched; nothing, having drawn nothing, for an
/// empty text or a face name over 31 bytes. Throws what the block drawing throws.
std::optional<FetchedGlyph> RunDisplayRequest(const std::u16string& text, std::string_view faceName,
                                              const DrawingStyle& style, DisplayTarget& target);

}  // namespace moji
