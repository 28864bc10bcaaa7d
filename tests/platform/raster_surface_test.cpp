#include "platform/raster_surface.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <limits>
#include <tuple>

#include "geometry/block_rendering.h"
#include "geometry/outline_placement.h"
#include "display/glyph_outline_fetch.h"
#include "platform/recording_surface.h"
#include "test_fonts.h"

namespace moji {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

/// A white picture of the surfaces' size.
QImage White() {
  QImage white(200, 200, QImage::Format_ARGB32_Premultiplied);
  white.fill(Qt::white);
  return white;
}
constexpr std::int32_t kBig = std::numeric_limits<std::int32_t>::max();

/// The recorded calls drawn with QPainter alone: every segment and cubic as a stroke of its own,
/// with the pen the surface uses (odd widths centred on pixel centres).
QImage DrawnWhole(const std::vector<SurfaceCall>& calls, int width, QColor color) {
  QImage whole = White();
  QPainter painter(&whole);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(color, width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::SquareCap,
                      Qt::RoundJoin));
  const double centring = width % 2 == 1 ? 0.5 : 0.0;
  const auto at = [&](const POINT& p) { return QPointF(p.x + centring, p.y + centring); };
  for (const SurfaceCall& call : calls) {
    if (call.Kind == SurfaceCallKind::Polyline) {
      for (std::size_t k = 0; k + 1 < call.Points.size(); ++k)
        painter.drawLine(at(call.Points[k]), at(call.Points[k + 1]));
    } else if (call.Kind == SurfaceCallKind::PolyBezier) {
      QPainterPath path(at(call.Points[0]));
      path.cubicTo(at(call.Points[1]), at(call.Points[2]), at(call.Points[3]));
      painter.drawPath(path);
    }
  }
  return whole;
}

// 龍 placed as the window places it, and so large that its runs reach far beyond the image: every
// pixel is QPainter's for the recorded calls drawn whole, so the surface paints the drawing's
// exact geometry, and cutting strokes at the margin around the image changes no pixel.
TEST(RasterSurfaceTest, PaintsTheRecordedGeometryAndCutsOnlyWhatCannotBeSeen) {
  GraphicsServices gdi;
  DeviceContext recorded{gdi};
  const GlyphOutline dragon = FetchGlyphOutline(recorded, u"龍", test::LogFont("IPAGothic", 32));
  ASSERT_EQ(dragon.BlockCount, 7);
  for (const auto& [offsetX, offsetY, scale, width] :
       {std::tuple{20.0f, 0.0f, 160.0f, 2}, {-900.0f, -1200.0f, 2400.0f, 3}}) {
    SCOPED_TRACE(scale);
    GlyphOutline placed = dragon;
    PlaceOutline(placed, offsetX, offsetY, scale, true);
    RecordingSurface recording(gdi);
    RasterSurface raster(200, 200);
    for (DrawingSurface* surface : std::initializer_list<DrawingSurface*>{&recording, &raster}) {
      recorded.Surface = surface;
      DrawOutlineBlocks(recorded, placed, 0, 0, 1, false, 0x00008000, width, PS_SOLID, ALL_BLOCKS);
    }
    const QImage whole = DrawnWhole(recording.Calls(), width, QColor(0, 128, 0));
    EXPECT_NE(whole, White());  // the drawing is in the picture: the comparison below means something
    EXPECT_EQ(raster.Image(), whole);
  }
}

// Outside the image, however long: nothing. Crossing it from far away, drawn after the image
// was read: the visible part lands where it belongs.
TEST(RasterSurfaceTest, FarPointsAreClippedNotWrapped) {
  RasterSurface surface(200, 200);
  GraphicsServices gdi;
  DeviceContext hdc{gdi};
  hdc.Surface = &surface;
  const HGDIOBJ previous = SelectObject(hdc, gdi.CreatePen(PS_SOLID, 3, 0x0000FF));
  const POINT outside[] = {{-kBig - 1, -50}, {kBig, -50}, {kBig, kBig}, {-kBig - 1, kBig}};
  const POINT outsideBezier[] = {{-kBig - 1, 300}, {-kBig, kBig}, {kBig, kBig}, {kBig, 300}};
  const POINT across[] = {{-kBig - 1, 40}, {kBig, 40}}, halfway[] = {{100, 80}, {kBig, 80}};
  const POINT bezierAcross[] = {{-kBig - 1, 120}, {-kBig / 2, 120}, {kBig / 2, 120}, {kBig, 120}};
  Polyline(hdc, outside, 4);
  PolyBezier(hdc, outsideBezier, 4);
  surface.DrawCircle(1e30f, 1e30f, 1e29f, 0, 1);
  surface.DrawCircle(std::numeric_limits<float>::quiet_NaN(), 0, 10, 0, 1);
  EXPECT_EQ(surface.Image(), White());
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
  gdi.DeleteObject(SelectObject(hdc, previous));
}

// Horizontal and vertical strokes of every pen width are solid in the pen's colour and exactly
// as wide as the pen, odd widths centred on the device point's pixel, even ones on its edge;
// nothing next to them is touched. At device pixel ratio 2 they cover twice the device rows.
TEST(RasterSurfaceTest, StraightStrokesAreSolidAndExactlyAsWideAsThePen) {
  for (const int ratio : {1, 2}) {
    for (std::int32_t width = 1; width <= 5; ++width) {
      RasterSurface surface(200, 200, 0x00FFFFFF, ratio);
      GraphicsServices gdi;
      DeviceContext hdc{gdi};
      hdc.Surface = &surface;
      const HGDIOBJ previous = SelectObject(hdc, gdi.CreatePen(PS_SOLID, width, 0x00800000));
      const POINT horizontal[] = {{20, 50}, {180, 50}}, vertical[] = {{100, 80}, {100, 190}};
      Polyline(hdc, horizontal, 2);
      Polyline(hdc, vertical, 2);
      gdi.DeleteObject(SelectObject(hdc, previous));
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

}  // namespace
}  // namespace moji
