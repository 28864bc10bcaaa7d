#include "window/glyph_index_field.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

namespace moji {

GlyphIndexField::GlyphIndexField(QWidget* parent) : QWidget(parent), box_(new QSpinBox(this)) {
  setObjectName(QStringLiteral("GlyphIndexField"));
  box_->setObjectName(QStringLiteral("GlyphIndexBox"));
  box_->setKeyboardTracking(false);
  box_->setAccelerated(true);
  box_->setAccessibleName(QString::fromUtf16(u"グリフ番号"));
  box_->setToolTip(QString::fromUtf16(u"グリフ番号（Alt+← と Alt+→ で前後のグリフ）"));
  auto* label = new QLabel(QString::fromUtf16(u"グリフ番号"), this);
  label->setBuddy(box_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->addWidget(label);
  layout->addWidget(box_);
  connect(box_, &QSpinBox::valueChanged, this, [this](int value) {
    if (value >= 0) emit IndexChosen(static_cast<std::uint32_t>(value));
  });
  Follow(0, 0);
}

void GlyphIndexField::Follow(std::uint32_t glyphIndex, std::uint32_t count) {
  const QSignalBlocker quiet(box_);
  const int last = static_cast<int>(std::min<std::uint32_t>(count, 0x7FFFFFFF)) - 1;
  box_->setEnabled(count > 0);
  box_->setRange(0, std::max(last, 0));
  box_->setValue(static_cast<int>(std::min<std::uint32_t>(glyphIndex, static_cast<std::uint32_t>(std::max(last, 0)))));
}

}  // namespace moji
