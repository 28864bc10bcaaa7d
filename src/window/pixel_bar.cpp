#include "window/pixel_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "window/bar_button.h"

namespace moji {
namespace {

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

/// The sweep's pace: sizes a second.
constexpr int kSweepStepsPerSecond = 8;

/// The hinting modes in the order of the list.
constexpr HintingMode kModes[] = {HintingMode::None, HintingMode::Light, HintingMode::Auto, HintingMode::Font};

}  // namespace

PixelBar::PixelBar(QWidget* parent)
    : QWidget(parent), ppem_(new QSpinBox), hinting_(new QComboBox), interpreter_(new QComboBox),
      mono_(new QCheckBox(Utf16(u"白黒"))), besideHinting_(new QComboBox) {
  setObjectName(QStringLiteral("PixelBar"));
  setAccessibleName(Utf16(u"ピクセル表示の操作"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  QToolButton* smaller = Button(u"−", "SmallerPpem", u"1 ピクセル小さく（Shift+ホイール）");
  QToolButton* larger = Button(u"+", "LargerPpem", u"1 ピクセル大きく（Shift+ホイール）");
  connect(smaller, &QToolButton::clicked, this, [this] { StepPpem(-1); });
  connect(larger, &QToolButton::clicked, this, [this] { StepPpem(1); });
  ppem_->setObjectName(QStringLiteral("Ppem"));
  ppem_->setAccessibleName(Utf16(u"大きさ（ピクセル/em）"));
  ppem_->setRange(kSmallestPpem, kLargestPpem);
  ppem_->setValue(16);
  ppem_->setSuffix(QStringLiteral(" ppem"));
  hinting_->setObjectName(QStringLiteral("Hinting"));
  hinting_->setAccessibleName(Utf16(u"ヒンティング"));
  hinting_->addItems({Utf16(u"なし"), Utf16(u"軽い自動ヒンティング"), Utf16(u"自動ヒンティング"),
                      Utf16(u"フォントのヒンティング")});
  hinting_->setCurrentIndex(3);
  interpreter_->setObjectName(QStringLiteral("Interpreter"));
  interpreter_->setAccessibleName(Utf16(u"TrueType のインタプリタ"));
  interpreter_->addItems({QStringLiteral("v40"), QStringLiteral("v35")});
  mono_->setObjectName(QStringLiteral("Mono"));
  grid_ = Button(u"グリッド", "PixelGrid", u"ピクセルの格子");
  bitmap_ = Button(u"ビットマップ", "PixelBitmap", u"FreeType が描いたビットマップ");
  arrows_ = Button(u"矢印", "PixelArrows", u"ヒンティングで動いた点：元の位置から動いた先へ");
  for (QToolButton* layer : {grid_, bitmap_, arrows_}) {
    layer->setCheckable(true);
    layer->setChecked(true);
    connect(layer, &QToolButton::toggled, this, &PixelBar::Changed);
  }
  sweepButton_ = Button(u"", "SweepPpem", u"大きさを 8 から 48 ppem まで動かして戻る");
  sweepButton_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  connect(sweepButton_, &QToolButton::clicked, this, &PixelBar::ToggleSweep);
  beside_ = Button(u"並べる", "PixelBeside", u"同じ大きさを別のヒンティングで右に並べて比べる");
  beside_->setCheckable(true);
  besideHinting_->setObjectName(QStringLiteral("BesideHinting"));
  besideHinting_->setAccessibleName(Utf16(u"右に並べるヒンティング"));
  besideHinting_->addItems({Utf16(u"なし"), Utf16(u"軽い自動ヒンティング"), Utf16(u"自動ヒンティング"),
                            Utf16(u"フォントのヒンティング v40"), Utf16(u"フォントのヒンティング v35")});
  besideHinting_->setVisible(false);
  connect(beside_, &QToolButton::toggled, this, [this](bool on) {
    besideHinting_->setVisible(on);
    emit Changed();
  });
  connect(besideHinting_, &QComboBox::currentIndexChanged, this, &PixelBar::Changed);
  // Two rows, so that the bar stays as narrow as the large view's toolbar: how the glyph is
  // made at the size, then what is shown of it.
  auto* made = new QHBoxLayout;
  auto* shown = new QHBoxLayout;
  for (QWidget* control :
       std::initializer_list<QWidget*>{smaller, ppem_, larger, sweepButton_, hinting_, interpreter_, mono_}) {
    made->addWidget(control);
  }
  for (QWidget* control : std::initializer_list<QWidget*>{grid_, bitmap_, arrows_, beside_, besideHinting_}) {
    shown->addWidget(control);
  }
  for (QHBoxLayout* row : {made, shown}) {
    row->addStretch(1);
    layout->addLayout(row);
  }
  connect(ppem_, &QSpinBox::valueChanged, this, &PixelBar::Changed);
  connect(hinting_, &QComboBox::currentIndexChanged, this, [this](int index) {
    interpreter_->setEnabled(index == 3);
    emit Changed();
  });
  connect(interpreter_, &QComboBox::currentIndexChanged, this, &PixelBar::Changed);
  connect(mono_, &QCheckBox::toggled, this, &PixelBar::Changed);
  sweep_.setInterval(1000 / kSweepStepsPerSecond);
  connect(&sweep_, &QTimer::timeout, this, &PixelBar::SweepStep);
}

QToolButton* PixelBar::Button(const char16_t* text, const char* name, const char16_t* tip) {
  QToolButton* button = BarButton(name, tip);
  button->setText(Utf16(text));
  return button;
}

HintingRequest PixelBar::Request() const {
  HintingRequest request;
  request.Ppem = ppem_->value();
  request.Hinting = kModes[std::clamp(hinting_->currentIndex(), 0, 3)];
  request.Antialias = mono_->isChecked() ? Antialiasing::Mono : Antialiasing::Grey;
  request.Interpreter = interpreter_->currentIndex() == 1 ? TrueTypeInterpreter::V35 : TrueTypeInterpreter::V40;
  return request;
}

std::optional<HintingRequest> PixelBar::BesideRequest() const {
  if (!beside_->isChecked()) return std::nullopt;
  HintingRequest request = Request();
  // The list's last two entries are the font's hints with each interpreter.
  const int index = std::clamp(besideHinting_->currentIndex(), 0, 4);
  request.Hinting = kModes[std::min(index, 3)];
  request.Interpreter = index == 4 ? TrueTypeInterpreter::V35 : TrueTypeInterpreter::V40;
  return request;
}

PixelLayers PixelBar::Layers() const { return {grid_->isChecked(), bitmap_->isChecked(), arrows_->isChecked()}; }

void PixelBar::StepPpem(int step) { ppem_->setValue(ppem_->value() + step); }

void PixelBar::ToggleSweep() {
  if (sweep_.isActive()) {
    sweep_.stop();
  } else {
    sweepDirection_ = ppem_->value() >= kSweepLargest ? -1 : 1;
    if (ppem_->value() < kSweepSmallest || ppem_->value() > kSweepLargest) ppem_->setValue(kSweepSmallest);
    sweep_.start();
  }
  sweepButton_->setIcon(style()->standardIcon(sweep_.isActive() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void PixelBar::SweepStep() {
  int next = ppem_->value() + sweepDirection_;
  if (next > kSweepLargest) {
    sweepDirection_ = -1;
    next = kSweepLargest - 1;
  }
  // Back below the smallest size, the sweep ends.
  if (next < kSweepSmallest) return ToggleSweep();
  ppem_->setValue(next);
}

}  // namespace moji
