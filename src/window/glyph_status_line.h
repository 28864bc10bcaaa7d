#pragma once
// The status bar's account of the glyph shown.

#include <QObject>
#include <QString>

#include "display/displayed_glyph.h"

class QStatusBar;

namespace moji {

class ElidedLabel;

/// Says in a status bar which glyph of which face is drawn, in one font that has both kana and
/// digits; a line too long for the bar gives way in its file path first. Where the face lacks
/// the glyph, it says so instead, and names faces that have it, as a link to the first.
class GlyphStatusLine final : public QObject {
  Q_OBJECT

 public:
  /// Puts its parts into `bar`, which owns them.
  explicit GlyphStatusLine(QStatusBar* bar);

  /// Tells of the glyph.
  void Show(const DisplayedGlyph& glyph);

 signals:
  /// The link to a face that has the missing glyph was followed.
  void FaceWithGlyphAsked(const QString& face);

 private:
  ElidedLabel* line_;
  ElidedLabel* missing_;
  QString faceWithGlyph_;
};

}  // namespace moji
