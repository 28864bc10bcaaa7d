#include "inspect/inspector_scene.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "display/block_palette.h"
#include "display/overlay_marks.h"
#include "geometry/cubic_from_quadratic.h"
#include "inspect/label_layout.h"
#include "inspect/outline_handles.h"
#include "inspect/unit_grid.h"
#include "inspect/view_colors.h"
#include "model/outline_invariants.h"
#include "model/outline_visit.h"
#include "platform/unicode_names.h"
#include "report/outline_report.h"

namespace moji {
namespace {

constexpr COLORREF kGridColor = PaletteRgb(225, 228, 232);
/// Pixel size of the numbers beside the points, and of the names of the metric lines.
constexpr double kNumberSize = 10;
constexpr double kMetricLabelSize = 10;

/// Each metric layer's colour, in MetricLayer's order.
constexpr std::array<COLORREF, kMetricLayerCount> kMetricColors = {
    PaletteRgb(80, 80, 80),   PaletteRgb(0, 130, 130), PaletteRgb(40, 90, 200),
    PaletteRgb(210, 110, 0),  PaletteRgb(140, 60, 170), PaletteRgb(30, 140, 60),
    PaletteRgb(150, 100, 60), PaletteRgb(200, 40, 110)};

CanvasPoint Canvas2(const OutlinePoint& point) { return {point.X, point.Y}; }

void AppendCubic(CanvasPath& path, const CubicSegment& segment) {
  path.push_back({CanvasPathPiece::CubicTo,
                  {Canvas2(segment[1]), Canvas2(segment[2]), Canvas2(segment[3])}});
}

/// The background with the font-unit grid over it.
void DrawGrid(Canvas& canvas, const ViewTransform& view, double width, double height) {
  const UnitGrid grid = UnitGridOf(view, width, height);
  const CanvasStroke stroke{kGridColor, 255, 1, false};
  std::vector<double> columns;
  columns.reserve(grid.Verticals.size());
  for (const double x : grid.Verticals) columns.push_back(view.ToDevice(x, 0).X);
  canvas.ClearWithColumns(kViewBackground, columns, height, stroke);
  for (const double y : grid.Horizontals) {
    const double dy = view.ToDevice(0, y).Y;
    canvas.Line({0, dy}, {width, dy}, stroke);
  }
}

/// Adds a name, joined to one already there for a line at the same place.
void AddName(std::vector<SceneLabel>& names, std::string text, DevicePoint anchor, COLORREF color) {
  for (SceneLabel& name : names) {
    if (std::fabs(name.Anchor.X - anchor.X) < 0.5 && std::fabs(name.Anchor.Y - anchor.Y) < 0.5) {
      name.Text += "・" + text;
      return;
    }
  }
  names.push_back({std::move(text), anchor, color});
}

void DrawMetrics(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                 double width, double height) {
  const MetricDrawing drawing = MetricLinesOf(scene.Metrics);
  const auto shown = [&](MetricLayer layer) {
    return scene.Layers.Metrics[static_cast<std::size_t>(layer)];
  };
  const auto colorOf = [](MetricLayer layer) { return kMetricColors[static_cast<std::size_t>(layer)]; };
  std::vector<SceneLabel> names;
  for (const MetricLine& line : drawing.Lines) {
    if (!shown(line.Layer)) continue;
    const CanvasStroke stroke{colorOf(line.Layer), 200, 1,
                              line.Layer != MetricLayer::BaselineAndEmBox};
    if (line.Direction == LineDirection::Horizontal) {
      const double y = view.ToDevice(0, line.Position).Y;
      canvas.Line({0, y}, {width, y}, stroke);
      AddName(names, line.Label, {2, y}, colorOf(line.Layer));
    } else {
      const double x = view.ToDevice(line.Position, 0).X;
      canvas.Line({x, 0}, {x, height}, stroke);
      AddName(names, line.Label, {x, height - 2}, colorOf(line.Layer));
    }
  }
  for (const MetricBox& box : drawing.Boxes) {
    if (!shown(box.Layer)) continue;
    const DevicePoint topLeft = view.ToDevice(box.Box.Left, box.Box.Top);
    const DevicePoint bottomRight = view.ToDevice(box.Box.Right, box.Box.Bottom);
    const CanvasStroke stroke{colorOf(box.Layer), 200, 1, true};
    canvas.Rectangle(topLeft.X, topLeft.Y, bottomRight.X - topLeft.X, bottomRight.Y - topLeft.Y,
                     &stroke, nullptr);
    AddName(names, box.Label, {topLeft.X, bottomRight.Y}, colorOf(box.Layer));
  }
  DrawSceneLabels(canvas, names, width, height);
}

void DrawHandles(Canvas& canvas, const GlyphOutline& device, const InspectorLayers& layers) {
  const OutlineHandles handles = HandlesOfOutline(device);
  if (layers.Handles) {
    std::vector<CanvasLine> lines;
    lines.reserve(handles.Handles.size());
    for (const HandleLine& handle : handles.Handles) {
      lines.push_back({Canvas2(handle.OnCurve), Canvas2(handle.Control)});
    }
    canvas.Lines(lines, {kViewConstructionColor, 255, 1, false});
  }
  if (!layers.DrawnCubics) return;
  const CanvasStroke construction{kViewCubicControlColor, 160, 1, true};
  const CanvasFill controlFill{kViewCubicControlColor, 255};
  for (const DrawnCubic& cubic : handles.Cubics) {
    if (!cubic.FromQuadratic) continue;
    const CubicSegment& s = cubic.Segment;
    canvas.Line(Canvas2(s[0]), Canvas2(s[1]), construction);
    canvas.Line(Canvas2(s[2]), Canvas2(s[3]), construction);
    for (const OutlinePoint& control : {s[1], s[2]}) {
      canvas.Rectangle(control.X - 2, control.Y - 2, 4, 4, nullptr, &controlFill);
    }
  }
}

void DrawPointMark(Canvas& canvas, const PointMark& mark) {
  const CanvasStroke stroke{mark.Color, 255, 1, false};
  const CanvasFill fill{mark.Color, 255};
  const CanvasPoint at{mark.X, mark.Y};
  switch (mark.Kind) {
    case MarkKind::OnCurve: canvas.Rectangle(at.X - 2.5, at.Y - 2.5, 5, 5, nullptr, &fill); break;
    case MarkKind::Control: canvas.Circle(at, 3, &stroke, nullptr); break;
    case MarkKind::Implied:
      canvas.Line({at.X - 3, at.Y}, {at.X + 3, at.Y}, stroke);
      canvas.Line({at.X, at.Y - 3}, {at.X, at.Y + 3}, stroke);
      break;
  }
}

void DrawStartMark(Canvas& canvas, const StartMark& mark) {
  const CanvasStroke stroke{mark.Color, 255, 1.5, false};
  canvas.Circle({mark.At.X, mark.At.Y}, mark.Radius, &stroke, nullptr);
  if (!mark.HasArrow) return;
  const auto point = [&](std::size_t k) { return CanvasPoint{mark.Arrow[k].X, mark.Arrow[k].Y}; };
  canvas.Line(point(0), point(1), stroke);
  canvas.Line(point(2), point(1), stroke);
  canvas.Line(point(3), point(1), stroke);
}

void DrawCursor(Canvas& canvas, const UnitPoint& cursor) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f, %.0f", cursor.X, cursor.Y);
  canvas.Text({6, 14}, text, kMetricLabelSize + 1, kViewTextColor);
}

/// The overlay of the scene whose outline `device` is, already through the view.
void DrawOverlayOnDevice(Canvas& canvas, const InspectorScene& scene, const GlyphOutline& device,
                         double width, double height) {
  if (scene.Layers.Handles || scene.Layers.DrawnCubics) DrawHandles(canvas, device, scene.Layers);
  if (scene.Style.Overlays != OverlaySettings{}) {
    DrawOutlineMarks(canvas, MarksOfOutline(device, scene.Sources, scene.Style.Overlays, scene.Style.Palette),
                     width, height);
  }
  if (scene.Highlighted) {
    if (const std::optional<OutlinePoint> at = PointOf(device, *scene.Highlighted)) {
      const CanvasStroke ring{kViewChosenColor, 255, 2, false};
      canvas.Circle(Canvas2(*at), 7, &ring, nullptr);
    }
  }
  if (scene.Layers.Cursor && scene.Cursor) DrawCursor(canvas, *scene.Cursor);
}

}  // namespace

InspectorLayers AllMetricLayers(InspectorLayers layers) {
  layers.Metrics.fill(true);
  return layers;
}

FontMetrics FontMetricsOf(const NativeGlyph& glyph) {
  const FontUnitMetrics& u = glyph.Units;
  FontMetrics metrics;
  if (u.UnitsPerEm <= 0) return metrics;
  const auto span = [](std::optional<std::int64_t> bottom, std::optional<std::int64_t> top) {
    return bottom && top ? std::optional(VerticalSpan{double(*bottom), double(*top)}) : std::nullopt;
  };
  const auto value = [](std::optional<std::int64_t> v) {
    return v ? std::optional(double(*v)) : std::nullopt;
  };
  metrics.UnitsPerEm = double(u.UnitsPerEm);
  metrics.DesignCell = VerticalSpan{-double(u.CellDescent), double(u.CellAscent)};
  metrics.Hhea = span(u.HheaDescender, u.HheaAscender);
  metrics.Typo = span(u.TypoDescender, u.TypoAscender);
  metrics.CapHeight = value(u.CapHeight);
  metrics.XHeight = value(u.XHeight);
  metrics.IdeographicEmBox = span(u.IdeographicBottom, u.IdeographicTop);
  if (glyph.GlyphIndex != 0) {
    metrics.AdvanceWidth = double(u.AdvanceWidth);
    metrics.LeftSideBearing = double(u.LeftSideBearing);
    if (u.XMin < u.XMax || u.YMin < u.YMax) {
      metrics.GlyphBox = UnitBox{double(u.XMin), double(u.YMin), double(u.XMax), double(u.YMax)};
    }
  }
  return metrics;
}

UnitBox FittedBox(const InspectorScene& scene) {
  UnitBox box;
  ForEachOutlinePoint(scene.Outline, [&box](float x, float y) { box = WithPoint(box, x, y); });
  if (scene.Metrics.AdvanceWidth) {
    box = WithPoint(WithPoint(box, 0, 0), *scene.Metrics.AdvanceWidth, 0);
  }
  if (const std::optional<UnitBox> em = EmBoxOf(scene.Metrics)) box = UnionOf(box, *em);
  return box;
}

double FitMargin(double width, double height) {
  constexpr double kMargin = 24;
  return std::clamp(std::min(width, height) / 12, 0.0, kMargin);
}

std::vector<ScenePoint> ScenePoints(const InspectorScene& scene, const ViewTransform& view) {
  std::vector<ScenePoint> points;
  std::size_t next = 0;
  const auto add = [&](ReportPoint at, float x, float y) {
    const std::int32_t number = next < scene.Sources.size() ? scene.Sources[next].Number : -1;
    ++next;
    points.push_back({at, view.ToDevice(x, y), {x, y}, number});
  };
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(scene.Outline.Blocks, scene.Outline.BlockCount)) {
    add({b, -1, 0}, block.StartX, block.StartY);
    std::int32_t c = 0;
    for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
      std::int32_t p = 0;
      for (const OutlinePoint& point : Counted(curve.Points, curve.PointCount)) {
        add({b, c, p++}, point.X, point.Y);
      }
      ++c;
    }
    ++b;
  }
  return points;
}

void DrawInspectorScene(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                        double width, double height) {
  DrawInspectorUnderlay(canvas, scene, view, width, height);
  DrawInspectorGlyph(canvas, scene, view, width, height);
}

void DrawInspectorGlyph(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                        double width, double height) {
  const GlyphOutline device = OutlineOnDevice(scene.Outline, view);
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(device.Blocks, device.BlockCount)) {
    const CanvasStroke stroke{BlockColor(b++, scene.Style.Palette), 255,
                              double(std::max(scene.Style.PenWidth, 1)), false};
    canvas.Path(DrawnBlockPath(block), &stroke, nullptr);
  }
  DrawOverlayOnDevice(canvas, scene, device, width, height);
}

void DrawInspectorUnderlay(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                           double width, double height) {
  if (scene.Layers.Grid) {
    DrawGrid(canvas, view, width, height);
  } else {
    canvas.Clear(kViewBackground);
  }
  DrawMetrics(canvas, scene, view, width, height);
}

void DrawInspectorOverlay(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                          double width, double height) {
  DrawOverlayOnDevice(canvas, scene, OutlineOnDevice(scene.Outline, view), width, height);
}

CanvasPath DrawnBlockPath(const OutlineBlock& block) {
  const OutlinePoint start{block.StartX, block.StartY};
  CanvasPath path{{CanvasPathPiece::MoveTo, {Canvas2(start)}}};
  OutlinePoint current = start;
  bool closes = false;
  for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
    if (CurveProblem(curve) != nullptr) return path;
    const std::vector<OutlinePoint>& points = curve.Points;
    closes = curve.CurveType == CURVE_POLYLINE || curve.CurveType == CURVE_QSPLINE ||
             curve.CurveType == CURVE_CSPLINE;
    if (curve.CurveType == CURVE_POLYLINE) {
      for (const OutlinePoint& point : points) path.push_back({CanvasPathPiece::LineTo, {Canvas2(point)}});
    } else if (curve.CurveType == CURVE_QSPLINE) {
      OutlinePoint from = current;
      for (std::size_t s = 0; s + 1 < points.size(); ++s) {
        const CubicSegment segment = CubicFromQuadratic(from, points[s], points[s + 1], s + 2 == points.size());
        AppendCubic(path, segment);
        from = segment[3];
      }
    } else if (curve.CurveType == CURVE_CSPLINE) {
      for (std::size_t s = 0; s + 2 < points.size(); s += 3) {
        path.push_back({CanvasPathPiece::CubicTo,
                        {Canvas2(points[s]), Canvas2(points[s + 1]), Canvas2(points[s + 2])}});
      }
    } else {
      path.push_back({CanvasPathPiece::MoveTo, {Canvas2(points.back())}});
    }
    current = points.back();
  }
  if (closes) path.push_back({CanvasPathPiece::LineTo, {Canvas2(start)}});
  return path;
}

GlyphOutline OutlineOnDevice(const GlyphOutline& units, const ViewTransform& view) {
  GlyphOutline device = units;
  ForEachOutlinePoint(device, [&view](float& x, float& y) {
    const DevicePoint point = view.ToDevice(x, y);
    x = static_cast<float>(point.X);
    y = static_cast<float>(point.Y);
  });
  return device;
}

void DrawOutlineMarks(Canvas& canvas, const OutlineMarks& marks, double width, double height) {
  for (const StartMark& mark : marks.Starts) DrawStartMark(canvas, mark);
  std::vector<LabelRequest> labels;
  std::vector<const PointMark*> labelled;
  for (const PointMark& mark : marks.Points) {
    if (marks.Symbols) DrawPointMark(canvas, mark);
    if (mark.Label.empty()) continue;
    labels.push_back({{mark.X, mark.Y}, canvas.TextWidth(mark.Label, kNumberSize), kNumberSize});
    labelled.push_back(&mark);
  }
  const std::vector<std::optional<DeviceBox>> placed = LayOutLabels(labels, width, height);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (!placed[i]) continue;
    // The text's baseline sits a little above the box's bottom, for the descent.
    canvas.Text({placed[i]->Left, placed[i]->Bottom - 2}, labelled[i]->Label, kNumberSize,
                labelled[i]->Color);
  }
}

void DrawSceneLabels(Canvas& canvas, const std::vector<SceneLabel>& labels, double width, double height) {
  std::vector<LabelRequest> requests;
  for (const SceneLabel& label : labels) {
    requests.push_back({label.Anchor, canvas.TextWidth(label.Text, kMetricLabelSize), kMetricLabelSize});
  }
  const std::vector<std::optional<DeviceBox>> placed = LayOutLabels(requests, width, height);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (placed[i]) canvas.Text({placed[i]->Left, placed[i]->Bottom - 2}, labels[i].Text, kMetricLabelSize, labels[i].Color);
  }
}

std::string PointDescription(const ScenePoint& point, double cellUnits) {
  std::string text = "ブロック [ " + std::to_string(point.At.Block) + " ] ";
  text += point.At.Curve < 0 ? std::string("始点")
                             : "カーブ [ " + std::to_string(point.At.Curve) + " ] 点[ " +
                                   std::to_string(point.At.Point) + " ]";
  text += point.FontNumber >= 0 ? "　点番号 " + std::to_string(point.FontNumber) : "　点番号なし";
  char units[64];
  std::snprintf(units, sizeof units, "　フォント単位 ( %g , %g )", point.Units.X, point.Units.Y);
  text += units;
  if (cellUnits > 0) {
    text += "　( " + Utf8(FormatCoordinate(static_cast<float>(point.Units.X / cellUnits))) + " , " +
            Utf8(FormatCoordinate(static_cast<float>(point.Units.Y / cellUnits))) + " )";
  }
  return text;
}

}  // namespace moji
