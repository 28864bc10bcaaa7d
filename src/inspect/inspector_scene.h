#pragma once
// What the large glyph view draws, through its transform, on a canvas: plain C++, so the
// window's view and the command line's picture of it are the same drawing.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "display/display_request.h"
#include "display/overlay_marks.h"
#include "inspect/metric_lines.h"
#include "inspect/view_transform.h"
#include "model/glyph_outline.h"
#include "native/native_writer.h"
#include "platform/canvas.h"
#include "platform/font_engine.h"
#include "report/report_lines.h"

namespace moji {

/// The layers of the view its toolbar switches on and off, beside the marks of the 表示 menu.
struct InspectorLayers {
  std::array<bool, kMetricLayerCount> Metrics{};
  bool Grid = false;
  bool Handles = false;
  /// The cubic segments the drawing really draws for each quadratic run, with their controls
  /// at two thirds and the implied on-curve points.
  bool DrawnCubics = false;
  /// The cursor's position in font units, in a corner of the view.
  bool Cursor = true;
  friend bool operator==(const InspectorLayers&, const InspectorLayers&) = default;
};

/// Every metric layer on.
InspectorLayers AllMetricLayers(InspectorLayers layers);

/// What the view shows of the glyph.
struct InspectorScene {
  /// The outline in font units, as drawn now (moved by the motion where it runs).
  GlyphOutline Outline;
  /// The font's number of each point, in the outline's order.
  std::span<const PointSource> Sources;
  FontMetrics Metrics;
  /// The pen (in the view's pixels), the marks and the palette of the drawing.
  DrawingStyle Style;
  InspectorLayers Layers;
  /// The point shown as chosen: hovered, stepped to, or on Text1's cursor line.
  std::optional<ReportPoint> Highlighted;
  /// The cursor's position in font units while it is over the view.
  std::optional<UnitPoint> Cursor;
};

/// The view's measures of a glyph, from what the engine read of its face and of it.
FontMetrics FontMetricsOf(const NativeGlyph& glyph);

/// What Ctrl+0 fits: the glyph's outline (as drawn now) with its advance on the baseline and
/// its em box.
UnitBox FittedBox(const InspectorScene& scene);

/// The room kept around the fitted box in a view of `width` x `height` pixels: 24 pixels, less
/// in a small view, so the glyph keeps most of it.
double FitMargin(double width, double height);

/// One point of the outline, in report order, where the view shows it.
struct ScenePoint {
  ReportPoint At;
  DevicePoint Device;
  UnitPoint Units;
  /// The font's number of the point, -1 for one the font does not have (an implied point).
  std::int32_t FontNumber = -1;
};

/// Every point of the outline in report order (each block's start point, then its curves'
/// points), placed through the view.
std::vector<ScenePoint> ScenePoints(const InspectorScene& scene, const ViewTransform& view);

/// Draws the scene through the view on a `width` x `height` canvas (the view's pixels): the
/// grid, the metric lines and boxes with their names, every block in its palette colour with
/// the style's pen, the handles and drawn cubics, the marks with their numbers laid out apart,
/// the highlighted point, the cursor's position.
void DrawInspectorScene(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                        double width, double height);

/// What goes under the blocks: the background, the grid, the metric lines and boxes.
void DrawInspectorUnderlay(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                           double width, double height);

/// What the glyph draws over the underlay: the blocks, then the overlay. The underlay depends
/// only on the view, the layers and the metrics, so a view can keep it while the points move.
void DrawInspectorGlyph(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                        double width, double height);

/// What goes over the blocks: the handles and drawn cubics, the marks and numbers, the
/// highlighted point, the cursor's position.
void DrawInspectorOverlay(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                          double width, double height);

/// The path of one block of an outline in device pixels, as the drawing draws it: polylines,
/// quadratic runs as the cubic segments the drawing computes, cubic runs, the closing line after
/// a spline; a run of another type moves on without drawing, and leaves the block open.
CanvasPath DrawnBlockPath(const OutlineBlock& block);

/// The outline with every point placed through the view, in device pixels.
GlyphOutline OutlineOnDevice(const GlyphOutline& units, const ViewTransform& view);

/// The marks (in device pixels), and the numbers beside them where they find a place apart.
void DrawOutlineMarks(Canvas& canvas, const OutlineMarks& marks, double width, double height);

/// A name to show beside a place of the view: a metric line's, a contour's.
struct SceneLabel {
  std::string Text;
  DevicePoint Anchor;
  COLORREF Color = 0;
};

/// The labels, each where it overlaps none before it (or not at all where it cannot).
void DrawSceneLabels(Canvas& canvas, const std::vector<SceneLabel>& labels, double width, double height);

/// A line saying what the point is, for a tooltip and the status bar: its block, curve and point
/// as the report counts them, the font's number, its font units and its coordinates in font
/// heights (the report's), UTF-8.
std::string PointDescription(const ScenePoint& point, double cellUnits);

}  // namespace moji
