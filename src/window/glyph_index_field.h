#pragma once
// The large view's glyph-number field: which glyph of the face is shown, by its index.

#include <QWidget>
#include <cstdint>

class QSpinBox;

namespace moji {

/// A labelled number field that shows the index of the glyph drawn and takes another: only the
/// indices of the face's glyphs can be entered. A number is taken when it is entered (Enter or
/// leaving the field) or stepped to, never digit by digit.
class GlyphIndexField final : public QWidget {
  Q_OBJECT

 public:
  explicit GlyphIndexField(QWidget* parent = nullptr);

  /// Shows glyph `glyphIndex` of a face of `count` glyphs (none, and nothing to enter, for 0).
  void Follow(std::uint32_t glyphIndex, std::uint32_t count);
  QSpinBox* Box() const { return box_; }

 signals:
  /// A glyph index was entered.
  void IndexChosen(std::uint32_t glyphIndex);

 private:
  QSpinBox* box_;
};

}  // namespace moji
