// The main window's glyphs beyond the characters typed: by index (the large view's field,
// Alt+← and Alt+→), in the glyph table, as vertical text sets them, and a composite's parts.

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolBar>

#include "display/glyph_request.h"
#include "window/glyph_components_panel.h"
#include "window/glyph_index_field.h"
#include "window/glyph_table_dock.h"
#include "window/handler_boundary.h"
#include "window/inspector_dock.h"
#include "window/main_window.h"

namespace moji {

void Main::BuildGlyphActions(QMenu* view) {
  view->addSeparator();
  verticalAction_ = view->addAction(QString::fromUtf16(u"縦書き(&E)"));
  verticalAction_->setObjectName(QStringLiteral("ShowVertical"));
  verticalAction_->setCheckable(true);
  verticalAction_->setToolTip(QString::fromUtf16(u"縦書きの文字組みで使うグリフ（vert・vrt2）を表示"));
  connect(verticalAction_, &QAction::toggled, this, &Main::SetVertical);
  glyphTableAction_ = view->addAction(QString::fromUtf16(u"グリフ一覧(&G)"));
  glyphTableAction_->setObjectName(QStringLiteral("ShowGlyphTable"));
  glyphTableAction_->setCheckable(true);
  glyphTableAction_->setShortcut(Qt::CTRL | Qt::Key_G);
  connect(glyphTableAction_, &QAction::triggered, this, &Main::ShowGlyphTable);
  const auto step = [this, view](const char16_t* text, const char* name, Qt::Key key, int by) {
    QAction* action = view->addAction(QString::fromUtf16(text));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(Qt::ALT | key);
    // Also while the large view floats as a window of its own.
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, [this, by] { StepGlyph(by); });
  };
  step(u"前のグリフ", "PreviousGlyph", Qt::Key_Left, -1);
  step(u"次のグリフ", "NextGlyph", Qt::Key_Right, 1);
}

void Main::ShowGlyphIndex(std::uint32_t glyphIndex) {
  RunHandler("ShowGlyphIndex", [&] {
    if (glyphIndex >= GlyphCountOfFace(services_.Fonts(), picture1_->FontName())) return;
    glyphIndex_ = glyphIndex;
    GetKestrineProc(Text2Text());
    // Text2 shows the glyph's character; showing it there is no request of its own.
    if (!shown_.Glyph.Character.empty()) {
      const QSignalBlocker quiet(text2_);
      text2_->setText(QString::fromStdU16String(shown_.Glyph.Character));
    }
  });
}

void Main::StepGlyph(int step) {
  RunHandler("StepGlyph", [&] {
    const std::uint32_t count = GlyphCountOfFace(services_.Fonts(), picture1_->FontName());
    const std::uint32_t shown = shown_.Glyph.Glyph ? shown_.Glyph.Glyph->GlyphIndex : 0;
    if (count > 0) ShowGlyphIndex(SteppedGlyphIndex(shown, step, count));
  });
}

void Main::SetVertical(bool) {
  RunHandler("SetVertical", [this] {
    glyphIndex_.reset();
    GetKestrineProc(Text2Text());
  });
}

void Main::ShowGlyphTable(bool shown) {
  RunHandler("ShowGlyphTable", [&] {
    if (glyphTable_ == nullptr && shown) {
      glyphTable_ = new GlyphTableDock(services_.Fonts(), this);
      addDockWidget(Qt::RightDockWidgetArea, glyphTable_);
      connect(glyphTable_, &GlyphTableDock::GlyphChosen, this, &Main::ShowGlyphIndex);
      connect(glyphTable_, &QDockWidget::visibilityChanged, glyphTableAction_, &QAction::setChecked);
      FollowGlyphTools();
    }
    if (glyphTable_ != nullptr) glyphTable_->setVisible(shown);
    glyphTableAction_->setChecked(shown);
  });
}

void Main::AttachGlyphTools() {
  glyphField_ = new GlyphIndexField;
  inspector_->ToolBar()->addSeparator();
  inspector_->ToolBar()->addWidget(glyphField_);
  connect(glyphField_, &GlyphIndexField::IndexChosen, this, &Main::ShowGlyphIndex);
  componentsPanel_ = new GlyphComponentsPanel(inspector_->View());
  inspector_->widget()->layout()->addWidget(componentsPanel_);
  FollowGlyphTools();
}

void Main::FollowGlyphTools() {
  FontEngine& engine = services_.Fonts();
  const std::optional<NativeGlyph>& glyph = shown_.Glyph.Glyph;
  const std::uint32_t index = glyph ? glyph->GlyphIndex : 0;
  if (glyphField_ != nullptr) glyphField_->Follow(index, GlyphCountOfFace(engine, picture1_->FontName()));
  if (componentsPanel_ != nullptr) componentsPanel_->Show(glyph ? glyph->Components : std::vector<GlyphComponent>());
  if (glyphTable_ != nullptr) glyphTable_->Follow(engine.Resolve(picture1_->FontName()), index);
}

}  // namespace moji
