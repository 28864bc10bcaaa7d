#pragma once
// The large view of the glyph (拡大表示): zoomable and pannable, with its metrics, grid,
// handles and the cubic segments drawn, linked point by point to the report.

#include <QImage>
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

#include "display/displayed_glyph.h"
#include "inspect/construction_scene.h"
#include "inspect/pixel_scene.h"
#include "inspect/inspector_scene.h"
#include "inspect/view_transform.h"
#include "platform/raster_canvas.h"

namespace moji {

/// Paints the scene of the glyph shown through its view transform and forwards what the user
/// does: the wheel zooms about the cursor, a middle-button drag or Space with the left button
/// pans, the arrow keys pan, Tab and Shift+Tab step from point to point in report order
/// (Ctrl+Tab leaves the view), hovering a point names it. In 組み立て mode the keys step through
/// the construction (← →, Home, End, PageUp, PageDown) and Space plays. In motion mode a left press acts as
/// one on Picture1 at the same place of the glyph.
class InspectorView final : public QWidget {
  Q_OBJECT

 public:
  explicit InspectorView(QWidget* parent = nullptr);

  /// Shows what a new request fetched, drawn in the style; fitted anew unless the user has
  /// zoomed or panned since the last fit.
  void ShowGlyph(const FetchedGlyph& fetched, const DrawingStyle& style);
  /// Draws again with the placed outline as it stands (moved by the motion) and the style.
  void ShowMoved(const GlyphOutline& placed, const DrawingStyle& style);
  void SetLayers(const InspectorLayers& layers);
  const InspectorLayers& Layers() const { return scene_.Layers; }
  /// Shows the point as chosen; none for no point.
  void SetHighlighted(std::optional<ReportPoint> point);
  std::optional<ReportPoint> Highlighted() const { return scene_.Highlighted; }
  /// Shows the construction after some of its steps (組み立て mode), or the glyph again for none.
  /// The lesson must live while it is shown.
  void SetConstruction(const ConstructionLesson* lesson, ConstructionView shown);
  /// Shows the glyph at a size in pixels (ピクセル mode), fitted on entering and while the user
  /// has not zoomed or panned since; none shows the glyph again.
  /// With `beside`, the view is split in two panes: `scene` on the left and `beside` (the same
  /// glyph and size, hinted another way) on the right, under one zoom and pan.
  void SetPixels(std::optional<PixelScene> scene, std::optional<PixelScene> beside = std::nullopt);
  const std::optional<PixelScene>& Pixels() const { return pixels_; }
  const std::optional<PixelScene>& PixelsBeside() const { return besidePixels_; }
  /// The transform of the ピクセル mode: 64ths of a pixel of the size (26.6) to the view's pixels.
  const ViewTransform& PixelView() const { return pixelView_; }
  /// Whether a left press acts as one on Picture1 (the motion mode is on).
  void SetMotion(bool moving) { motion_ = moving; }

  /// Fits the glyph with its advance and its em box (Ctrl+0), and follows new glyphs so again.
  void FitAll();
  /// Zooms by `factor` about the view's centre (Ctrl++ and Ctrl+-).
  void ZoomBy(double factor);
  const ViewTransform& View() const { return view_; }
  const InspectorScene& Scene() const { return scene_; }
  /// Every point of the outline where the view shows it, in report order.
  std::vector<ScenePoint> Points() const { return ScenePoints(scene_, view_); }
  /// Font units per cell height of the glyph shown: what turns font units into font heights.
  double CellUnits() const { return cellUnits_; }

  QSize sizeHint() const override;

 signals:
  /// The pointer is over a point (or over none): its description for the status bar.
  void PointHovered(std::optional<ReportPoint> point, const QString& description);
  /// Tab or Shift+Tab chose the point.
  void PointStepped(ReportPoint point);
  /// In 組み立て mode, a key moved through the steps (arrows, Home, End, PageUp, PageDown).
  void StepKeyPressed(StepMove move);
  /// In 組み立て mode, Space went up without panning: play or pause.
  void PlayPressed();
  /// In ピクセル mode, the wheel with Shift asks for a size `step` pixels per em larger.
  void PpemStepped(int step);
  /// In ピクセル mode, the pointer is over a point's move (its description), or none (empty).
  void MoveHovered(const QString& description);
  /// A left press, move or release in motion mode, at (x, y) in Picture1's pixels.
  void PictureMousePressed(float x, float y);
  void PictureMouseMoved(float x, float y);
  void PictureMouseReleased(float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  ZoomLimits Limits() const;
  void Refit();
  void Hover(QPointF at);
  void HoverMove(QPointF at);
  /// The transform the user zooms and pans now: the ピクセル mode's, or the glyph's; and whether
  /// it follows new glyphs by fitting them.
  ViewTransform& ActiveView();
  bool& ActiveFollowsFit();
  void Describe();
  /// The width of a pane of the ピクセル mode: half the view where two stand side by side.
  int PaneWidth() const;
  /// `at` in the pane it lies in, and whether that is the right one.
  std::pair<QPointF, bool> InPane(QPointF at) const;
  /// The place of Picture1's pixels that shows the same place of the glyph as `at` here.
  QPointF PicturePixel(QPointF at) const;

  /// What the underlay kept in `underlay_` was drawn for.
  struct UnderlayKey {
    ViewTransform View;
    int Width = 0;
    int Height = 0;
    double Ratio = 0;
    InspectorLayers Layers;
    FontMetrics Metrics;
    friend bool operator==(const UnderlayKey&, const UnderlayKey&) = default;
  };
  /// Paints the background, grid and metrics as they stand. A view that has just changed (a
  /// zoom or pan step, which the next may follow at once) gets them drawn straight onto it; from
  /// its second paint on they are kept in `underlay_`, so that the motion's ticks and the
  /// pointer's moves draw just the glyph over them.
  void PaintUnderlay(QPainter& painter, Canvas& canvas);

  /// What the last request fetched, which the scene's point numbers come from.
  FetchedGlyph fetched_;
  InspectorScene scene_;
  double cellUnits_ = 0;
  ViewTransform view_;
  bool followsFit_ = true;
  bool motion_ = false;
  bool spaceHeld_ = false;
  bool pressedForPicture_ = false;
  std::optional<QPointF> panFrom_;
  std::optional<ReportPoint> hovered_;
  QString glyphName_;
  std::optional<PixelScene> pixels_;
  std::optional<PixelScene> besidePixels_;
  ViewTransform pixelView_;
  bool pixelFollowsFit_ = true;
  const ConstructionLesson* lesson_ = nullptr;
  ConstructionView construction_;
  /// Space is held and the view was panned meanwhile: its release does not play.
  bool pannedWithSpace_ = false;
  QImage underlay_;
  /// The numbers and names drawn, laid out once for every paint.
  RasterTextCache texts_;
  /// The marks of points, drawn once and copied on every paint.
  MarkStamps stamps_;
  std::optional<UnderlayKey> underlayKey_;
  /// What the last paint's underlay was drawn for.
  std::optional<UnderlayKey> paintedKey_;
};

}  // namespace moji
