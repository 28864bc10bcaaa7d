// The main window's 組み立て mode: the construction of the glyph shown, step by step, in the
// large view and Picture1, told in Text1 and the status bar, while the motion waits.

#include <QAction>
#include <QSignalBlocker>
#include <QStatusBar>

#include "display/display_request.h"
#include "window/handler_boundary.h"
#include "window/inspector_dock.h"
#include "window/main_window.h"

namespace moji {
void Main::ShowConstruction(bool on) {
  RunHandler("ShowConstruction", [&] {
    if (on == construction_.has_value()) return;
    if (on) {
      ShowPixels(false);
      ShowInspector(true);
    }
    ConstructionBar* bar = inspector_->Construction();
    for (QAction* action : {showConstruction_, inspector_->ConstructionAction()}) {
      const QSignalBlocker quiet(action);
      action->setChecked(on);
    }
    inspector_->Construction()->setVisible(on);
    if (!on) {
      if (bar->Playing()) bar->TogglePlaying();
      construction_.reset();
      inspector_->View()->SetConstruction(nullptr, {});
      statusBar()->clearMessage();
      HighlightPoint(std::nullopt);
      return RedrawOutline();
    }
    construction_.emplace();
    RestartConstruction();
    ShowStep();
  });
}

void Main::RestartConstruction() {
  if (!construction_ || inspector_ == nullptr) return;
  construction_->Lesson = LessonOfGlyph(shown_);
  construction_->Placed = PlacedInDrawingArea(shown_.Outline);
  // The lesson is new: the view must not keep the old one meanwhile.
  inspector_->View()->SetConstruction(&construction_->Lesson, {});
  const QSignalBlocker quiet(inspector_->Construction());
  inspector_->Construction()->SetSteps(construction_->Lesson.Steps.size(), construction_->Lesson.BlockFirsts);
}

void Main::ShowStep() {
  RunHandler("ShowStep", [this] {
    if (!construction_ || inspector_ == nullptr) return;
    ConstructionBar* bar = inspector_->Construction();
    const ConstructionLesson& lesson = construction_->Lesson;
    const std::size_t done = bar->Done();
    const QString caption = QString::fromStdU16String(StepCaption(lesson, done));
    bar->SetCaption(caption);
    statusBar()->showMessage(caption);
    inspector_->View()->SetConstruction(&lesson, {done, bar->Filled()});
    const std::optional<ReportPoint> point =
        done > 0 && done <= lesson.Steps.size() ? std::optional(ReportPointOfStep(lesson.Steps[done - 1])) : std::nullopt;
    // Choosing the step's point draws Picture1 anew; the same point again does not.
    if (point == highlighted_) return RedrawOutline();
    HighlightPoint(point);
  });
}

}  // namespace moji
