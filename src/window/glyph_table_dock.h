#pragma once
// The dock グリフ一覧: every glyph of the current face as small outlines, to choose one from.

#include <QDockWidget>
#include <cstdint>

#include "platform/font_engine.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;

namespace moji {

class GlyphTableModel;

/// A dock on the main window's right listing the glyphs of the face drawn, each as its small
/// outline with its index, name and code points, filtered by Unicode block and by a search for
/// a name, a code point or a character. A click or Enter on a cell chooses its glyph.
class GlyphTableDock final : public QDockWidget {
  Q_OBJECT

 public:
  explicit GlyphTableDock(FontEngine& engine, QWidget* parent = nullptr);

  /// Lists the glyphs of the face (none for nullptr), afresh only when it is another face, and
  /// marks glyph `glyphIndex` as current.
  void Follow(const FontFace* face, std::uint32_t glyphIndex);
  GlyphTableModel* Model() const { return model_; }
  QListView* Cells() const { return cells_; }
  QComboBox* BlockChoice() const { return blocks_; }
  QLineEdit* Search() const { return search_; }
  /// Fills the block choice with the face's blocks, once for each face; done before the choice
  /// first opens.
  void FillBlocks();

 signals:
  /// A glyph was chosen in the table.
  void GlyphChosen(std::uint32_t glyphIndex);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// Applies the block and the search to the list.
  void Filter();
  void ShowCount();
  void Choose(const QModelIndex& index);

  GlyphTableModel* model_;
  QComboBox* blocks_;
  QLineEdit* search_;
  QListView* cells_;
  QLabel* count_;
  std::uint32_t current_ = 0;
  bool blocksFilled_ = false;
};

}  // namespace moji
