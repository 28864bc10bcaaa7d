#include "platform/raster_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "display/block_palette.h"

namespace moji {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 90;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// What `draw` draws on a canvas of kWidth x kHeight at the device pixel ratio.
QImage Drawn(double ratio, const std::function<void(RasterCanvas&)>& draw) {
  QImage image(static_cast<int>(std::ceil(kWidth * ratio)), static_cast<int>(std::ceil(kHeight * ratio)),
               QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::black);
  QPainter painter(&image);
  RasterCanvas canvas(painter, kWidth, kHeight);
  draw(canvas);
  return image;
}

/// The largest difference of one channel between two images of one size.
int LargestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (const int shift : {0, 8, 16, 24}) {
        largest = std::max(largest, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
      }
    }
  }
  return largest;
}

// The grid's columns in one pass cover exactly the pixels that a clear and a line for each
// column do: at whole and fractional ratios, for thin and wide lines, inside a pane, with
// columns off the canvas and not finite; a dashed stroke or a short height takes the lines.
TEST(RasterCanvasTest, ColumnsInOnePassCoverWhatTheirLinesDo) {
  const std::vector<double> columns{-500, -3, 0, 0.25, 7.5, 10.3, 10.6, 33, 59.99, 118.8, 120, 121.4, 400, kNaN};
  for (const double ratio : {1.0, 1.5, 2.0, 3.0}) {
    for (const double width : {1.0, 1.5, 3.0}) {
      for (const bool dashed : {false, true}) {
        for (const double paneX : {0.0, 37.0}) {
          const CanvasStroke stroke{PaletteRgb(200, 20, 60), 180, width, dashed};
          const auto draw = [&](bool onePass) {
            return Drawn(ratio, [&](RasterCanvas& canvas) {
              if (paneX > 0) canvas.BeginPane(paneX, kWidth - paneX, kHeight);
              if (onePass) {
                canvas.ClearWithColumns(PaletteRgb(250, 250, 240), columns, kHeight, stroke);
              } else {
                canvas.Canvas::ClearWithColumns(PaletteRgb(250, 250, 240), columns, kHeight, stroke);
              }
              if (paneX > 0) canvas.EndPane();
            });
          };
          SCOPED_TRACE(testing::Message() << "ratio " << ratio << " width " << width << " dashed "
                                          << dashed << " pane at " << paneX);
          EXPECT_EQ(draw(true), draw(false));
        }
      }
    }
  }
}

// Lines drawn in one batch are the lines drawn one by one: slanted ones, ones along an axis,
// crossing ones, ones from far away, and ones that are not finite, translucent or not.
TEST(RasterCanvasTest, LinesInOneBatchAreTheLinesOneByOne) {
  const std::vector<CanvasLine> lines{{{3, 4}, {90, 60}},    {{90, 4}, {3, 60}},    {{10, 80}, {110, 80}},
                                      {{55, 2}, {55, 88}},  {{-1e9, 30}, {1e9, 31}}, {{40.3, 40.7}, {41, 41}},
                                      {{kNaN, 3}, {50, 50}}, {{20, 20}, {20, 20}}};
  for (const double ratio : {1.0, 2.0}) {
    for (const std::uint8_t alpha : {std::uint8_t{255}, std::uint8_t{120}}) {
      const CanvasStroke stroke{PaletteRgb(30, 120, 40), alpha, 1.2, false};
      const auto draw = [&](bool batch) {
        return Drawn(ratio, [&](RasterCanvas& canvas) {
          canvas.Clear(PaletteRgb(255, 255, 255));
          if (batch) {
            canvas.Lines(lines, stroke);
          } else {
            for (const CanvasLine& line : lines) canvas.Line(line.From, line.To, stroke);
          }
        });
      };
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << " alpha " << int(alpha));
      EXPECT_EQ(draw(true), draw(false));
    }
  }
}

// A small circle or box copied from its stamp shows as the same shape drawn in place, within
// the quarter of a device pixel its centre is placed to, including the stamps a later canvas
// takes from a kept set; a circle too large for a stamp is drawn in place.
TEST(RasterCanvasTest, MarksFromStampsShowAsTheShapesDrawnInPlace) {
  const CanvasStroke ring{PaletteRgb(10, 90, 200), 255, 1.5, false};
  const CanvasFill fill{PaletteRgb(200, 60, 0), 200};
  for (const double ratio : {1.0, 2.0}) {
    // Centres on quarters of a device pixel, where the stamp's place is exact.
    const double quarter = 0.25 / ratio;
    const auto marks = [&](Canvas& canvas) {
      canvas.Clear(PaletteRgb(255, 255, 255));
      canvas.Circle({20 + quarter, 30 + 3 * quarter}, 3, &ring, nullptr);
      canvas.Circle({50 + 2 * quarter, 30}, 7, &ring, &fill);
      canvas.Circle({80, 40 + quarter}, 35, &ring, nullptr);  // too large for a stamp
      canvas.Rectangle(60 + quarter, 70 - 2.5, 5, 5, nullptr, &fill);
    };
    const QImage stamped = Drawn(ratio, marks);
    QImage inPlace = stamped;
    inPlace.fill(Qt::white);
    {
      QPainter painter(&inPlace);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(QPen(QColor(10, 90, 200), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
      painter.drawEllipse(QPointF(20 + quarter, 30 + 3 * quarter), 3, 3);
      painter.setBrush(QColor(200, 60, 0, 200));
      painter.drawEllipse(QPointF(50 + 2 * quarter, 30), 7, 7);
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QPointF(80, 40 + quarter), 35, 35);
      painter.fillRect(QRectF(60 + quarter, 70 - 2.5, 5, 5), QColor(200, 60, 0, 200));
    }
    SCOPED_TRACE(testing::Message() << "ratio " << ratio);
    // The stamp's premultiplied pixels are rounded once more, and Qt flattens an ellipse drawn
    // through a scale a little otherwise than one drawn at its device size: a few levels at
    // the edges, where a mark a device pixel off would differ by a hundred or more.
    EXPECT_LE(LargestDifference(stamped, inPlace), 12);
    // A kept set gives the same picture on a second canvas, from stamps made by the first.
    MarkStamps kept;
    RasterTextCache texts;
    QImage first = stamped, second = stamped;
    for (QImage* image : {&first, &second}) {
      QPainter painter(image);
      RasterCanvas canvas(painter, kWidth, kHeight, texts, kept);
      marks(canvas);
    }
    EXPECT_EQ(first, stamped);
    EXPECT_EQ(second, stamped);
  }
}

// An outline stroked as its flattened lines, and a line alone or in a batch, reach the canvas
// however far their points lie, without overflowing Qt's fixed-point raster, and cover the
// pixels along their paths.
TEST(RasterCanvasTest, OutlinesFromFarAwayAreDrawnWhereTheyCross) {
  const CanvasStroke pen{PaletteRgb(0, 0, 0), 255, 2, false};
  for (const double far : {1e4, 1e7, 1e12, 1e300}) {
    const QImage image = Drawn(2, [&](RasterCanvas& canvas) {
      canvas.Clear(PaletteRgb(255, 255, 255));
      const CanvasPath path{{CanvasPathPiece::MoveTo, {{-far, 40}}},
                            {CanvasPathPiece::LineTo, {{far, 40}}},
                            {CanvasPathPiece::CubicTo, {{far, 80}, {60, far}, {60, 60}}}};
      canvas.Path(path, &pen, nullptr);
    });
    SCOPED_TRACE(testing::Message() << "far " << far);
    for (const int x : {0, 60, 119}) EXPECT_EQ(image.pixel(x * 2, 80), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(image.pixel(60 * 2, 20 * 2), qRgb(255, 255, 255));
    // A slanted line alone, and in a batch, from as far (as far as a double still holds the
    // line's place beside its length).
    if (far > 1e15) continue;
    const QImage lines = Drawn(2, [&](RasterCanvas& canvas) {
      canvas.Clear(PaletteRgb(255, 255, 255));
      // Slanted through (0, 20) and (0, 60), by a millionth.
      canvas.Line({-far, 20 - 1e-6 * far}, {far, 20 + 1e-6 * far}, pen);
      const CanvasLine batch[] = {{{-far, 60 + 1e-6 * far}, {far, 60 - 1e-6 * far}}};
      canvas.Lines(batch, pen);
    });
    for (const int x : {0, 60, 119}) {
      EXPECT_EQ(lines.pixel(x * 2, 40), qRgb(0, 0, 0)) << x;
      EXPECT_EQ(lines.pixel(x * 2, 120), qRgb(0, 0, 0)) << x;
    }
    EXPECT_EQ(lines.pixel(60 * 2, 80 * 2), qRgb(255, 255, 255));
  }
}

}  // namespace
}  // namespace moji
