#pragma once
// What a face and one of its glyphs measure, and the lines and boxes that show it in the view.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inspect/view_transform.h"
#include "platform/vertical_form.h"

namespace moji {

/// A vertical extent in font units, y up.
struct VerticalSpan {
  double Bottom = 0;
  double Top = 0;
  friend bool operator==(const VerticalSpan&, const VerticalSpan&) = default;
};

/// What a face and one of its glyphs measure, in font units (y up, so descenders are
/// negative); each value is absent where the font does not give it.
struct FontMetrics {
  std::optional<double> UnitsPerEm = std::nullopt;
  /// The cell the outline is scaled by: -usWinDescent to usWinAscent of the OS/2 table.
  std::optional<VerticalSpan> DesignCell = std::nullopt;
  /// The hhea descender and ascender.
  std::optional<VerticalSpan> Hhea = std::nullopt;
  /// The OS/2 sTypoDescender and sTypoAscender.
  std::optional<VerticalSpan> Typo = std::nullopt;
  std::optional<double> CapHeight = std::nullopt;
  std::optional<double> XHeight = std::nullopt;
  /// The ideographic em box from the BASE table's ideo and idtp baselines.
  std::optional<VerticalSpan> IdeographicEmBox = std::nullopt;
  std::optional<double> AdvanceWidth = std::nullopt;
  std::optional<double> LeftSideBearing = std::nullopt;
  /// The glyph's bounding box.
  std::optional<UnitBox> GlyphBox = std::nullopt;
  /// How the glyph stands in vertical text (vhea and vmtx, VORG for CFF faces), where the
  /// glyph is shown as vertical text sets it.
  std::optional<VerticalMetrics> Vertical = std::nullopt;
  friend bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

/// The groups of metric lines the view switches on and off one by one.
enum class MetricLayer : std::uint8_t {
  BaselineAndEmBox,
  DesignCell,
  AscenderAndDescender,
  CapAndXHeight,
  IdeographicEmBox,
  AdvanceAndBearings,
  BoundingBox,
  VerticalMetrics,
};
/// How many metric layers there are.
inline constexpr std::size_t kMetricLayerCount = 8;

/// Which way a metric line runs across the view.
enum class LineDirection : std::uint8_t { Horizontal, Vertical };

/// One line across the whole view: at y = Position when horizontal, x = Position when vertical.
struct MetricLine {
  MetricLayer Layer = MetricLayer::BaselineAndEmBox;
  LineDirection Direction = LineDirection::Horizontal;
  double Position = 0;
  /// The short Japanese name shown beside the line (UTF-8).
  std::string Label;
  friend bool operator==(const MetricLine&, const MetricLine&) = default;
};

/// One box outlined in the view.
struct MetricBox {
  MetricLayer Layer = MetricLayer::BaselineAndEmBox;
  UnitBox Box;
  /// The short Japanese name shown beside the box (UTF-8).
  std::string Label;
  friend bool operator==(const MetricBox&, const MetricBox&) = default;
};

/// The metric lines and boxes of a face and glyph.
struct MetricDrawing {
  std::vector<MetricLine> Lines;
  std::vector<MetricBox> Boxes;
  friend bool operator==(const MetricDrawing&, const MetricDrawing&) = default;
};

/// The em box: one em wide from the origin, one em tall from the OS/2 typo descender (else the
/// hhea descender, else the bottom of the design cell, else the baseline); nothing without a
/// usable em.
std::optional<UnitBox> EmBoxOf(const FontMetrics& metrics);

/// The lines and boxes that show `metrics`, layer by layer: the baseline and em box; the design
/// cell; the hhea ascender and descender, and the typo ones where they differ from hhea; cap
/// and x-height; the ideographic em box (the em box where BASE gives none); the advance and
/// the side bearings; the bounding box; the vertical origin, advance and top side bearing. A value that is absent or not finite gives nothing.
MetricDrawing MetricLinesOf(const FontMetrics& metrics);

}  // namespace moji
