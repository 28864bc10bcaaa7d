#include "inspect/construction_scene.h"

#include <algorithm>

#include "display/block_palette.h"
#include "inspect/view_colors.h"
#include "model/outline_visit.h"
#include "platform/unicode_names.h"

namespace moji {
namespace {

constexpr COLORREF kPointColor = PaletteRgb(30, 30, 30);
constexpr COLORREF kFillColor = PaletteRgb(40, 40, 40);
/// How opaque the filled preview is, under the strokes.
constexpr std::uint8_t kFillAlpha = 70;

CanvasPoint OnView(const ViewTransform& view, const OutlinePoint& point) {
  const DevicePoint device = view.ToDevice(point.X, point.Y);
  return {device.X, device.Y};
}

/// Appends a step's segment to a path that stands at the step's start.
void AppendSegment(CanvasPath& path, const ConstructionStep& step, const ViewTransform& view) {
  const auto at = [&view](const OutlinePoint& point) { return OnView(view, point); };
  switch (step.Kind) {
    case StepKind::Line:
    case StepKind::Close: path.push_back({CanvasPathPiece::LineTo, {at(step.To.At)}}); break;
    case StepKind::Quadratic:
      path.push_back({CanvasPathPiece::CubicTo,
                      {at(step.CubicControls[0]), at(step.CubicControls[1]), at(step.To.At)}});
      break;
    case StepKind::Cubic:
      path.push_back({CanvasPathPiece::CubicTo,
                      {at(step.Control1.At), at(step.Control2.At), at(step.To.At)}});
      break;
    case StepKind::Start: break;
  }
}

/// Whether a Close is drawn: the drawing closes a block only after a run it draws.
bool CloseIsDrawn(const GlyphOutline& units, const ConstructionStep& close) {
  const auto blocks = Counted(units.Blocks, units.BlockCount);
  if (close.Block < 0 || static_cast<std::size_t>(close.Block) >= blocks.size()) return false;
  const auto curves = Counted(blocks[close.Block].Curves, blocks[close.Block].CurveCount);
  if (curves.empty()) return false;
  const std::int32_t type = curves.back().CurveType;
  return type == CURVE_POLYLINE || type == CURVE_QSPLINE || type == CURVE_CSPLINE;
}

/// The path of steps [first, last): each segment drawn, a move wherever a step starts elsewhere
/// than the one before it ended (after a run the drawing does not draw).
CanvasPath StepsPath(const ConstructionLesson& lesson, std::size_t first, std::size_t last,
                     const ViewTransform& view) {
  CanvasPath path;
  std::optional<OutlinePoint> at;
  for (std::size_t k = first; k < last; ++k) {
    const ConstructionStep& step = lesson.UnitSteps[k];
    if (step.Kind == StepKind::Start) continue;
    if (step.Kind == StepKind::Close && !CloseIsDrawn(lesson.Units, step)) continue;
    if (!at || !(*at == step.From.At)) path.push_back({CanvasPathPiece::MoveTo, {OnView(view, step.From.At)}});
    AppendSegment(path, step, view);
    at = step.To.At;
  }
  return path;
}

/// Every block begun in the first `done` steps, in its colour.
void DrawBlocksSoFar(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                     const ConstructionLesson& lesson, std::size_t done) {
  const double pen = double(std::max(scene.Style.PenWidth, 1));
  for (std::size_t b = 0; b < lesson.BlockFirsts.size() && lesson.BlockFirsts[b] < done; ++b) {
    const std::size_t end = b + 1 < lesson.BlockFirsts.size() ? lesson.BlockFirsts[b + 1] : lesson.UnitSteps.size();
    const CanvasStroke stroke{BlockColor(static_cast<std::int32_t>(b), scene.Style.Palette), 255, pen, false};
    canvas.Path(StepsPath(lesson, lesson.BlockFirsts[b], std::min(end, done), view), &stroke, nullptr);
  }
}

/// A mark of a point a step uses: on the curve, a control, or implied (no number of its own).
PointMark MarkOf(const ViewTransform& view, const StepPoint& point, MarkKind kind) {
  PointMark mark;
  const CanvasPoint at = OnView(view, point.At);
  mark.X = at.X;
  mark.Y = at.Y;
  mark.Kind = point.Number < 0 && kind == MarkKind::OnCurve ? MarkKind::Implied : kind;
  mark.Color = kPointColor;
  mark.FontPoint = point.Number;
  if (point.Number >= 0) mark.Label = std::to_string(point.Number);
  return mark;
}

/// The control polygon of a B-spline piece and the two cubic controls drawn from it.
void DrawCubicConstruction(Canvas& canvas, const ConstructionStep& step, const ViewTransform& view) {
  const CanvasPoint from = OnView(view, step.From.At), to = OnView(view, step.To.At);
  const CanvasPoint control = OnView(view, step.Control1.At);
  const CanvasStroke polygon{kViewConstructionColor, 255, 1, true};
  canvas.Line(from, control, polygon);
  canvas.Line(control, to, polygon);
  const CanvasStroke cubic{kViewCubicControlColor, 255, 1, false};
  const CanvasFill dot{kViewCubicControlColor, 255};
  const CanvasPoint c1 = OnView(view, step.CubicControls[0]), c2 = OnView(view, step.CubicControls[1]);
  canvas.Line(from, c1, cubic);
  canvas.Line(c2, to, cubic);
  for (const CanvasPoint& c : {c1, c2}) canvas.Rectangle(c.X - 2.5, c.Y - 2.5, 5, 5, nullptr, &dot);
}

/// The current step: its segment over the rest, its construction, its points.
void DrawCurrentStep(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                     const ConstructionStep& step, double width, double height) {
  const double pen = double(std::max(scene.Style.PenWidth, 1)) + 2;
  OutlineMarks marks;
  marks.Symbols = true;
  marks.Points.push_back(MarkOf(view, step.From, MarkKind::OnCurve));
  if (step.Kind == StepKind::Start) {
    const CanvasStroke ring{kViewChosenColor, 255, 2, false};
    canvas.Circle(OnView(view, step.From.At), 8, &ring, nullptr);
  } else {
    CanvasPath path{{CanvasPathPiece::MoveTo, {OnView(view, step.From.At)}}};
    AppendSegment(path, step, view);
    const CanvasStroke stroke{kViewChosenColor, 255, pen, false};
    canvas.Path(path, &stroke, nullptr);
    if (step.Kind == StepKind::Quadratic) DrawCubicConstruction(canvas, step, view);
    if (step.Kind == StepKind::Cubic) {
      const CanvasStroke handle{kViewConstructionColor, 255, 1, false};
      canvas.Line(OnView(view, step.From.At), OnView(view, step.Control1.At), handle);
      canvas.Line(OnView(view, step.Control2.At), OnView(view, step.To.At), handle);
    }
    if (step.Kind == StepKind::Quadratic || step.Kind == StepKind::Cubic) {
      marks.Points.push_back(MarkOf(view, step.Control1, MarkKind::Control));
    }
    if (step.Kind == StepKind::Cubic) marks.Points.push_back(MarkOf(view, step.Control2, MarkKind::Control));
    marks.Points.push_back(MarkOf(view, step.To, MarkKind::OnCurve));
  }
  DrawOutlineMarks(canvas, marks, width, height);
}

/// The finished outline: filled when asked, each contour's start and direction, and what its
/// direction and role are, named beside its start.
void DrawFill(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
              const ConstructionLesson& lesson, bool filled, double width, double height) {
  if (filled) {
    CanvasPath all;
    for (std::size_t b = 0; b < lesson.BlockFirsts.size(); ++b) {
      const std::size_t end = b + 1 < lesson.BlockFirsts.size() ? lesson.BlockFirsts[b + 1] : lesson.UnitSteps.size();
      const CanvasPath block = StepsPath(lesson, lesson.BlockFirsts[b], end, view);
      all.insert(all.end(), block.begin(), block.end());
    }
    const CanvasFill fill{kFillColor, kFillAlpha};
    canvas.Path(all, nullptr, &fill);
  }
  const GlyphOutline device = OutlineOnDevice(lesson.Units, view);
  OutlineMarks starts = MarksOfOutline(device, scene.Sources, {false, false, true}, scene.Style.Palette);
  std::vector<SceneLabel> labels;
  for (const StartMark& mark : starts.Starts) {
    const auto b = static_cast<std::size_t>(mark.Block);
    if (b >= lesson.Directions.size() || b >= lesson.Roles.size()) continue;
    labels.push_back({Utf8(FillCaption(lesson.Directions[b], lesson.Roles[b])), {mark.At.X, mark.At.Y}, mark.Color});
  }
  DrawOutlineMarks(canvas, starts, width, height);
  DrawSceneLabels(canvas, labels, width, height);
}

}  // namespace

void DrawConstructionGlyph(Canvas& canvas, const InspectorScene& scene, const ViewTransform& view,
                           const ConstructionLesson& lesson, const ConstructionView& shown,
                           double width, double height) {
  const std::size_t done = std::min(shown.Done, lesson.UnitSteps.size());
  if (done == lesson.UnitSteps.size() && shown.Filled) DrawFill(canvas, scene, view, lesson, true, width, height);
  DrawBlocksSoFar(canvas, scene, view, lesson, done);
  if (done == 0) return;
  if (done == lesson.UnitSteps.size()) {
    if (!shown.Filled) DrawFill(canvas, scene, view, lesson, false, width, height);
    return;
  }
  DrawCurrentStep(canvas, scene, view, lesson.UnitSteps[done - 1], width, height);
}

std::optional<std::string> ConstructionPictureBytes(const InspectorScene& scene,
                                                    const ViewTransform& view,
                                                    const ConstructionLesson& lesson,
                                                    const ConstructionView& shown, int width,
                                                    int height, double ratio, bool svg,
                                                    const std::string& title,
                                                    const CanvasPngMaker& makePng) {
  return ViewPictureBytes(width, height, ratio, svg, title, makePng, [&](Canvas& canvas) {
    DrawInspectorUnderlay(canvas, scene, view, width, height);
    DrawConstructionGlyph(canvas, scene, view, lesson, shown, width, height);
  });
}

}  // namespace moji
