#include "window/construction_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "window/bar_button.h"

namespace moji {
namespace {

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

constexpr int kDefaultSpeed = 5;
constexpr int kFastestSpeed = 60;

}  // namespace

ConstructionBar::ConstructionBar(QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal)), speed_(new QSpinBox), caption_(new QLabel) {
  setObjectName(QStringLiteral("ConstructionBar"));
  setAccessibleName(Utf16(u"組み立ての操作"));
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(4, 2, 4, 2);
  QToolButton* first = Button(QStyle::SP_MediaSkipBackward, "FirstStep", u"最初へ（Home）");
  QToolButton* previous = Button(QStyle::SP_MediaSeekBackward, "PreviousStep", u"前のステップ（←）");
  play_ = Button(QStyle::SP_MediaPlay, "PlaySteps", u"再生・一時停止（Space）");
  QToolButton* next = Button(QStyle::SP_MediaSeekForward, "NextStep", u"次のステップ（→）");
  QToolButton* last = Button(QStyle::SP_MediaSkipForward, "LastStep", u"最後へ（End）");
  connect(first, &QToolButton::clicked, this, [this] { Move(StepMove::First); });
  connect(previous, &QToolButton::clicked, this, [this] { Move(StepMove::Previous); });
  connect(play_, &QToolButton::clicked, this, &ConstructionBar::TogglePlaying);
  connect(next, &QToolButton::clicked, this, [this] { Move(StepMove::Next); });
  connect(last, &QToolButton::clicked, this, [this] { Move(StepMove::Last); });
  for (QToolButton* button : {first, previous, play_, next, last}) buttons->addWidget(button);
  slider_->setObjectName(QStringLiteral("StepSlider"));
  slider_->setAccessibleName(Utf16(u"ステップ"));
  slider_->setRange(0, 0);
  connect(slider_, &QSlider::valueChanged, this, &ConstructionBar::Changed);
  buttons->addWidget(slider_, 1);
  speed_->setObjectName(QStringLiteral("StepSpeed"));
  speed_->setAccessibleName(Utf16(u"再生の速さ"));
  speed_->setRange(1, kFastestSpeed);
  speed_->setValue(kDefaultSpeed);
  speed_->setSuffix(Utf16(u" 歩/秒"));
  connect(speed_, &QSpinBox::valueChanged, this, [this](int speed) { timer_.setInterval(1000 / speed); });
  buttons->addWidget(speed_);
  fill_ = Button(QStyle::SP_CustomBase, "FillPreview", u"できあがった外形を非ゼロ規則で塗る");
  fill_->setText(Utf16(u"塗り"));
  fill_->setCheckable(true);
  connect(fill_, &QToolButton::toggled, this, &ConstructionBar::Changed);
  buttons->addWidget(fill_);
  caption_->setObjectName(QStringLiteral("StepCaption"));
  caption_->setWordWrap(true);
  caption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  caption_->setContentsMargins(6, 0, 6, 4);
  // Room for a sentence of two lines, so a long one does not push the bar out of the dock.
  caption_->setMinimumHeight(2 * caption_->fontMetrics().lineSpacing() + 4);
  caption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(buttons);
  layout->addWidget(caption_);
  timer_.setInterval(1000 / kDefaultSpeed);
  connect(&timer_, &QTimer::timeout, this, &ConstructionBar::PlayedStep);
}

QToolButton* ConstructionBar::Button(QStyle::StandardPixmap icon, const char* name, const char16_t* tip) {
  QToolButton* button = BarButton(name, tip);
  if (icon != QStyle::SP_CustomBase) button->setIcon(style()->standardIcon(icon));
  return button;
}

void ConstructionBar::SetSteps(std::size_t count, std::vector<std::size_t> blockFirsts) {
  blockFirsts_ = std::move(blockFirsts);
  const int most = static_cast<int>(std::min<std::size_t>(count, std::numeric_limits<int>::max()));
  const QSignalBlocker quiet(slider_);
  slider_->setRange(0, most);
  slider_->setValue(0);
  slider_->setPageStep(std::max(1, most / 10));
  emit Changed();
}

std::size_t ConstructionBar::Done() const { return static_cast<std::size_t>(std::max(0, slider_->value())); }

void ConstructionBar::SetDone(std::size_t done) {
  slider_->setValue(static_cast<int>(std::min<std::size_t>(done, static_cast<std::size_t>(slider_->maximum()))));
}

void ConstructionBar::Move(StepMove move) {
  SetDone(SteppedTo(move, Done(), static_cast<std::size_t>(slider_->maximum()), blockFirsts_));
}

void ConstructionBar::TogglePlaying() {
  if (timer_.isActive()) {
    timer_.stop();
  } else {
    // Played from the end, the steps start again.
    if (Done() >= static_cast<std::size_t>(slider_->maximum())) SetDone(0);
    timer_.start();
  }
  ShowPlaying();
}

void ConstructionBar::PlayedStep() {
  Move(StepMove::Next);
  if (Done() >= static_cast<std::size_t>(slider_->maximum())) {
    timer_.stop();
    ShowPlaying();
  }
}

void ConstructionBar::ShowPlaying() {
  play_->setIcon(style()->standardIcon(timer_.isActive() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

int ConstructionBar::Speed() const { return speed_->value(); }

bool ConstructionBar::Filled() const { return fill_->isChecked(); }

void ConstructionBar::SetCaption(const QString& caption) { caption_->setText(caption); }

}  // namespace moji
