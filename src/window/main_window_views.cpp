// The main window's larger views: the dock 拡大表示, fed by every request and motion tick, and
// the choice of a point shared by it, Picture1 and Text1.

#include <QCheckBox>
#include <QLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolButton>

#include "display/file_output.h"
#include "inspect/inspector_picture.h"
#include "platform/raster_canvas.h"
#include "window/file_dialogs.h"
#include "window/handler_boundary.h"
#include "window/inspector_dock.h"
#include "window/main_window.h"

namespace moji {
void Main::ShowInspector(bool shown) {
  RunHandler("ShowInspector", [&] {
    if (inspector_ == nullptr && !shown) return;
    if (inspector_ == nullptr) {
      inspector_ = new InspectorDock(this);
      addDockWidget(Qt::RightDockWidgetArea, inspector_);
      InspectorView* view = inspector_->View();
      connect(view, &InspectorView::PointHovered, this, &Main::InspectorPointHovered);
      connect(view, &InspectorView::PointStepped, this, [this](ReportPoint point) {
        textPoint_ = point;
        HighlightPoint(point);
      });
      connect(view, &InspectorView::PictureMousePressed, this,
              [this](float x, float y) { Picture1_MouseDown(Qt::LeftButton, {}, x, y); });
      connect(view, &InspectorView::PictureMouseMoved, this,
              [this](float x, float y) { Picture1_MouseMove(Qt::LeftButton, {}, x, y); });
      connect(view, &InspectorView::PictureMouseReleased, this,
              [this](float x, float y) { Picture1_MouseUp(Qt::LeftButton, {}, x, y); });
      connect(inspector_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        showInspector_->setChecked(visible);
        FitToDocks();
      });
      connect(inspector_, &QDockWidget::topLevelChanged, this, &Main::FitToDocks);
      connect(inspector_, &InspectorDock::SaveRequested, this, &Main::SaveInspectorImageDialog);
      connect(inspector_->ConstructionAction(), &QAction::toggled, this, &Main::ShowConstruction);
      connect(inspector_->Construction(), &ConstructionBar::Changed, this, &Main::ShowStep);
      connect(view, &InspectorView::StepKeyPressed, inspector_->Construction(), &ConstructionBar::Move);
      connect(view, &InspectorView::PlayPressed, inspector_->Construction(), &ConstructionBar::TogglePlaying);
      connect(inspector_->PixelAction(), &QAction::toggled, this, &Main::ShowPixels);
      connect(inspector_->Pixels(), &PixelBar::Changed, this, &Main::ShowPixelScene);
      connect(view, &InspectorView::PpemStepped, inspector_->Pixels(), &PixelBar::StepPpem);
      connect(view, &InspectorView::MoveHovered, this, [this](const QString& description) {
        if (description.isEmpty()) return statusBar()->clearMessage();
        statusBar()->showMessage(description);
      });
      view->ShowGlyph(shown_, Style());
      AttachGlyphTools();
      for (QToolButton* button : inspector_->findChildren<QToolButton*>()) button->setStyle(&focusMarks_);
    }
    inspector_->setVisible(shown);
    showInspector_->setChecked(shown);
    FitToDocks();
    if (shown) inspector_->View()->setFocus();
  });
}

void Main::FitToDocks() {
  const bool docked = inspector_ != nullptr && inspector_->isVisible() && !inspector_->isFloating();
  if (!docked) {
    // As designed: exactly as large as the client area between the menu and status bars.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    return;
  }
  // Room for the dock beside the client area, which keeps its size and place; then the window
  // may be resized, the dock taking what is added.
  layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
  setMinimumSize(minimumSizeHint());
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  const QSize wanted = sizeHint().expandedTo(size());
  if (wanted != size()) resize(wanted);
}

void Main::FollowDrawing(bool fetched) {
  if (fetched) highlighted_.reset();
  const std::optional<ReportPoint> chosen = highlighted_;
  if (chosen) {
    if (const std::optional<OutlinePoint> at = PointOf(DrawnOutline(), *chosen)) {
      picture1_->DrawHighlight(at->X, at->Y);
    }
  }
  if (inspector_ == nullptr) return;
  InspectorView* view = inspector_->View();
  view->SetMotion(check1_->isChecked());
  if (fetched) {
    view->ShowGlyph(shown_, Style());
    if (ShowingPixels()) ShowPixelScene();
  } else {
    view->ShowMoved(shown_.Placed, Style());
  }
  view->SetHighlighted(chosen);
}

void Main::HighlightPoint(std::optional<ReportPoint> point) {
  RunHandler("HighlightPoint", [&] {
    if (point == highlighted_) return;
    highlighted_ = point;
    QList<QTextEdit::ExtraSelection> selections;
    if (const std::optional<std::int32_t> line = point ? ReportLineOf(shown_.Outline, *point) : std::nullopt) {
      QTextEdit::ExtraSelection selection;
      selection.cursor = QTextCursor(text1_->document()->findBlockByNumber(*line));
      selection.format.setBackground(QColor(255, 226, 178));
      selection.format.setProperty(QTextFormat::FullWidthSelection, true);
      selections << selection;
      // Into view, without moving Text1's own cursor: a plain text box scrolls by lines.
      QScrollBar* bar = text1_->verticalScrollBar();
      const int shownLines = std::max(1, text1_->viewport()->height() / text1_->fontMetrics().lineSpacing());
      if (*line < bar->value() || *line >= bar->value() + shownLines) {
        bar->setValue(*line - shownLines / 2);
      }
    }
    text1_->setExtraSelections(selections);
    // Picture1 shows the ring as it is drawn anew, as do the larger views.
    DrawOutlineFrame(DrawnOutline(), shown_.Sources(), Style(), *this);
    FollowDrawing(false);
  });
}

void Main::Text1CursorMoved() {
  const std::optional<ReportPoint> point =
      ReportPointOfLine(shown_.Outline, text1_->textCursor().blockNumber());
  if (point == textPoint_) return;
  textPoint_ = point;
  if (!hoveredPoint_) HighlightPoint(textPoint_);
}

void Main::InspectorPointHovered(std::optional<ReportPoint> point, const QString& description) {
  hoveredPoint_ = point;
  if (point) {
    statusBar()->showMessage(description);
  } else {
    statusBar()->clearMessage();
  }
  HighlightPoint(point ? point : textPoint_);
}

std::string Main::SaveInspectorImage(const std::string& path) {
  if (inspector_ == nullptr) return "the large view is not open";
  const InspectorView* view = inspector_->View();
  const bool svg = PathText(path).endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  const std::string title = PictureTitle(shown_.Glyph);
  const double ratio = view->devicePixelRatioF();
  std::optional<std::string> bytes;
  if (view->Pixels()) {
    const std::optional<PixelScene>& beside = view->PixelsBeside();
    bytes = PixelPictureBytes(*view->Pixels(), beside ? &*beside : nullptr, view->PixelView(), view->width(),
                              view->height(), ratio, svg, title, PngOfDrawing);
  } else if (construction_) {
    const ConstructionBar* bar = inspector_->Construction();
    bytes = ConstructionPictureBytes(view->Scene(), view->View(), construction_->Lesson,
                                     {bar->Done(), bar->Filled()}, view->width(), view->height(),
                                     ratio, svg, title, PngOfDrawing);
  } else {
    bytes = InspectorPictureBytes(view->Scene(), view->View(), view->width(), view->height(), ratio,
                                  svg ? ImageFormat::Svg : ImageFormat::Png, title, PngOfDrawing);
  }
  return bytes ? SaveFile(path, *bytes) : "cannot encode the picture as PNG";
}

void Main::SaveInspectorImageDialog() {
  RunHandler("SaveInspectorImageDialog", [this] {
    const std::optional<ImageFileChoice> choice =
        AskImageFileToSave(this, SuggestedFileName(QStringLiteral("-inspector.png")), 0);
    if (!choice) return;
    const std::string failure = SaveInspectorImage(PathBytes(choice->Path));
    if (!failure.empty()) {
      Complain(this, QString::fromUtf16(u"画像を保存"), QString::fromUtf16(u"画像を保存できません"),
               choice->Path, QString::fromStdString(failure));
    }
  });
}

}  // namespace moji
