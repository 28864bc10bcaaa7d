#include "inspect/pixel_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/block_palette.h"
#include "inspect/inspector_scene.h"
#include "inspect/pixel_outline.h"
#include "inspect/point_hit.h"
#include "inspect/view_colors.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

constexpr COLORREF kInk = PaletteRgb(150, 160, 180);
constexpr COLORREF kGridColor = PaletteRgb(215, 220, 228);
constexpr COLORREF kAxisColor = PaletteRgb(90, 90, 90);
constexpr COLORREF kArrowColor = PaletteRgb(220, 30, 30);
constexpr COLORREF kAdvanceColor = PaletteRgb(30, 140, 60);
constexpr COLORREF kPaneLineColor = PaletteRgb(160, 160, 160);
/// Grid lines are drawn only where pixels are at least this many view pixels apart.
constexpr double kLeastGridCell = 4;
constexpr double kCaptionSize = 11;

double Pixels(std::int64_t value26dot6) { return static_cast<double>(value26dot6) / 64.0; }

/// The view's units: 64ths of a pixel, so its transform zooms in as far as one pixel needs.
constexpr double kUnitsPerPixel = 64;

/// The outline in the view's units.
GlyphOutline InViewUnits(GlyphOutline outline) {
  ForEachOutlinePoint(outline, [](float& x, float& y) {
    x = static_cast<float>(x * kUnitsPerPixel);
    y = static_cast<float>(y * kUnitsPerPixel);
  });
  return outline;
}

/// A number of pixels from 26.6, exactly, without trailing zeros.
std::string PixelText(std::int64_t value26dot6) {
  char text[48];
  std::snprintf(text, sizeof text, "%.6f", Pixels(value26dot6));
  std::string number = text;
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

/// Where a place given in pixels is shown.
CanvasPoint OnView(const ViewTransform& view, double x, double y) {
  const DevicePoint at = view.ToDevice(x * kUnitsPerPixel, y * kUnitsPerPixel);
  return {at.X, at.Y};
}

CanvasPoint OnView(const ViewTransform& view, const PixelPoint& point) {
  const DevicePoint at = view.ToDevice(static_cast<double>(point.X), static_cast<double>(point.Y));
  return {at.X, at.Y};
}

void DrawBitmap(Canvas& canvas, const GlyphBitmap& bitmap, const ViewTransform& view) {
  const std::vector<std::uint8_t> rows = CoverageRows(bitmap);
  if (rows.empty()) return;
  const CanvasPoint corner = OnView(view, bitmap.Left, bitmap.Top);
  canvas.GreyImage(rows.data(), bitmap.Width, bitmap.Rows, bitmap.Width, corner.X, corner.Y,
                   view.Scale * kUnitsPerPixel, kInk, kViewBackground);
}

/// A line at each whole pixel across the view, the baseline and the origin darker.
void DrawPixelGrid(Canvas& canvas, const ViewTransform& view, double width, double height) {
  const UnitPoint topLeft = view.ToFontUnits(0, 0), bottomRight = view.ToFontUnits(width, height);
  const double left = topLeft.X / kUnitsPerPixel, right = bottomRight.X / kUnitsPerPixel;
  const double top = topLeft.Y / kUnitsPerPixel, bottom = bottomRight.Y / kUnitsPerPixel;
  if (view.Scale * kUnitsPerPixel >= kLeastGridCell) {
    const CanvasStroke line{kGridColor, 255, 1, false};
    for (double x = std::ceil(left); x <= right; ++x) {
      canvas.Line({OnView(view, x, 0).X, 0}, {OnView(view, x, 0).X, height}, line);
    }
    for (double y = std::ceil(bottom); y <= top; ++y) {
      canvas.Line({0, OnView(view, 0, y).Y}, {width, OnView(view, 0, y).Y}, line);
    }
  }
  const CanvasStroke axis{kAxisColor, 255, 1, false};
  canvas.Line({0, OnView(view, 0, 0).Y}, {width, OnView(view, 0, 0).Y}, axis);
  canvas.Line({OnView(view, 0, 0).X, 0}, {OnView(view, 0, 0).X, height}, axis);
}

void DrawAdvances(Canvas& canvas, const HintedGlyph& glyph, const ViewTransform& view, double width,
                  double height) {
  const double unhinted = OnView(view, Pixels(glyph.UnhintedAdvance), 0).X;
  const double hinted = OnView(view, Pixels(glyph.HintedAdvance), 0).X;
  canvas.Line({unhinted, 0}, {unhinted, height}, {kAdvanceColor, 160, 1, true});
  canvas.Line({hinted, 0}, {hinted, height}, {kAdvanceColor, 255, 1.5, false});
  const std::string label = "送り幅 " + PixelText(glyph.HintedAdvance) + " px";
  const double labelWidth = canvas.TextWidth(label, kCaptionSize);
  // Right of the line, or left of it where the view ends first.
  const double x = hinted + 4 + labelWidth <= width ? hinted + 4 : hinted - 4 - labelWidth;
  canvas.Text({x, height - 6}, label, kCaptionSize, kAdvanceColor);
}

/// The unhinted outline thin and grey, the hinted one in the palette's colours, a block a path.
void DrawOutlines(Canvas& canvas, const PixelScene& scene, const ViewTransform& view) {
  const CanvasStroke thin{kViewConstructionColor, 255, 1, false};
  const GlyphOutline before = OutlineOnDevice(InViewUnits(scene.Unhinted), view);
  for (const OutlineBlock& block : Counted(before.Blocks, before.BlockCount)) {
    canvas.Path(DrawnBlockPath(block), &thin, nullptr);
  }
  const GlyphOutline after = OutlineOnDevice(InViewUnits(scene.Hinted), view);
  const double pen = double(std::max(scene.Style.PenWidth, 1));
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(after.Blocks, after.BlockCount)) {
    const CanvasStroke stroke{BlockColor(b++, scene.Style.Palette), 255, pen, false};
    canvas.Path(DrawnBlockPath(block), &stroke, nullptr);
  }
}

/// The lines of an arrow from where the point was to where hinting put it, its head at the
/// hinted place.
void AddArrow(std::vector<CanvasLine>& lines, CanvasPoint from, CanvasPoint to) {
  lines.push_back({from, to});
  const double dx = to.X - from.X, dy = to.Y - from.Y, length = std::hypot(dx, dy);
  if (!(length > 3)) return;
  const double head = std::min(6.0, length / 2), ux = dx / length, uy = dy / length;
  for (const double side : {-1.0, 1.0}) {
    lines.push_back({to, {to.X - head * ux - side * head * 0.5 * uy, to.Y - head * uy + side * head * 0.5 * ux}});
  }
}

/// Every move's arrow, and a dot where a point stayed.
void DrawMoves(Canvas& canvas, const PixelScene& scene, const ViewTransform& view) {
  const CanvasFill still{kArrowColor, 255};
  std::vector<CanvasLine> arrows;
  for (const PointMove& move : scene.Moves.Moves) {
    const CanvasPoint from = OnView(view, move.From), to = OnView(view, move.To);
    if (move.Distance > 0) {
      AddArrow(arrows, from, to);
    } else {
      canvas.Rectangle(to.X - 1.5, to.Y - 1.5, 3, 3, nullptr, &still);
    }
  }
  canvas.Lines(arrows, {kArrowColor, 255, 1.2, false});
}

}  // namespace

PixelScene PixelSceneOf(const HintedGlyph& glyph, const FetchedGlyph& fetched,
                        const DrawingStyle& style, const PixelLayers& layers) {
  PixelScene scene;
  scene.Glyph = glyph;
  scene.Unhinted = PixelOutlineOf(glyph.Unhinted, fetched.Glyph.Character);
  scene.Hinted = PixelOutlineOf(glyph.Hinted, fetched.Glyph.Character);
  scene.Moves = MovesOfHinting(glyph.Unhinted, glyph.Hinted);
  scene.Style = style;
  scene.Layers = layers;
  if (fetched.Glyph.Glyph) {
    const FontMetrics metrics = FontMetricsOf(*fetched.Glyph.Glyph);
    if (const std::optional<UnitBox> em = EmBoxOf(metrics); em && metrics.UnitsPerEm && *metrics.UnitsPerEm > 0) {
      const double scale = glyph.Request.Ppem / *metrics.UnitsPerEm;
      scene.EmBox = UnitBox{em->Left * scale, em->Bottom * scale, em->Right * scale, em->Top * scale};
    }
  }
  return scene;
}

UnitBox PixelFittedBox(const PixelScene& scene) {
  UnitBox box = WithPoint(WithPoint(UnitBox{}, 0, 0), Pixels(scene.Glyph.UnhintedAdvance), 0);
  box = WithPoint(box, Pixels(scene.Glyph.HintedAdvance), 0);
  for (const ScaledOutline* outline : {&scene.Glyph.Unhinted, &scene.Glyph.Hinted}) {
    for (const PixelPoint& point : outline->Points) box = WithPoint(box, Pixels(point.X), Pixels(point.Y));
  }
  const GlyphBitmap& bitmap = scene.Glyph.Bitmap;
  if (bitmap.Width > 0 && bitmap.Rows > 0) {
    box = WithPoint(WithPoint(box, bitmap.Left, bitmap.Top), bitmap.Left + bitmap.Width, bitmap.Top - bitmap.Rows);
  }
  if (scene.EmBox) box = UnionOf(box, *scene.EmBox);
  return {box.Left * kUnitsPerPixel, box.Bottom * kUnitsPerPixel, box.Right * kUnitsPerPixel,
          box.Top * kUnitsPerPixel};
}

std::vector<std::uint8_t> CoverageRows(const GlyphBitmap& bitmap) {
  const std::size_t width = static_cast<std::size_t>(std::max(bitmap.Width, 0));
  const std::size_t rows = static_cast<std::size_t>(std::max(bitmap.Rows, 0));
  const std::size_t pitch = static_cast<std::size_t>(std::abs(static_cast<std::int64_t>(bitmap.Pitch)));
  const std::size_t rowBytes = bitmap.Mode == Antialiasing::Mono ? (width + 7) / 8 : width;
  if (width == 0 || rows == 0 || pitch < rowBytes || bitmap.Pixels.size() < pitch * rows) return {};
  std::vector<std::uint8_t> coverage(width * rows);
  for (std::size_t row = 0; row < rows; ++row) {
    // A negative pitch holds the rows from the bottom up.
    const std::size_t from = (bitmap.Pitch < 0 ? rows - 1 - row : row) * pitch;
    for (std::size_t column = 0; column < width; ++column) {
      const std::uint8_t byte = bitmap.Pixels[from + (bitmap.Mode == Antialiasing::Mono ? column / 8 : column)];
      const bool mono = bitmap.Mode == Antialiasing::Mono;
      coverage[row * width + column] = mono ? ((byte >> (7 - column % 8)) & 1 ? 255 : 0) : byte;
    }
  }
  return coverage;
}

void DrawPixelScene(Canvas& canvas, const PixelScene& scene, const ViewTransform& view,
                    double width, double height) {
  canvas.Clear(kViewBackground);
  if (scene.Layers.Bitmap) DrawBitmap(canvas, scene.Glyph.Bitmap, view);
  if (scene.Layers.Grid) DrawPixelGrid(canvas, view, width, height);
  DrawAdvances(canvas, scene.Glyph, view, width, height);
  DrawOutlines(canvas, scene, view);
  if (scene.Layers.Arrows) DrawMoves(canvas, scene, view);
  if (scene.Hovered && *scene.Hovered < scene.Moves.Moves.size()) {
    const CanvasStroke ring{kViewChosenColor, 255, 2, false};
    canvas.Circle(OnView(view, scene.Moves.Moves[*scene.Hovered].To), 7, &ring, nullptr);
  }
  canvas.Text({6, 14}, PixelCaption(scene.Glyph), kCaptionSize, scene.Glyph.HintingFailed ? kArrowColor : kViewTextColor);
}

std::optional<std::size_t> MoveNear(const PixelScene& scene, const ViewTransform& view,
                                    DevicePoint at, double radius) {
  std::vector<DevicePoint> places;
  places.reserve(scene.Moves.Moves.size());
  for (const PointMove& move : scene.Moves.Moves) {
    places.push_back(view.ToDevice(static_cast<double>(move.To.X), static_cast<double>(move.To.Y)));
  }
  return NearestPoint(places, at, radius);
}

std::string MoveDescription(const PointMove& move) {
  const std::string number = move.FontNumber >= 0 ? "点 " + std::to_string(move.FontNumber) : std::string("点");
  char distance[32];
  std::snprintf(distance, sizeof distance, "%.3f", move.Distance);
  return number + "：( " + PixelText(move.From.X) + " , " + PixelText(move.From.Y) + " ) から ( " +
         PixelText(move.To.X) + " , " + PixelText(move.To.Y) + " ) へ " + distance + " px 動いた";
}

std::string PixelCaption(const HintedGlyph& glyph) {
  std::string caption = std::to_string(glyph.Request.Ppem) + " ppem・";
  switch (glyph.Request.Hinting) {
    case HintingMode::None: caption += "ヒンティングなし"; break;
    case HintingMode::Light: caption += "軽い自動ヒンティング"; break;
    case HintingMode::Auto: caption += "自動ヒンティング"; break;
    case HintingMode::Font:
      caption += glyph.Request.Interpreter == TrueTypeInterpreter::V35 ? "フォントのヒンティング（v35）"
                                                                      : "フォントのヒンティング";
      break;
  }
  caption += glyph.Request.Antialias == Antialiasing::Mono ? "・白黒" : "・グレー";
  if (glyph.HintingFailed) caption += "：このグリフのヒンティングは失敗した（ヒンティングなしの外形）";
  return caption;
}

int PixelPaneWidth(int width, bool beside) { return beside ? width / 2 : width; }

void DrawPixelPanes(Canvas& canvas, const PixelScene& scene, const PixelScene* beside,
                    const ViewTransform& view, int width, int height) {
  if (beside == nullptr) return DrawPixelScene(canvas, scene, view, width, height);
  const int pane = PixelPaneWidth(width, true);
  canvas.Clear(kViewBackground);
  const auto paint = [&](const PixelScene& shown, int left) {
    canvas.BeginPane(left, pane, height);
    DrawPixelScene(canvas, shown, view, pane, height);
    canvas.EndPane();
  };
  paint(scene, 0);
  paint(*beside, pane);
  const CanvasFill line{kPaneLineColor, 255};
  canvas.Rectangle(pane - 1, 0, 1, height, nullptr, &line);
}

std::optional<std::string> PixelPictureBytes(const PixelScene& scene, const PixelScene* beside,
                                             const ViewTransform& view, int width, int height, double ratio, bool svg,
                                             const std::string& title, const CanvasPngMaker& makePng) {
  return ViewPictureBytes(width, height, ratio, svg, title, makePng, [&](Canvas& canvas) {
    DrawPixelPanes(canvas, scene, beside, view, width, height);
  });
}

}  // namespace moji
