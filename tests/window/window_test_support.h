#pragma once
// Helpers shared by the window tests: an injectable face list and image checks.

#include <QImage>
#include <QRectF>
#include <QStringList>
#include <functional>

#include "model/glyph_outline.h"
#include "display/face_walk.h"

namespace moji::test {

/// A face list given by the test; `onRead` runs when the window reads it.
inline FaceNames Faces(const QStringList& names, std::function<void()> onRead = {}) {
  return [names, onRead] {
    if (onRead) onRead();
    std::vector<std::string> list;
    for (const QString& name : names) list.push_back(name.toStdString());
    return list;
  };
}

/// Smallest rectangle holding every non-white pixel (null when blank).
inline QRect InkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

/// True when every pixel is white.
inline bool IsBlank(const QImage& image) { return InkBounds(image).isNull(); }

/// Box of every start and curve point: the curves never leave it.
inline QRectF PointBounds(const GlyphOutline& outline) {
  QRectF box;
  auto add = [&](float x, float y) { box |= QRectF(x, y, 1e-3, 1e-3); };
  for (const OutlineBlock& block : outline.Blocks) {
    add(block.StartX, block.StartY);
    for (const OutlineCurve& curve : block.Curves) {
      for (const OutlinePoint& point : curve.Points) add(point.X, point.Y);
    }
  }
  return box;
}

}  // namespace moji::test
