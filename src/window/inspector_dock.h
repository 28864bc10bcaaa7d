#pragma once
// The dock 拡大表示: the large view of the glyph under a toolbar of its own.

#include <QDockWidget>
#include <array>

#include "inspect/metric_lines.h"
#include "window/construction_bar.h"
#include "window/inspector_view.h"
#include "window/pixel_bar.h"

class QAction;
class QToolBar;

namespace moji {

/// A dock on the main window's right that can float as a window of its own: a toolbar that
/// switches each layer of the view on and off (every metric, the grid, the handles, the cubic
/// segments drawn, the cursor's position), switches the 組み立て mode and zooms (Ctrl++, Ctrl+-,
/// Ctrl+0 fits), over the view itself and, in 組み立て mode, its controls.
class InspectorDock final : public QDockWidget {
  Q_OBJECT

 public:
  explicit InspectorDock(QWidget* parent = nullptr);

  InspectorView* View() const { return view_; }
  QToolBar* ToolBar() const { return toolBar_; }
  /// The toolbar's switch of the 組み立て mode, and the mode's controls under the view (shown
  /// while it is on).
  QAction* ConstructionAction() const { return construction_; }
  ConstructionBar* Construction() const { return bar_; }
  /// The toolbar's switch of the ピクセル mode, and the mode's controls (shown while it is on).
  QAction* PixelAction() const { return pixelMode_; }
  PixelBar* Pixels() const { return pixelBar_; }

 signals:
  /// The toolbar's 保存 was chosen: save the view as a picture.
  void SaveRequested();

 private:
  void BuildLayerButtons();
  void BuildZoomButtons();
  /// Makes the view show the layers the toolbar has on.
  void ApplyLayers();
  QAction* Toggle(const QString& text, const QString& name, bool on);

  InspectorView* view_;
  QToolBar* toolBar_;
  ConstructionBar* bar_;
  PixelBar* pixelBar_;
  QAction* construction_ = nullptr;
  QAction* pixelMode_ = nullptr;
  std::array<QAction*, kMetricLayerCount> metrics_{};
  QAction* grid_ = nullptr;
  QAction* handles_ = nullptr;
  QAction* cubics_ = nullptr;
  QAction* cursor_ = nullptr;
};

}  // namespace moji
