#include "platform/raster_surface.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <cstring>
#include <limits>

#include "geometry/block_rendering.h"
#include "geometry/outline_placement.h"
#include "display/glyph_outline_fetch.h"
#include "platform/recording_surface.h"

namespace moji {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr std::int32_t kBig = std::numeric_limits<std::int32_t>::max();

/// The recorded polylines and Bezier segments stroked black on white with a pen of `width`.
QImage Stroked(const std::vector<SurfaceCall>& calls, int width) {
  QPainterPath path;
  for (const SurfaceCall& call : calls) {
    QPolygonF p;
    for (const POINT& point : call.Points) p << QPointF(point.x, point.y);
    if (call.Kind == SurfaceCallKind::Polyline) path.addPolygon(p);
    if (call.Kind != SurfaceCallKind::PolyBezier) continue;
    path.moveTo(p[0]);
    path.cubicTo(p[1], p[2], p[3]);
  }
  QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter(&image).strokePath(path, QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
  return image;
}

// A placed 龍 drawn block by block in palette colours with a pen of width 2: every painted pixel
// lies within 2.5 pixels of the recorded geometry, and every pixel on it is painted.
TEST(RasterSurfaceTest, PaintsOnlyAlongTheRecordedGeometry) {
  LOGFONTA font{};
  font.lfHeight = 32;
  std::strcpy(font.lfFaceName, "IPAGothic");
  DeviceContext recorded, painted;
  GlyphOutline dragon = FetchGlyphOutline(recorded, u"龍", font);
  ASSERT_EQ(dragon.BlockCount, 7);
  PlaceOutline(dragon, 20, 0, 160, true);
  RecordingSurface recording;
  RasterSurface raster(200, 200);
  recorded.Surface = &recording;
  painted.Surface = &raster;
  const COLORREF palette[] = {0x000000, 0x800000, 0x008000, 0x808000,
                              0x000080, 0x800080, 0x008080};
  for (std::int32_t k = 0; k < 7; ++k) {
    DrawOutlineBlocks(recorded, dragon, 0, 0, 1, false, palette[k], 2, PS_SOLID, k);
    DrawOutlineBlocks(painted, dragon, 0, 0, 1, false, palette[k], 2, PS_SOLID, k);
  }
  const QImage near = Stroked(recording.Calls(), 5), on = Stroked(recording.Calls(), 0);
  const QImage& image = raster.Image();
  int paintedPixels = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool paint = image.pixel(x, y) != kWhite;
      paintedPixels += paint;
      EXPECT_TRUE(!paint || near.pixel(x, y) != kWhite) << "stray pixel " << x << "," << y;
      EXPECT_TRUE(paint || on.pixel(x, y) == kWhite) << "unpainted pixel " << x << "," << y;
    }
  }
  EXPECT_GT(paintedPixels, 1000);
}

// Outside the image, however long: nothing. Crossing it from far away, drawn after the image
// was read: the visible part lands where it belongs.
TEST(RasterSurfaceTest, FarPointsAreClippedNotWrapped) {
  RasterSurface surface(200, 200);
  DeviceContext hdc;
  hdc.Surface = &surface;
  const HGDIOBJ previous = SelectObject(hdc, CreatePen(PS_SOLID, 3, 0x0000FF));
  const POINT outside[] = {{-kBig - 1, -50}, {kBig, -50}, {kBig, kBig}, {-kBig - 1, kBig}};
  const POINT outsideBezier[] = {{-kBig - 1, 300}, {-kBig, kBig}, {kBig, kBig}, {kBig, 300}};
  const POINT across[] = {{-kBig - 1, 40}, {kBig, 40}}, halfway[] = {{100, 80}, {kBig, 80}};
  const POINT bezierAcross[] = {{-kBig - 1, 120}, {-kBig / 2, 120}, {kBig / 2, 120}, {kBig, 120}};
  Polyline(hdc, outside, 4);
  PolyBezier(hdc, outsideBezier, 4);
  surface.DrawCircle(1e30f, 1e30f, 1e29f, 0, 1);
  surface.DrawCircle(std::numeric_limits<float>::quiet_NaN(), 0, 10, 0, 1);
  QImage white(200, 200, QImage::Format_ARGB32_Premultiplied);
  white.fill(Qt::white);
  EXPECT_EQ(surface.Image(), white);
  Polyline(hdc, across, 2);
  Polyline(hdc, halfway, 2);
  PolyBezier(hdc, bezierAcross, 4);
  const QImage& image = surface.Image();
  for (int x : {0, 50, 150, 199}) {
    EXPECT_NE(image.pixel(x, 40), kWhite) << x;
    EXPECT_NE(image.pixel(x, 120), kWhite) << x;
    EXPECT_EQ(image.pixel(x, 80) != kWhite, x > 100) << x;
  }
  for (int y : {20, 60, 100, 140, 180}) EXPECT_EQ(image.pixel(50, y), kWhite) << y;
  DeleteObject(SelectObject(hdc, previous));
}

// Horizontal and vertical strokes of every pen width are solid in the pen's colour and exactly
// as wide as the pen, odd widths centred on the pixel of the device point, even widths on its
// edge; nothing next to them is touched. At device pixel ratio 2 the image has twice the pixels
// each way and the same strokes cover twice the device rows, as solid.
TEST(RasterSurfaceTest, StraightStrokesAreSolidAndExactlyAsWideAsThePen) {
  for (const int ratio : {1, 2}) {
    for (std::int32_t width = 1; width <= 5; ++width) {
      RasterSurface surface(200, 200, 0x00FFFFFF, ratio);
      DeviceContext hdc;
      hdc.Surface = &surface;
      const HGDIOBJ previous = SelectObject(hdc, CreatePen(PS_SOLID, width, 0x00800000));
      const POINT horizontal[] = {{20, 50}, {180, 50}}, vertical[] = {{100, 80}, {100, 190}};
      Polyline(hdc, horizontal, 2);
      Polyline(hdc, vertical, 2);
      DeleteObject(SelectObject(hdc, previous));
      const QImage& image = surface.Image();
      ASSERT_EQ(image.size(), QSize(200 * ratio, 200 * ratio));
      // Device offsets of the covered rows from the device point's row.
      const int first = -(width / 2) * ratio, last = ((width - 1) / 2 + 1) * ratio - 1;
      for (int offset = first - 2; offset <= last + 2; ++offset) {
        const bool covered = offset >= first && offset <= last;
        const QRgb expected = covered ? qRgb(0, 0, 128) : kWhite;
        EXPECT_EQ(image.pixel(60 * ratio, 50 * ratio + offset), expected)
            << ratio << " " << width << " row " << offset;
        EXPECT_EQ(image.pixel(100 * ratio + offset, 140 * ratio), expected)
            << ratio << " " << width << " column " << offset;
      }
    }
  }
}

// A glyph placed so large that its runs reach hundreds of pixels beyond the image: every pixel
// of the image is what the same pens give when every stroke is drawn whole.
TEST(RasterSurfaceTest, CuttingStrokesAtTheMarginChangesNoPixel) {
  LOGFONTA font{};
  font.lfHeight = 32;
  std::strcpy(font.lfFaceName, "IPAGothic");
  DeviceContext recorded, painted;
  GlyphOutline dragon = FetchGlyphOutline(recorded, u"龍", font);
  PlaceOutline(dragon, -900, -1200, 2400, true);
  RecordingSurface recording;
  RasterSurface raster(200, 200);
  recorded.Surface = &recording;
  painted.Surface = &raster;
  DrawOutlineBlocks(recorded, dragon, 0, 0, 1, false, 0x00008000, 3, PS_SOLID, ALL_BLOCKS);
  DrawOutlineBlocks(painted, dragon, 0, 0, 1, false, 0x00008000, 3, PS_SOLID, ALL_BLOCKS);
  QImage whole(200, 200, QImage::Format_ARGB32_Premultiplied);
  whole.fill(Qt::white);
  QPainter painter(&whole);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const auto at = [](const POINT& p) { return QPointF(p.x + 0.5, p.y + 0.5); };
  int far = 0;
  for (const SurfaceCall& call : recording.Calls()) {
    for (const POINT& p : call.Points) far += std::abs(p.x) > 600 || std::abs(p.y) > 600;
    if (call.Kind == SurfaceCallKind::Polyline) {
      for (std::size_t k = 0; k + 1 < call.Points.size(); ++k)
        painter.drawLine(at(call.Points[k]), at(call.Points[k + 1]));
    } else if (call.Kind == SurfaceCallKind::PolyBezier) {
      QPainterPath path(at(call.Points[0]));
      path.cubicTo(at(call.Points[1]), at(call.Points[2]), at(call.Points[3]));
      painter.drawPath(path);
    }
  }
  painter.end();
  EXPECT_GT(far, 10);  // the drawing does reach far beyond the margin
  EXPECT_FALSE(whole == QImage(200, 200, QImage::Format_ARGB32_Premultiplied));
  EXPECT_EQ(raster.Image(), whole);
}

}  // namespace
}  // namespace moji
