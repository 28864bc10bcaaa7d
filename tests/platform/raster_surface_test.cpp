#include "platform/raster_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

#include "geometry/block_rendering.h"
#include "geometry/outline_placement.h"
#include "model/glyph_outline_fetch.h"
#include "platform/recording_surface.h"

namespace moji {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr std::int32_t kBig = std::numeric_limits<std::int32_t>::max();
/// Palette colours (0x00BBGGRR) that show on white.
constexpr COLORREF kPalette[] = {0x000000, 0x800000, 0x008000, 0x808000,
                                 0x000080, 0x800080, 0x008080};

using Segment = std::pair<QPointF, QPointF>;

/// Straight pieces of everything recorded: polylines as they are, Beziers flattened finely.
std::vector<Segment> RecordedSegments(const std::vector<SurfaceCall>& calls) {
  std::vector<Segment> segments;
  for (const SurfaceCall& call : calls) {
    std::vector<QPointF> p;
    for (const POINT& point : call.Points) p.emplace_back(point.x, point.y);
    for (std::size_t i = 1; call.Kind == SurfaceCallKind::Polyline && i < p.size(); ++i) {
      segments.emplace_back(p[i - 1], p[i]);
    }
    QPointF previous = p.empty() ? QPointF() : p[0];
    for (int step = 1; call.Kind == SurfaceCallKind::PolyBezier && step <= 64; ++step) {
      const double t = step / 64.0, u = 1 - t;
      const QPointF next =
          u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
      segments.emplace_back(previous, next);
      previous = next;
    }
  }
  return segments;
}

double Distance(QPointF point, const Segment& segment) {
  const auto& [a, b] = segment;
  const double length2 = QPointF::dotProduct(b - a, b - a);
  const double t =
      length2 == 0 ? 0 : std::clamp(QPointF::dotProduct(point - a, b - a) / length2, 0.0, 1.0);
  const QPointF d = point - (a + t * (b - a));
  return std::hypot(d.x(), d.y());
}

/// Draws each block in its colour on both surfaces; then every painted pixel must lie within
/// reach of the recorded geometry, and something must be painted next to the middle of every
/// recorded piece.
void ExpectRasterFollowsRecording(const GlyphOutline& outline, std::int32_t penWidth) {
  RecordingSurface recording;
  RasterSurface raster(200, 200);
  DeviceContext recorded, painted;
  recorded.Surface = &recording;
  painted.Surface = &raster;
  for (std::int32_t k = 0; k < outline.BlockCount; ++k) {
    const COLORREF color = kPalette[static_cast<std::size_t>(k) % std::size(kPalette)];
    DrawOutlineBlocks(recorded, outline, 0, 0, 1, false, color, penWidth, PS_SOLID, k);
    DrawOutlineBlocks(painted, outline, 0, 0, 1, false, color, penWidth, PS_SOLID, k);
  }
  const std::vector<Segment> segments = RecordedSegments(recording.Calls());
  const QImage& image = raster.Image();
  const double reach = std::max(penWidth, 1) / 2.0 + 1.5;
  std::vector<bool> near(200 * 200);
  for (const Segment& segment : segments) {
    const QRectF box =
        QRectF(segment.first, segment.second).normalized().adjusted(-reach, -reach, reach, reach);
    for (int y = std::max(0, int(box.top())); y <= std::min(199, int(box.bottom())); ++y) {
      for (int x = std::max(0, int(box.left())); x <= std::min(199, int(box.right())); ++x) {
        if (Distance(QPointF(x + 0.5, y + 0.5), segment) <= reach) near[y * 200 + x] = true;
      }
    }
    const QPoint middle = ((segment.first + segment.second) / 2).toPoint();
    if (QRect(1, 1, 198, 198).contains(middle)) {
      bool paintedNearby = false;
      for (int i = 0; i < 9; ++i)
        paintedNearby |= image.pixel(middle + QPoint(i % 3 - 1, i / 3 - 1)) != kWhite;
      EXPECT_TRUE(paintedNearby) << "nothing painted at " << middle.x() << "," << middle.y();
    }
  }
  int paintedPixels = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (image.pixel(x, y) == kWhite) continue;
      ++paintedPixels;
      EXPECT_TRUE(near[y * 200 + x]) << "stray pixel " << x << "," << y;
    }
  }
  EXPECT_GT(paintedPixels, 100);
}

OutlineCurve Curve(std::int32_t type, std::vector<OutlinePoint> points) {
  return {type, static_cast<std::int32_t>(points.size()), std::move(points)};
}

TEST(RasterSurfaceTest, PaintsOnlyAlongTheRecordedGeometry) {
  const GlyphOutline outline{
      u"x",
      2,
      {{20,
        30,
        3,
        {Curve(CURVE_POLYLINE, {{150, 30}, {150, 60}}),
         Curve(CURVE_QSPLINE, {{180, 120}, {100, 170}, {60, 120}}),
         Curve(CURVE_POLYLINE, {{20, 100}})}},
       {60, 60, 1, {Curve(CURVE_QSPLINE, {{110, 40}, {130, 110}, {70, 90}})}}},
      3};
  for (std::int32_t width : {1, 3, 5}) {
    SCOPED_TRACE(width);
    ExpectRasterFollowsRecording(outline, width);
  }

  LOGFONTA font{};
  font.lfHeight = 32;
  font.lfCharSet = 1;
  std::strcpy(font.lfFaceName, "IPAGothic");
  DeviceContext hdc;
  GlyphOutline dragon = FetchGlyphOutline(hdc, u"龍", font);
  ASSERT_GT(dragon.BlockCount, 5);
  PlaceOutline(dragon, 20, 0, 160, true);
  ExpectRasterFollowsRecording(dragon, 2);
}

TEST(RasterSurfaceTest, FarPointsAreClippedNotWrapped) {
  RasterSurface surface(200, 200);
  DeviceContext hdc;
  hdc.Surface = &surface;
  const HGDIOBJ pen = CreatePen(PS_SOLID, 3, 0x0000FF);
  const HGDIOBJ previous = SelectObject(hdc, pen);
  // Entirely outside the image, however long: nothing.
  const POINT outside[] = {{-kBig - 1, -50}, {kBig, -50}, {kBig, kBig}, {-kBig - 1, kBig}};
  Polyline(hdc, outside, 4);
  const POINT outsideBezier[] = {{-kBig - 1, 300}, {-kBig, kBig}, {kBig, kBig}, {kBig, 300}};
  PolyBezier(hdc, outsideBezier, 4);
  surface.DrawCircle(1e30f, 1e30f, 1e29f, 0, 1);
  surface.DrawCircle(std::numeric_limits<float>::quiet_NaN(), 0, 10, 0, 1);
  surface.DrawCircle(100, 100, 0, 0, 1);
  QImage white(200, 200, QImage::Format_ARGB32_Premultiplied);
  white.fill(Qt::white);
  EXPECT_EQ(surface.Image(), white);

  // Crossing the image from far away: the visible part lands where it belongs.
  const POINT across[] = {{-kBig - 1, 40}, {kBig, 40}};
  Polyline(hdc, across, 2);
  const POINT halfway[] = {{100, 80}, {kBig, 80}};
  Polyline(hdc, halfway, 2);
  const POINT bezierAcross[] = {{-kBig - 1, 120}, {-kBig / 2, 120}, {kBig / 2, 120}, {kBig, 120}};
  PolyBezier(hdc, bezierAcross, 4);
  // Its leftmost point is (128, 160); near the image the circle is all but a vertical line.
  surface.DrawCircle(0x1p30f, 160.0f, 0x1p30f - 128.0f, 0x0000FF, 3);
  const QImage& image = surface.Image();
  for (int x : {0, 50, 150, 199}) {
    EXPECT_NE(image.pixel(x, 40), kWhite) << x;
    EXPECT_NE(image.pixel(x, 120), kWhite) << x;
    EXPECT_NE(image.pixel(128, 160 + (x - 100) / 4), kWhite) << x;
  }
  EXPECT_EQ(image.pixel(50, 80), kWhite);
  EXPECT_NE(image.pixel(150, 80), kWhite);
  for (int y : {20, 60, 100, 140, 180}) EXPECT_EQ(image.pixel(50, y), kWhite) << y;
  DeleteObject(SelectObject(hdc, previous));
}

TEST(RasterSurfaceTest, DrawingGoesOnAfterTheImageIsReadAndClearEmptiesIt) {
  RasterSurface surface(20, 20);
  DeviceContext hdc;
  hdc.Surface = &surface;
  const POINT first[] = {{0, 5}, {20, 5}};
  const POINT second[] = {{0, 15}, {20, 15}};
  Polyline(hdc, first, 2);
  EXPECT_NE(surface.Image().pixel(10, 5), kWhite);
  Polyline(hdc, second, 2);
  EXPECT_NE(surface.Image().pixel(10, 5), kWhite);
  EXPECT_NE(surface.Image().pixel(10, 15), kWhite);
  surface.Clear();
  EXPECT_EQ(surface.Image().pixel(10, 5), kWhite);
  EXPECT_EQ(surface.Image().pixel(10, 15), kWhite);
}

}  // namespace
}  // namespace moji
