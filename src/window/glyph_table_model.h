#pragma once
// The glyph table's rows: every glyph of a face, or those a filter passes, each drawn small
// when it is first shown and kept in a bounded cache.

#include <QAbstractListModel>
#include <QCache>
#include <QImage>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/glyph_catalog.h"
#include "model/glyph_outline.h"
#include "platform/font_engine.h"

namespace moji {

/// What a cell of the table shows of a glyph: its small outline and its name and code points.
struct GlyphCell {
  QImage Picture;
  QString Name;
  QString CodePoints;
};

/// The glyphs of one face in index order, or those that pass the filter. Opening a face costs
/// nothing per glyph: names, code points and pictures are read when a cell is first drawn (a
/// filter reads every glyph's name and code points once).
class GlyphTableModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  /// The most cells kept drawn: some screenfuls.
  static constexpr int kCachedCells = 4096;
  /// The side of a glyph's small picture, in pixels.
  static constexpr int kPictureSide = 64;

  explicit GlyphTableModel(FontEngine& engine, QObject* parent = nullptr);

  /// Lists every glyph of the face (none for nullptr); the filter is cleared.
  void ShowFace(const FontFace* face);
  const FontFace* Face() const { return face_; }
  /// Lists the glyphs with a code point in the Unicode block (empty for any) that the search
  /// text passes (ParseGlyphSearch).
  void SetFilter(const std::string& block, const std::string& search);
  /// The Unicode blocks of the face's code points.
  std::vector<std::string> Blocks();
  /// Device pixels per pixel of the pictures drawn from now on.
  void SetPixelRatio(qreal ratio);

  /// The glyph index of a row, and the row of a glyph (none where the filter leaves it out).
  std::uint32_t GlyphAt(int row) const;
  std::optional<int> RowOf(std::uint32_t glyphIndex) const;
  /// The cell of a glyph, drawn when first asked for.
  const GlyphCell& CellOf(std::uint32_t glyphIndex) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const std::vector<GlyphCatalogEntry>& Catalog();
  GlyphCell DrawCell(std::uint32_t glyphIndex) const;

  FontEngine& engine_;
  const FontFace* face_ = nullptr;
  std::uint32_t count_ = 0;
  qreal ratio_ = 1;
  /// The glyphs the filter passes, in index order; none while there is no filter.
  std::optional<std::vector<std::uint32_t>> rows_;
  std::optional<std::vector<GlyphCatalogEntry>> catalog_;
  mutable QCache<std::uint32_t, GlyphCell> cells_;
};

/// Draws a cell of the table: the glyph's picture over its index, name and code points, the
/// current cell framed.
class GlyphCellDelegate final : public QStyledItemDelegate {
 public:
  /// A cell's size in pixels.
  static constexpr int kCellWidth = 88;
  static constexpr int kCellHeight = 116;

  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

/// The outline's path for a painter (drawing-area coordinates): polylines, quadratic B-spline
/// runs through their implied on-curve points, cubic segments, each block closed.
QPainterPath OutlinePath(const GlyphOutline& placed);

}  // namespace moji
