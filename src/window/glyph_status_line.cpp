#include "window/glyph_status_line.h"

#include <QFontDatabase>
#include <QStatusBar>
#include <QStringList>
#include <string>
#include <vector>

#include "display/one_line_message.h"
#include "platform/installed_faces.h"
#include "window/elided_label.h"
#include "window/file_dialogs.h"

namespace moji {
namespace {

/// One font for the whole line: a font of Latin letters alone would leave a number next to
/// kana ("グリフ 3721") to the Japanese fallback font, drawn at another size.
void UseOneFontForJapanese(QStatusBar& bar) {
  QFont font = bar.font();
  if (QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::Japanese)) return;
  const std::string family = FamilyForJapaneseText();
  if (family.empty()) return;
  font.setFamilies({QString::fromStdString(family)});
  bar.setFont(font);
}

}  // namespace

GlyphStatusLine::GlyphStatusLine(QStatusBar* bar)
    : QObject(bar), line_(new ElidedLabel(bar)), missing_(new ElidedLabel(bar)) {
  bar->setSizeGripEnabled(false);
  UseOneFontForJapanese(*bar);
  line_->setObjectName(QStringLiteral("GlyphLine"));
  missing_->setObjectName(QStringLiteral("MissingGlyph"));
  missing_->SetLink(true);
  missing_->hide();
  bar->addWidget(line_, 1);
  bar->addWidget(missing_, 1);
  connect(missing_, &ElidedLabel::Activated, this, [this] {
    if (!faceWithGlyph_.isEmpty()) emit FaceWithGlyphAsked(faceWithGlyph_);
  });
}

void GlyphStatusLine::Show(const DisplayedGlyph& glyph) {
  std::vector<std::string> parts = IdentityLines(glyph);
  // The file's path, the last part, is what gives way first where the line is too long.
  const std::string file = glyph.Glyph && !parts.empty() ? parts.back() : std::string();
  if (glyph.Glyph && !parts.empty()) parts.pop_back();
  QStringList line;
  for (const std::string& part : parts) line << QString::fromStdString(EscapedLine(part));
  const QString separator = QStringLiteral("   ");
  const QString path = file.empty() ? QString() : separator + PathText(EscapedLine(file));
  line_->SetText(line.join(separator), path);

  const std::string missing = MissingGlyphLine(glyph);
  missing_->SetText(QString::fromStdString(EscapedLine(missing)));
  // A missing glyph is what the user needs to know: it takes the whole line.
  missing_->setVisible(!missing.empty());
  line_->setVisible(missing.empty());
  faceWithGlyph_ = glyph.FacesWithGlyph.empty()
                       ? QString()
                       : QString::fromStdString(glyph.FacesWithGlyph.front());
  missing_->SetLink(!faceWithGlyph_.isEmpty());
  if (!faceWithGlyph_.isEmpty()) {
    missing_->setToolTip(missing_->Text() + u'\n' +
                         QString::fromUtf16(u"クリックか Enter で %1 に切り替え").arg(faceWithGlyph_));
  }
}

}  // namespace moji
