#include "window/inspector_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "display/display_request.h"
#include "inspect/font_unit_outline.h"
#include "inspect/inspector_picture.h"
#include "inspect/point_hit.h"
#include "model/outline_visit.h"
#include "platform/raster_canvas.h"

namespace moji {
namespace {

/// How close the pointer comes to a point to name it, in pixels.
constexpr double kHoverRadius = 8;
/// How far an arrow key pans, in pixels.
constexpr double kArrowStep = 40;
/// Zoom per eighth of a degree of the wheel: a notch (15 degrees) zooms by about 1.2.
constexpr double kWheelBase = 1.0015;
/// The most device pixels per font unit the view zooms in to.
constexpr double kMostDevicePixelsPerUnit = 32;
/// The most device pixels per 64th of a pixel of the size (the ピクセル mode's unit) the view
/// zooms in to: 400 per pixel.
constexpr double kMostDevicePixelsPerPixelUnit = 400.0 / 64;

std::int32_t PointCountOf(const GlyphOutline& outline) {
  std::int32_t points = 0;
  ForEachOutlinePoint(outline, [&points](float, float) { ++points; });
  return points;
}

std::int32_t CurveCountOf(const GlyphOutline& outline) {
  std::int32_t curves = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    curves += static_cast<std::int32_t>(Counted(block.Curves, block.CurveCount).size());
  }
  return curves;
}

/// The move through the steps a key makes in 組み立て mode.
std::optional<StepMove> StepMoveOfKey(int key) {
  switch (key) {
    case Qt::Key_Right: return StepMove::Next;
    case Qt::Key_Left: return StepMove::Previous;
    case Qt::Key_Home: return StepMove::First;
    case Qt::Key_End: return StepMove::Last;
    case Qt::Key_PageDown: return StepMove::NextBlock;
    case Qt::Key_PageUp: return StepMove::PreviousBlock;
    default: return std::nullopt;
  }
}

}  // namespace

InspectorView::InspectorView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Inspector"));
  setAccessibleName(QString::fromUtf16(u"拡大表示"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(160, 160);
  scene_.Layers = AllMetricLayers({});
}

QSize InspectorView::sizeHint() const { return {520, 400}; }

void InspectorView::ShowGlyph(const FetchedGlyph& fetched, const DrawingStyle& style) {
  fetched_ = fetched;
  const std::optional<NativeGlyph>& glyph = fetched_.Glyph.Glyph;
  cellUnits_ = glyph ? static_cast<double>(glyph->CellUnits()) : 0.0;
  scene_ = SceneOfGlyph(fetched_, style, scene_.Layers);
  hovered_.reset();
  glyphName_ = QString::fromStdU16String(fetched.Glyph.Character);
  if (fetched.Glyph.CodePoint) {
    glyphName_ += QStringLiteral(" (%1)").arg(QString::fromStdString(CodePointLabel(*fetched.Glyph.CodePoint)));
  }
  if (glyph) glyphName_ += u'、' + QString::fromStdString(glyph->Family);
  Describe();
  if (followsFit_) Refit();
  update();
}

void InspectorView::ShowMoved(const GlyphOutline& placed, const DrawingStyle& style) {
  if (cellUnits_ > 0) scene_.Outline = PlacedOutlineInFontUnits(placed, cellUnits_);
  scene_.Style = style;
  update();
}

void InspectorView::SetLayers(const InspectorLayers& layers) {
  scene_.Layers = layers;
  update();
}

void InspectorView::SetHighlighted(std::optional<ReportPoint> point) {
  if (scene_.Highlighted == point) return;
  scene_.Highlighted = point;
  update();
}

void InspectorView::SetConstruction(const ConstructionLesson* lesson, ConstructionView shown) {
  lesson_ = lesson;
  construction_ = shown;
  update();
}

void InspectorView::Describe() {
  setAccessibleDescription(QString::fromUtf16(u"%1：ブロック %2、カーブ %3、点 %4")
                               .arg(glyphName_.isEmpty() ? QString::fromUtf16(u"グリフなし") : glyphName_)
                               .arg(scene_.Outline.BlockCount)
                               .arg(CurveCountOf(scene_.Outline))
                               .arg(PointCountOf(scene_.Outline)));
}

ZoomLimits InspectorView::Limits() const {
  if (pixels_) {
    // From an eighth of the fit to a sixteenth of a pixel of the size per device pixel.
    const int pane = PaneWidth();
    const ViewTransform fit = FitView(PixelFittedBox(*pixels_), pane, height(), FitMargin(pane, height()));
    return {fit.Scale / 8, std::max(fit.Scale, kMostDevicePixelsPerPixelUnit / std::max(devicePixelRatioF(), 1.0))};
  }
  ZoomLimits limits = ZoomLimitsFor(scene_.Metrics.UnitsPerEm.value_or(0), FittedBox(scene_),
                                    width(), height(), FitMargin(width(), height()));
  // The limit is in device pixels: a screen of ratio 2 has two for each of the view's pixels.
  limits.MaxScale = kMostDevicePixelsPerUnit / std::max(devicePixelRatioF(), 1.0);
  limits.MinScale = std::min(limits.MinScale, limits.MaxScale);
  return limits;
}

void InspectorView::Refit() {
  if (pixels_) {
    const int pane = PaneWidth();
    pixelView_ = FitView(PixelFittedBox(*pixels_), pane, height(), FitMargin(pane, height()));
    return;
  }
  const ZoomLimits limits = Limits();
  view_ = FitView(FittedBox(scene_), width(), height(), FitMargin(width(), height()));
  if (view_.Scale > limits.MaxScale) {
    view_ = ZoomAbout(view_, limits.MaxScale / view_.Scale, {width() / 2.0, height() / 2.0}, limits);
  }
}

ViewTransform& InspectorView::ActiveView() { return pixels_ ? pixelView_ : view_; }

bool& InspectorView::ActiveFollowsFit() { return pixels_ ? pixelFollowsFit_ : followsFit_; }

void InspectorView::FitAll() {
  ActiveFollowsFit() = true;
  Refit();
  update();
}

int InspectorView::PaneWidth() const { return PixelPaneWidth(width(), pixels_ && besidePixels_); }

std::pair<QPointF, bool> InspectorView::InPane(QPointF at) const {
  const bool right = pixels_ && besidePixels_ && at.x() >= PaneWidth();
  return {right ? at - QPointF(PaneWidth(), 0) : at, right};
}

void InspectorView::ZoomBy(double factor) {
  ActiveView() = ZoomAbout(ActiveView(), factor, {PaneWidth() / 2.0, height() / 2.0}, Limits());
  ActiveFollowsFit() = false;
  update();
}

void InspectorView::SetPixels(std::optional<PixelScene> scene, std::optional<PixelScene> beside) {
  if (scene && !pixels_) pixelFollowsFit_ = true;  // entering the mode fits the glyph
  // Splitting the view or joining its panes again fits the glyph to the panes.
  if (beside.has_value() != besidePixels_.has_value()) pixelFollowsFit_ = true;
  pixels_ = std::move(scene);
  besidePixels_ = pixels_ ? std::move(beside) : std::nullopt;
  if (pixels_ && pixelFollowsFit_) Refit();
  update();
}

void InspectorView::PaintUnderlay(QPainter& painter, Canvas& canvas) {
  const UnderlayKey key{view_, width(), height(), devicePixelRatioF(), scene_.Layers, scene_.Metrics};
  if (underlayKey_ != key && paintedKey_ != key) {
    paintedKey_ = key;
    DrawInspectorUnderlay(canvas, scene_, view_, width(), height());
    return;
  }
  paintedKey_ = key;
  if (underlayKey_ != key) {
    const QSize size(static_cast<int>(std::ceil(width() * key.Ratio)),
                     static_cast<int>(std::ceil(height() * key.Ratio)));
    if (underlay_.size() != size) underlay_ = QImage(size, QImage::Format_RGB32);
    underlay_.setDevicePixelRatio(key.Ratio);
    QPainter kept(&underlay_);
    // The view's own font, as the painter on the widget has it.
    kept.setFont(font());
    RasterCanvas keptCanvas(kept, width(), height(), texts_, stamps_);
    DrawInspectorUnderlay(keptCanvas, scene_, view_, width(), height());
    underlayKey_ = key;
  }
  painter.drawImage(QPointF(0, 0), underlay_);
}

void InspectorView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  RasterCanvas canvas(painter, width(), height(), texts_, stamps_);
  if (pixels_) {
    DrawPixelPanes(canvas, *pixels_, besidePixels_ ? &*besidePixels_ : nullptr, pixelView_, width(), height());
  } else {
    PaintUnderlay(painter, canvas);
  }
  if (pixels_) {
    // The pixel scene is whole in itself.
  } else if (lesson_ != nullptr) {
    DrawConstructionGlyph(canvas, scene_, view_, *lesson_, construction_, width(), height());
  } else {
    DrawInspectorGlyph(canvas, scene_, view_, width(), height());
  }
  if (hasFocus()) {
    // Where the keys go: a frame in the highlight colour, as the other controls show.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
}

void InspectorView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (ActiveFollowsFit()) Refit();
}

void InspectorView::wheelEvent(QWheelEvent* event) {
  const double degrees = event->angleDelta().y();
  if (degrees == 0) return;
  if (pixels_ && (event->modifiers() & Qt::ShiftModifier)) {
    // Shift and the wheel change the size, a pixel per em a notch.
    emit PpemStepped(degrees > 0 ? 1 : -1);
    event->accept();
    return;
  }
  const QPointF at = event->position();
  const QPointF about = InPane(at).first;
  ActiveView() = ZoomAbout(ActiveView(), std::pow(kWheelBase, degrees), {about.x(), about.y()}, Limits());
  ActiveFollowsFit() = false;
  Hover(at);
  update();
  event->accept();
}

QPointF InspectorView::PicturePixel(QPointF at) const {
  const UnitPoint units = view_.ToFontUnits(at.x(), at.y());
  const double cell = cellUnits_ > 0 ? cellUnits_ : 1;
  return {units.X / cell * kPlaceScale + kPlaceOffsetX, (1 - units.Y / cell) * kPlaceScale + kPlaceOffsetY};
}

void InspectorView::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
    panFrom_ = at;
  } else if (event->button() == Qt::LeftButton && motion_) {
    pressedForPicture_ = true;
    const QPointF pixel = PicturePixel(at);
    emit PictureMousePressed(static_cast<float>(pixel.x()), static_cast<float>(pixel.y()));
  }
  setFocus(Qt::MouseFocusReason);
}

void InspectorView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (panFrom_) {
    pannedWithSpace_ = spaceHeld_;
    ActiveView() = Pan(ActiveView(), at.x() - panFrom_->x(), at.y() - panFrom_->y());
    panFrom_ = at;
    ActiveFollowsFit() = false;
    update();
  } else if (pressedForPicture_) {
    const QPointF pixel = PicturePixel(at);
    emit PictureMouseMoved(static_cast<float>(pixel.x()), static_cast<float>(pixel.y()));
  }
  Hover(at);
}

void InspectorView::mouseReleaseEvent(QMouseEvent* event) {
  if (panFrom_ && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
    panFrom_.reset();
  } else if (pressedForPicture_ && event->button() == Qt::LeftButton) {
    pressedForPicture_ = false;
    const QPointF pixel = PicturePixel(event->position());
    emit PictureMouseReleased(static_cast<float>(pixel.x()), static_cast<float>(pixel.y()));
  }
}

void InspectorView::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  if (const std::optional<StepMove> move = StepMoveOfKey(event->key()); move && lesson_ != nullptr && !ctrl) {
    emit StepKeyPressed(*move);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Left: ActiveView() = Pan(ActiveView(), kArrowStep, 0); break;
    case Qt::Key_Right: ActiveView() = Pan(ActiveView(), -kArrowStep, 0); break;
    case Qt::Key_Up: ActiveView() = Pan(ActiveView(), 0, kArrowStep); break;
    case Qt::Key_Down: ActiveView() = Pan(ActiveView(), 0, -kArrowStep); break;
    case Qt::Key_Space:
      if (!event->isAutoRepeat()) spaceHeld_ = true;
      if (!event->isAutoRepeat()) pannedWithSpace_ = false;
      return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // Ctrl+Tab leaves the view, whose Tab steps from point to point.
      if (ctrl) QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab);
      return;
    default: QWidget::keyPressEvent(event); return;
  }
  ActiveFollowsFit() = false;
  update();
}

void InspectorView::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    spaceHeld_ = false;
    panFrom_.reset();
    if (lesson_ != nullptr && !pannedWithSpace_) emit PlayPressed();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

bool InspectorView::focusNextPrevChild(bool next) {
  const std::vector<ScenePoint> points = Points();
  if (points.empty()) return QWidget::focusNextPrevChild(next);
  std::optional<std::size_t> current;
  for (std::size_t i = 0; scene_.Highlighted && i < points.size(); ++i) {
    if (points[i].At == *scene_.Highlighted) current = i;
  }
  const std::optional<std::size_t> stepped = SteppedPoint(current, points.size(), !next);
  if (stepped) emit PointStepped(points[*stepped].At);
  return true;
}

void InspectorView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  scene_.Cursor.reset();
  if (hovered_) {
    hovered_.reset();
    emit PointHovered(std::nullopt, {});
  }
  update();
}

void InspectorView::HoverMove(QPointF at) {
  const auto [inPane, right] = InPane(at);
  PixelScene& scene = right ? *besidePixels_ : *pixels_;
  PixelScene* other = right ? &*pixels_ : (besidePixels_ ? &*besidePixels_ : nullptr);
  const std::optional<std::size_t> move = MoveNear(scene, pixelView_, {inPane.x(), inPane.y()}, kHoverRadius);
  if (move == scene.Hovered && (other == nullptr || !other->Hovered)) return;
  scene.Hovered = move;
  if (other != nullptr) other->Hovered.reset();
  const QString description =
      move ? QString::fromStdString(MoveDescription(scene.Moves.Moves[*move])) : QString();
  if (move) {
    QToolTip::showText(mapToGlobal(at.toPoint()), description, this);
  } else {
    QToolTip::hideText();
  }
  emit MoveHovered(description);
  update();
}

void InspectorView::Hover(QPointF at) {
  if (pixels_) return HoverMove(at);
  scene_.Cursor = view_.ToFontUnits(at.x(), at.y());
  const std::vector<ScenePoint> points = Points();
  std::vector<DevicePoint> places;
  places.reserve(points.size());
  for (const ScenePoint& point : points) places.push_back(point.Device);
  const std::optional<std::size_t> nearest = NearestPoint(places, {at.x(), at.y()}, kHoverRadius);
  const std::optional<ReportPoint> hovered =
      nearest ? std::optional(points[*nearest].At) : std::nullopt;
  if (hovered != hovered_) {
    hovered_ = hovered;
    const QString description =
        nearest ? QString::fromStdString(PointDescription(points[*nearest], cellUnits_)) : QString();
    if (nearest) {
      QToolTip::showText(mapToGlobal(at.toPoint()), description, this);
    } else {
      QToolTip::hideText();
    }
    emit PointHovered(hovered_, description);
  }
  update();
}

}  // namespace moji
