#pragma once
// The display request for one character: fetch its outline, report it, place it and draw it.
// Plain C++: the window and the command line both run it, each with its own target.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

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
/// The most device pixels per drawing-area pixel that a saved or rendered PNG is drawn at.
inline constexpr std::int32_t kLargestScale = 8;

/// What a display request writes to: a drawing area with its device context, and a report.
class DisplayTarget {
 public:
  virtual ~DisplayTarget() = default;
  /// The drawing area's device context: the outline is fetched and drawn through it.
  virtual DeviceContext& DrawingDc() = 0;
  /// Shows the report of the new outline in place of the previous one.
  virtual void ShowReport(std::u16string report) = 0;
  /// Clears the drawing area before the blocks are drawn.
  virtual void ClearDrawing() = 0;
  /// Brings the finished drawing to the screen.
  virtual void RefreshDrawing() = 0;
  /// Draws an outline circle in the drawing area's own foreground colour and line width.
  virtual void DrawPulseCircle(float centerX, float centerY, float radius) = 0;
  /// Which marks to draw over the outline: none unless the target asks for them.
  virtual OverlaySettings Overlays() const { return {}; }
  /// The colours the blocks and their marks are drawn in.
  virtual BlockPalette Palette() const { return BlockPalette::Classic; }
  /// Learns which glyph a request shows, before it is drawn; the target keeps what it needs.
  virtual void ShowGlyph(const DisplayedGlyph& glyph) { static_cast<void>(glyph); }
  /// Draws marks over the blocks.
  virtual void DrawMarks(const OutlineMarks& marks) { static_cast<void>(marks); }
};

/// The font description of an outline request for the UTF-8 face name: height 32, italic 0,
/// default character set; nullopt when the name needs more than 31 bytes.
std::optional<LOGFONTA> OutlineRequestFont(std::string_view faceName);

/// An outline fetched for a display request, in font heights, and which glyph it is.
struct FetchedGlyph {
  GlyphOutline Outline;
  DisplayedGlyph Glyph;
};

/// Fetches the outline of the first character of `text` in the named face through `dc`
/// and describes its glyph; nullopt when the name needs more than 31 bytes.
std::optional<FetchedGlyph> FetchDisplayedGlyph(DeviceContext& dc, const std::u16string& text,
                                                std::string_view faceName);

/// A circle in drawing-area pixels: the motion mode's pulse around the mouse.
struct DrawnCircle {
  float CenterX = 0.0f;
  float CenterY = 0.0f;
  float Radius = 0.0f;
};

/// Draws the placed outline afresh: clears the drawing, draws the pulse circle if any, every
/// block in its palette colour with a pen `penWidth` wide, over them the marks the target asks
/// for (the points numbered by `sources`), and refreshes. Throws what the block drawing throws
/// for a broken outline.
void DrawOutlineFrame(const GlyphOutline& placed, std::span<const PointSource> sources,
                      std::int32_t penWidth, DisplayTarget& target,
                      std::optional<DrawnCircle> pulse = std::nullopt);

/// The display pipeline for the first character of `text` in the named face: fetch the outline
/// into `currentOutline`, show its report and which glyph it is, place it at 160 pixels per font
/// height, clear the drawing, draw every block in its palette colour with a pen `penWidth` wide
/// and the marks the target asks for over them, refresh.
/// Returns false, having changed nothing, for an empty text or a face name over 31 bytes.
/// Throws what the block drawing throws for a broken outline, after the report is shown.
bool RunDisplayRequest(std::u16string text, std::string_view faceName, std::int32_t penWidth,
                       GlyphOutline& currentOutline, DisplayTarget& target);

}  // namespace moji
