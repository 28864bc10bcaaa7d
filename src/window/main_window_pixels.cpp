// The main window's ピクセル mode: the glyph shown, at a size in pixels, hinted as the controls
// of the large view say.

#include <QAction>
#include <QSignalBlocker>
#include <QStatusBar>

#include "inspect/pixel_scene.h"
#include "window/handler_boundary.h"
#include "window/inspector_dock.h"
#include "window/main_window.h"

namespace moji {

bool Main::ShowingPixels() const { return inspector_ != nullptr && inspector_->View()->Pixels().has_value(); }

void Main::ShowPixels(bool on) {
  RunHandler("ShowPixels", [&] {
    if (on == ShowingPixels()) return;
    if (on) {
      ShowConstruction(false);
      ShowInspector(true);
    }
    for (QAction* action : {showPixels_, inspector_->PixelAction()}) {
      const QSignalBlocker quiet(action);
      action->setChecked(on);
    }
    inspector_->Pixels()->setVisible(on);
    if (on) return ShowPixelScene();
    if (inspector_->Pixels()->Sweeping()) inspector_->Pixels()->ToggleSweep();
    inspector_->View()->SetPixels(std::nullopt);
    statusBar()->clearMessage();
  });
}

void Main::ShowPixelScene() {
  RunHandler("ShowPixelScene", [this] {
    if (inspector_ == nullptr || !inspector_->Pixels()->isVisible()) return;
    const PixelBar* bar = inspector_->Pixels();
    const HintedGlyph glyph = HintedGlyphOf(services_.Fonts(), shown_, bar->Request());
    std::optional<HintedGlyph> beside;
    if (const std::optional<HintingRequest> request = bar->BesideRequest()) {
      beside = HintedGlyphOf(services_.Fonts(), shown_, *request);
    }
    std::optional<PixelScene> besideScene;
    if (beside) besideScene = PixelSceneOf(*beside, shown_, Style(), bar->Layers());
    inspector_->View()->SetPixels(PixelSceneOf(glyph, shown_, Style(), bar->Layers()), std::move(besideScene));
    if (glyph.HintingFailed || (beside && beside->HintingFailed)) {
      statusBar()->showMessage(QString::fromStdString(PixelCaption(glyph.HintingFailed ? glyph : *beside)));
    } else {
      statusBar()->clearMessage();
    }
  });
}

}  // namespace moji
