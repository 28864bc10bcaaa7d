#include "window/glyph_components_panel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/outline_visit.h"
#include "window/glyph_table_model.h"
#include "window/inspector_view.h"

namespace moji {
namespace {

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

QString Number(double value) { return QString::number(value, 'g', 6); }

/// The row of a component: its glyph, where it goes, its transform and its flags.
QStringList RowOf(const GlyphComponent& component) {
  const QString arguments = Number(component.Argument1) + ", " + Number(component.Argument2);
  const QString place = component.ArgsAreXYValues() ? "(" + arguments + ")" : Utf16(u"点 ") + arguments;
  QStringList flags;
  for (const std::string& flag : ComponentFlagNames(component)) flags << QString::fromStdString(flag);
  return {QString::number(component.GlyphIndex), QString::fromStdString(component.GlyphName), place,
          "[" + Number(component.XX) + " " + Number(component.XY) + "; " + Number(component.YX) + " " +
              Number(component.YY) + "]",
          flags.join(u' ')};
}

}  // namespace

ComponentOverlay::ComponentOverlay(InspectorView* view) : QWidget(view), view_(view) {
  setObjectName(QStringLiteral("ComponentOverlay"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(view->rect());
  view->installEventFilter(this);
}

void ComponentOverlay::SetBlocks(std::vector<std::pair<int, int>> blocks) {
  blocks_ = std::move(blocks);
  update();
}

bool ComponentOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::Resize) setGeometry(view_->rect());
  return QWidget::eventFilter(watched, event);
}

void ComponentOverlay::paintEvent(QPaintEvent*) {
  const GlyphOutline& units = view_->Scene().Outline;
  GlyphOutline chosen;
  for (const auto& [first, count] : blocks_) {
    for (int b = first; b < first + count && b >= 0 && b < static_cast<int>(units.Blocks.size()); ++b) {
      chosen.Blocks.push_back(units.Blocks[static_cast<std::size_t>(b)]);
    }
  }
  chosen.BlockCount = static_cast<std::int32_t>(chosen.Blocks.size());
  const ViewTransform& view = view_->View();
  ForEachOutlinePoint(chosen, [&view](float& x, float& y) {
    const DevicePoint at = view.ToDevice(x, y);
    x = static_cast<float>(at.X);
    y = static_cast<float>(at.Y);
  });
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(230, 120, 0, 150), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(OutlinePath(chosen));
}

GlyphComponentsPanel::GlyphComponentsPanel(InspectorView* view, QWidget* parent)
    : QWidget(parent), list_(new QTreeWidget), overlay_(new ComponentOverlay(view)) {
  setObjectName(QStringLiteral("GlyphComponentsPanel"));
  list_->setObjectName(QStringLiteral("GlyphComponents"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({Utf16(u"グリフ"), Utf16(u"名前"), Utf16(u"オフセット"), Utf16(u"変換"), Utf16(u"フラグ")});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->setAccessibleName(Utf16(u"構成要素"));
  // A few rows: the view above keeps the room.
  list_->setMaximumHeight(list_->fontMetrics().height() * 7);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(new QLabel(Utf16(u"構成要素（チェックでその輪郭を表示）")));
  layout->addWidget(list_);
  connect(list_, &QTreeWidget::itemChanged, this, &GlyphComponentsPanel::OutlineChecked);
  Show({});
}

void GlyphComponentsPanel::Show(const std::vector<GlyphComponent>& components) {
  if (components == components_ && !components_.empty()) return;
  components_ = components;
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const GlyphComponent& component : components_) {
      auto* item = new QTreeWidgetItem(list_, RowOf(component));
      item->setCheckState(0, Qt::Unchecked);
    }
  }
  setVisible(!components_.empty());
  overlay_->SetBlocks({});
}

void GlyphComponentsPanel::OutlineChecked() {
  std::vector<std::pair<int, int>> blocks;
  for (int row = 0; row < list_->topLevelItemCount() && static_cast<std::size_t>(row) < components_.size(); ++row) {
    if (list_->topLevelItem(row)->checkState(0) != Qt::Checked) continue;
    const GlyphComponent& component = components_[static_cast<std::size_t>(row)];
    blocks.emplace_back(component.FirstContour, component.ContourCount);
  }
  overlay_->SetBlocks(std::move(blocks));
}

}  // namespace moji
