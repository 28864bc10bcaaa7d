#pragma once
// The components of a composite glyph under the large view, and their contours outlined in it.

#include <QWidget>
#include <utility>
#include <vector>

#include "platform/glyph_components.h"

class QTreeWidget;

namespace moji {

class InspectorView;

/// Draws over the large view the contours of the chosen components, thick and translucent,
/// through the view's transform: blocks [first, first + count) of the outline it shows.
class ComponentOverlay final : public QWidget {
  Q_OBJECT

 public:
  explicit ComponentOverlay(InspectorView* view);
  /// The runs of blocks to outline, each its first block and how many.
  void SetBlocks(std::vector<std::pair<int, int>> blocks);
  const std::vector<std::pair<int, int>>& Blocks() const { return blocks_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  InspectorView* view_;
  std::vector<std::pair<int, int>> blocks_;
};

/// A list of the glyph's components (glyph index and name, offset or matched points,
/// transform, flags), shown only for a composite glyph; each row's check box outlines that
/// component's contours in the view.
class GlyphComponentsPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit GlyphComponentsPanel(InspectorView* view, QWidget* parent = nullptr);
  /// Lists the components of the glyph shown; none hides the panel.
  void Show(const std::vector<GlyphComponent>& components);
  QTreeWidget* List() const { return list_; }
  ComponentOverlay* Overlay() const { return overlay_; }

 private:
  void OutlineChecked();

  QTreeWidget* list_;
  ComponentOverlay* overlay_;
  std::vector<GlyphComponent> components_;
};

}  // namespace moji
