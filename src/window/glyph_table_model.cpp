#include "window/glyph_table_model.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "display/display_request.h"
#include "geometry/outline_placement.h"
#include "model/outline_visit.h"
#include "native/native_reader.h"

namespace moji {
namespace {

QPointF At(const OutlinePoint& point) { return {point.X, point.Y}; }

/// Adds one run to the path, from its current point.
void AddRun(QPainterPath& path, const OutlineCurve& curve) {
  const auto points = Counted(curve.Points, curve.PointCount);
  if (curve.CurveType == 1) {
    for (const OutlinePoint& point : points) path.lineTo(At(point));
  } else if (curve.CurveType == 2) {
    // Between two controls lies the implied on-curve point halfway.
    for (std::size_t p = 0; p + 1 < points.size(); ++p) {
      const QPointF end = p + 2 == points.size() ? At(points[p + 1]) : (At(points[p]) + At(points[p + 1])) / 2;
      path.quadTo(At(points[p]), end);
    }
  } else {
    for (std::size_t p = 0; p + 2 < points.size(); p += 3) {
      path.cubicTo(At(points[p]), At(points[p + 1]), At(points[p + 2]));
    }
  }
}

}  // namespace

QPainterPath OutlinePath(const GlyphOutline& placed) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (const OutlineBlock& block : Counted(placed.Blocks, placed.BlockCount)) {
    path.moveTo(block.StartX, block.StartY);
    for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) AddRun(path, curve);
    path.closeSubpath();
  }
  return path;
}

GlyphTableModel::GlyphTableModel(FontEngine& engine, QObject* parent)
    : QAbstractListModel(parent), engine_(engine), cells_(kCachedCells) {}

void GlyphTableModel::ShowFace(const FontFace* face) {
  beginResetModel();
  face_ = face;
  count_ = face == nullptr ? 0 : engine_.GlyphCountOf(*face);
  rows_.reset();
  catalog_.reset();
  cells_.clear();
  endResetModel();
}

const std::vector<GlyphCatalogEntry>& GlyphTableModel::Catalog() {
  if (!catalog_) catalog_ = face_ == nullptr ? std::vector<GlyphCatalogEntry>() : CatalogOfFace(engine_, *face_);
  return *catalog_;
}

void GlyphTableModel::SetFilter(const std::string& block, const std::string& search) {
  beginResetModel();
  const GlyphSearch asked = ParseGlyphSearch(search);
  if (block.empty() && asked == GlyphSearch{}) {
    rows_.reset();
  } else {
    rows_.emplace();
    for (const GlyphCatalogEntry& entry : Catalog()) {
      if (PassesGlyphFilter(entry, block, asked)) rows_->push_back(entry.Index);
    }
  }
  endResetModel();
}

std::vector<std::string> GlyphTableModel::Blocks() { return BlocksOfCatalog(Catalog()); }

void GlyphTableModel::SetPixelRatio(qreal ratio) {
  if (ratio == ratio_) return;
  ratio_ = ratio;
  cells_.clear();
  if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1));
}

std::uint32_t GlyphTableModel::GlyphAt(int row) const {
  if (row < 0) return 0;
  if (rows_) return static_cast<std::size_t>(row) < rows_->size() ? (*rows_)[static_cast<std::size_t>(row)] : 0;
  return static_cast<std::uint32_t>(row);
}

std::optional<int> GlyphTableModel::RowOf(std::uint32_t glyphIndex) const {
  if (!rows_) return glyphIndex < count_ ? std::optional(static_cast<int>(glyphIndex)) : std::nullopt;
  const auto found = std::lower_bound(rows_->begin(), rows_->end(), glyphIndex);
  if (found == rows_->end() || *found != glyphIndex) return std::nullopt;
  return static_cast<int>(found - rows_->begin());
}

int GlyphTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return rows_ ? static_cast<int>(rows_->size()) : static_cast<int>(std::min<std::uint32_t>(count_, 0x7FFFFFFF));
}

QVariant GlyphTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const std::uint32_t glyph = GlyphAt(index.row());
  if (role == Qt::UserRole) return QVariant::fromValue(glyph);
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) {
    const GlyphCell& cell = CellOf(glyph);
    const QString text = QString::number(glyph) + u' ' + cell.Name;
    return role == Qt::DisplayRole || cell.CodePoints.isEmpty() ? text : text + u'\n' + cell.CodePoints;
  }
  return {};
}

const GlyphCell& GlyphTableModel::CellOf(std::uint32_t glyphIndex) const {
  if (const GlyphCell* cell = cells_.object(glyphIndex)) return *cell;
  auto* cell = new GlyphCell(DrawCell(glyphIndex));
  cells_.insert(glyphIndex, cell);
  return *cell;
}

GlyphCell GlyphTableModel::DrawCell(std::uint32_t glyphIndex) const {
  GlyphCell cell;
  const int side = kPictureSide;
  cell.Picture = QImage(QSize(side, side) * ratio_, QImage::Format_ARGB32_Premultiplied);
  cell.Picture.setDevicePixelRatio(ratio_);
  cell.Picture.fill(Qt::transparent);
  if (face_ == nullptr) return cell;
  cell.Name = QString::fromStdString(engine_.GlyphNameOf(*face_, glyphIndex));
  cell.CodePoints = QString::fromStdString(CodePointsLabel(engine_.CodePointsOf(*face_, glyphIndex)));
  const NativeGlyph glyph = engine_.ConvertGlyph(*face_, kOutlineFontHeight, glyphIndex);
  const double cellUnits = static_cast<double>(glyph.CellUnits());
  if (glyph.Status != GlyphStatus::Outline || cellUnits <= 0) return cell;
  GlyphOutline outline = WalkNativeOutline(glyph.Bytes, 1.0f / kOutlineFontHeight, {});
  // The design cell fills the picture's height; the advance is centred across it.
  const double advance = static_cast<double>(glyph.Units.AdvanceWidth) / cellUnits * side;
  const double below = static_cast<double>(glyph.Units.CellDescent) / cellUnits * side;
  PlaceOutline(outline, static_cast<float>((side - advance) / 2), static_cast<float>(-below),
               static_cast<float>(side), true);
  QPainter painter(&cell.Picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(OutlinePath(outline), QApplication::palette().color(QPalette::Text));
  return cell;
}

void GlyphCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const auto* model = qobject_cast<const GlyphTableModel*>(index.model());
  if (model == nullptr) return;
  const std::uint32_t glyph = model->GlyphAt(index.row());
  const GlyphCell& cell = model->CellOf(glyph);
  const QRect box = option.rect.adjusted(2, 2, -2, -2);
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  painter->save();
  painter->fillRect(box, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
  const int side = GlyphTableModel::kPictureSide;
  const QRect picture(box.left() + (box.width() - side) / 2, box.top() + 2, side, side);
  painter->fillRect(picture, option.palette.color(QPalette::Base));
  painter->drawImage(picture, cell.Picture);
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  const QFontMetrics metrics(option.font);
  const int line = metrics.height();
  QRect text(box.left() + 2, picture.bottom() + 2, box.width() - 4, line);
  for (const QString& part : {QString::number(glyph), cell.Name, cell.CodePoints}) {
    painter->drawText(text, Qt::AlignHCenter | Qt::AlignTop, metrics.elidedText(part, Qt::ElideMiddle, text.width()));
    text.translate(0, line);
  }
  if ((option.state & QStyle::State_HasFocus) != 0) {
    painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
    painter->drawRect(box);
  }
  painter->restore();
}

QSize GlyphCellDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {kCellWidth, kCellHeight};
}

}  // namespace moji
