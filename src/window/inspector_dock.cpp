#include "window/inspector_dock.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace moji {
namespace {

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

/// The name of each metric layer in the toolbar's menu, in MetricLayer's order.
constexpr std::array<const char16_t*, kMetricLayerCount> kMetricNames = {
    u"ベースラインと em ボックス", u"デザインセル（拡大縮小の基準）", u"アセンダーとディセンダー",
    u"キャップハイトとエックスハイト", u"仮想ボディ（CJK）", u"送り幅とサイドベアリング",
    u"バウンディングボックス", u"縦書きのメトリクス（vhea・vmtx・VORG）"};

}  // namespace

InspectorDock::InspectorDock(QWidget* parent)
    : QDockWidget(Utf16(u"拡大表示"), parent), view_(new InspectorView), toolBar_(new QToolBar),
      bar_(new ConstructionBar), pixelBar_(new PixelBar) {
  setObjectName(QStringLiteral("InspectorDock"));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  toolBar_->setObjectName(QStringLiteral("InspectorToolBar"));
  toolBar_->setAccessibleName(Utf16(u"拡大表示のツールバー"));
  // A mode's toggle shows the mode's bar under the view.
  const auto mode = [this](const char16_t* text, const char* name, const char16_t* tip, QWidget* modeBar) {
    auto* action = new QAction(Utf16(text), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setToolTip(Utf16(tip));
    connect(action, &QAction::toggled, modeBar, &QWidget::setVisible);
    toolBar_->addAction(action);
    return action;
  };
  construction_ = mode(u"組み立て", "ConstructionMode",
                       u"点から外形ができるまでを一歩ずつ見る（←→、Home/End、PageUp/PageDown、Space で再生）", bar_);
  pixelMode_ = mode(u"ピクセル", "PixelMode",
                    u"小さな大きさでの外形：ピクセルの格子、ビットマップ、ヒンティングで動いた点", pixelBar_);
  toolBar_->addSeparator();
  BuildLayerButtons();
  toolBar_->addSeparator();
  BuildZoomButtons();
  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(view_, 1);
  layout->addWidget(bar_);
  layout->addWidget(pixelBar_);
  bar_->hide();
  pixelBar_->hide();
  setWidget(body);
  ApplyLayers();
}

QAction* InspectorDock::Toggle(const QString& text, const QString& name, bool on) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setCheckable(true);
  action->setChecked(on);
  connect(action, &QAction::toggled, this, &InspectorDock::ApplyLayers);
  return action;
}

void InspectorDock::BuildLayerButtons() {
  auto* menu = new QMenu(this);
  for (std::size_t layer = 0; layer < kMetricLayerCount; ++layer) {
    metrics_[layer] = Toggle(Utf16(kMetricNames[layer]), QStringLiteral("MetricLayer%1").arg(layer), true);
    menu->addAction(metrics_[layer]);
  }
  auto* metrics = new QToolButton;
  metrics->setObjectName(QStringLiteral("MetricsButton"));
  metrics->setText(Utf16(u"メトリクス"));
  metrics->setMenu(menu);
  metrics->setPopupMode(QToolButton::InstantPopup);
  metrics->setFocusPolicy(Qt::TabFocus);
  toolBar_->addWidget(metrics);
  grid_ = Toggle(Utf16(u"グリッド"), QStringLiteral("ShowGrid"), false);
  handles_ = Toggle(Utf16(u"ハンドル"), QStringLiteral("ShowHandles"), false);
  cubics_ = Toggle(Utf16(u"3次ベジェ"), QStringLiteral("ShowDrawnCubics"), false);
  cubics_->setToolTip(Utf16(u"Bスプラインを描く3次ベジェの制御点（3分の2の位置）と、暗黙の曲線上の点"));
  cursor_ = Toggle(Utf16(u"座標"), QStringLiteral("ShowCursor"), true);
  for (QAction* action : {grid_, handles_, cubics_, cursor_}) toolBar_->addAction(action);
}

void InspectorDock::BuildZoomButtons() {
  const auto add = [this](const char16_t* text, const char* name, const QList<QKeySequence>& keys,
                          auto slot) {
    auto* action = new QAction(Utf16(text), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    // Also while the dock floats as a window of its own.
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, view_, slot);
    toolBar_->addAction(action);
  };
  add(u"拡大", "ZoomIn", {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, [this] { view_->ZoomBy(1.25); });
  add(u"縮小", "ZoomOut", {Qt::CTRL | Qt::Key_Minus}, [this] { view_->ZoomBy(0.8); });
  add(u"全体", "ZoomFit", {Qt::CTRL | Qt::Key_0}, [this] { view_->FitAll(); });
  toolBar_->addSeparator();
  auto* save = new QAction(Utf16(u"保存…"), this);
  save->setObjectName(QStringLiteral("SaveInspectorImage"));
  save->setToolTip(Utf16(u"拡大表示を画像で保存（PNG、または外形をフォント単位のまま書く SVG）"));
  connect(save, &QAction::triggered, this, &InspectorDock::SaveRequested);
  toolBar_->addAction(save);
  // The toolbar's buttons are reached by Tab, and show their focus.
  for (QToolButton* button : toolBar_->findChildren<QToolButton*>()) {
    button->setFocusPolicy(Qt::TabFocus);
  }
}

void InspectorDock::ApplyLayers() {
  InspectorLayers layers;
  for (std::size_t layer = 0; layer < kMetricLayerCount; ++layer) {
    layers.Metrics[layer] = metrics_[layer] != nullptr && metrics_[layer]->isChecked();
  }
  layers.Grid = grid_ != nullptr && grid_->isChecked();
  layers.Handles = handles_ != nullptr && handles_->isChecked();
  layers.DrawnCubics = cubics_ != nullptr && cubics_->isChecked();
  layers.Cursor = cursor_ != nullptr && cursor_->isChecked();
  view_->SetLayers(layers);
}

}  // namespace moji
