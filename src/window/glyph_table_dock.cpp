#include "window/glyph_table_dock.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "window/glyph_table_model.h"

namespace moji {
namespace {

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

}  // namespace

GlyphTableDock::GlyphTableDock(FontEngine& engine, QWidget* parent)
    : QDockWidget(Utf16(u"グリフ一覧"), parent), model_(new GlyphTableModel(engine, this)),
      blocks_(new QComboBox), search_(new QLineEdit), cells_(new QListView), count_(new QLabel) {
  setObjectName(QStringLiteral("GlyphTableDock"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  blocks_->setObjectName(QStringLiteral("GlyphBlock"));
  blocks_->setAccessibleName(Utf16(u"Unicode ブロック"));
  blocks_->addItem(Utf16(u"すべてのブロック"));
  // The blocks are read from every glyph: only when the list is first opened.
  connect(blocks_, &QComboBox::activated, this, &GlyphTableDock::Filter);
  search_->setObjectName(QStringLiteral("GlyphSearch"));
  search_->setPlaceholderText(Utf16(u"名前、U+3042、または文字で検索"));
  search_->setClearButtonEnabled(true);
  connect(search_, &QLineEdit::textChanged, this, &GlyphTableDock::Filter);
  cells_->setObjectName(QStringLiteral("GlyphCells"));
  cells_->setViewMode(QListView::IconMode);
  cells_->setResizeMode(QListView::Adjust);
  cells_->setMovement(QListView::Static);
  cells_->setUniformItemSizes(true);
  cells_->setLayoutMode(QListView::Batched);
  cells_->setGridSize({GlyphCellDelegate::kCellWidth, GlyphCellDelegate::kCellHeight});
  cells_->setItemDelegate(new GlyphCellDelegate(cells_));
  cells_->setModel(model_);
  cells_->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(cells_, &QListView::clicked, this, &GlyphTableDock::Choose);
  connect(cells_, &QListView::activated, this, &GlyphTableDock::Choose);
  count_->setObjectName(QStringLiteral("GlyphCount"));
  auto* filters = new QHBoxLayout;
  filters->addWidget(blocks_, 1);
  filters->addWidget(search_, 1);
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(filters);
  layout->addWidget(cells_, 1);
  layout->addWidget(count_);
  setWidget(body);
  blocks_->installEventFilter(this);
}

bool GlyphTableDock::eventFilter(QObject* watched, QEvent* event) {
  // The choice is filled before its list first opens, by the mouse or a key.
  const bool opening = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress;
  if (watched == blocks_ && opening) FillBlocks();
  return QDockWidget::eventFilter(watched, event);
}

void GlyphTableDock::Follow(const FontFace* face, std::uint32_t glyphIndex) {
  current_ = glyphIndex;
  if (face != model_->Face()) {
    model_->SetPixelRatio(devicePixelRatioF());
    model_->ShowFace(face);
    const QSignalBlocker quietBlocks(blocks_);
    const QSignalBlocker quietSearch(search_);
    blocks_->clear();
    blocks_->addItem(Utf16(u"すべてのブロック"));
    search_->clear();
    blocksFilled_ = false;
    ShowCount();
  }
  if (const std::optional<int> row = model_->RowOf(glyphIndex)) {
    const QModelIndex index = model_->index(*row);
    cells_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    cells_->scrollTo(index);
  }
}

void GlyphTableDock::FillBlocks() {
  if (blocksFilled_) return;
  blocksFilled_ = true;
  const QSignalBlocker quiet(blocks_);
  for (const std::string& block : model_->Blocks()) blocks_->addItem(QString::fromStdString(block));
}

void GlyphTableDock::Filter() {
  const std::string block = blocks_->currentIndex() <= 0 ? std::string() : blocks_->currentText().toStdString();
  model_->SetFilter(block, search_->text().trimmed().toStdString());
  ShowCount();
  Follow(model_->Face(), current_);
}

void GlyphTableDock::ShowCount() {
  count_->setText(Utf16(u"%1 グリフ").arg(model_->rowCount()));
}

void GlyphTableDock::Choose(const QModelIndex& index) {
  if (index.isValid()) emit GlyphChosen(model_->GlyphAt(index.row()));
}

}  // namespace moji
