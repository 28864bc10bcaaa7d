#include "window/typeface_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "display/face_choice.h"

namespace moji {
namespace {

/// The sweep's period when the panel opens, and the shortest and longest it takes, in seconds.
constexpr double kDefaultSweepSeconds = 2.0;
constexpr double kShortestSweepSeconds = 0.2;
constexpr double kLongestSweepSeconds = 60.0;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

/// "550 (300–700)": a value and its axis's range.
QString ValueWithRange(const VariationAxis& axis, double value) {
  return Text(DesignValueText(value) + " (" + DesignValueText(axis.Minimum) + "–" +
              DesignValueText(axis.Maximum) + ")");
}

}  // namespace

TypefacePanel::TypefacePanel(FontEngine& engine, ChooseFace choose, QWidget* parent)
    : QDockWidget(QString::fromUtf16(u"書体"), parent), engine_(engine), choose_(std::move(choose)) {
  setObjectName(QStringLiteral("TypefacePanel"));
  BuildControls();
  Follow(nullptr, {});
}

TypefacePanel::~TypefacePanel() = default;

void TypefacePanel::BuildControls() {
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  auto* choices = new QFormLayout;
  styles_ = new QComboBox(body);
  styles_->setObjectName(QStringLiteral("Styles"));
  instances_ = new QComboBox(body);
  instances_->setObjectName(QStringLiteral("Instances"));
  choices->addRow(QString::fromUtf16(u"スタイル"), styles_);
  choices->addRow(QString::fromUtf16(u"インスタンス"), instances_);
  layout->addLayout(choices);
  axes_ = new QGridLayout;
  layout->addLayout(axes_);

  auto* sweepRow = new QHBoxLayout;
  sweep_ = new QCheckBox(QString::fromUtf16(u"軸を動かす"), body);
  sweep_->setObjectName(QStringLiteral("AxisSweep"));
  sweep_->setToolTip(QString::fromUtf16(u"選んだ軸を最小から最大へ、また最小へ動かします（その間、動きありは止まります）"));
  sweepAxis_ = new QComboBox(body);
  sweepAxis_->setObjectName(QStringLiteral("SweepAxis"));
  period_ = new QDoubleSpinBox(body);
  period_->setObjectName(QStringLiteral("SweepPeriod"));
  period_->setRange(kShortestSweepSeconds, kLongestSweepSeconds);
  period_->setSingleStep(0.5);
  period_->setDecimals(1);
  period_->setValue(kDefaultSweepSeconds);
  period_->setSuffix(QString::fromUtf16(u" 秒"));
  period_->setToolTip(QString::fromUtf16(u"一往復の時間"));
  sweepRow->addWidget(sweep_);
  sweepRow->addWidget(sweepAxis_, 1);
  sweepRow->addWidget(period_);
  layout->addLayout(sweepRow);
  layout->addStretch(1);
  setWidget(body);

  sweepTimer_ = new QTimer(this);
  sweepTimer_->setInterval(kSweepStepMilliseconds);
  connect(sweepTimer_, &QTimer::timeout, this, &TypefacePanel::SweepStep);
  connect(sweep_, &QCheckBox::toggled, this, &TypefacePanel::SetSweeping);
  connect(styles_, &QComboBox::activated, this, &TypefacePanel::StyleChosen);
  connect(instances_, &QComboBox::activated, this, &TypefacePanel::InstanceChosen);
}

void TypefacePanel::Follow(const FaceEntry* entry, const FaceIdentity& face) {
  // Another face is drawn already: the sweep stops without a request of its own.
  sweepTimer_->stop();
  const QSignalBlocker blockSweep(sweep_);
  sweep_->setChecked(false);
  entry_ = entry == nullptr ? std::nullopt : std::optional<FaceEntry>(*entry);
  face_ = face;
  const QSignalBlocker blockStyles(styles_);
  styles_->clear();
  if (entry_) {
    for (const std::string& style : StylesOfEntry(engine_, *entry_)) styles_->addItem(Text(style));
  }
  const InstalledFaceId* installed = face_.AsInstalled();
  const int current = installed == nullptr || installed->Style.empty()
                          ? 0
                          : styles_->findText(Text(installed->Style), Qt::MatchExactly);
  styles_->setCurrentIndex(styles_->count() == 0 ? -1 : std::max(current, 0));
  styles_->setEnabled(styles_->count() > 1);
  ShowVariation();
}

void TypefacePanel::ShowVariation() {
  FaceVariations variations = entry_ ? VariationsOfFace(engine_, face_) : FaceVariations{};
  // The same design space keeps its controls: only their values change.
  const bool same = variations == variations_ && !rows_.empty();
  variations_ = std::move(variations);
  values_.clear();
  for (const AxisPosition& position : entry_ ? PositionsOfFace(engine_, face_) : std::vector<AxisPosition>{}) {
    values_.push_back(position.Value);
  }
  values_.resize(variations_.Axes.size());
  if (same) {
    for (std::size_t a = 0; a < values_.size(); ++a) ShowAxisValue(a);
    return;
  }
  const QSignalBlocker blockInstances(instances_);
  instances_->clear();
  instances_->addItem(QString::fromUtf16(u"（なし）"));
  for (const NamedInstance& instance : variations_.Instances) instances_->addItem(Text(instance.Name));
  instances_->setEnabled(!variations_.Instances.empty());
  ClearAxisRows();
  const QSignalBlocker blockAxis(sweepAxis_);
  sweepAxis_->clear();
  for (std::size_t a = 0; a < variations_.Axes.size(); ++a) {
    if (variations_.Axes[a].Hidden) continue;
    AddAxisRow(a, static_cast<int>(rows_.size()));
    sweepAxis_->addItem(Text(variations_.Axes[a].Name), static_cast<int>(a));
  }
  sweep_->setEnabled(sweepAxis_->count() > 0);
  sweepAxis_->setEnabled(sweepAxis_->count() > 0);
  for (std::size_t a = 0; a < values_.size(); ++a) ShowAxisValue(a);
}

void TypefacePanel::ClearAxisRows() {
  for (const AxisRow& row : rows_) {
    for (QWidget* control : std::initializer_list<QWidget*>{row.Name, row.Slider, row.Value, row.Default}) {
      axes_->removeWidget(control);
      delete control;
    }
  }
  rows_.clear();
}

void TypefacePanel::AddAxisRow(std::size_t axis, int row) {
  const VariationAxis& shown = variations_.Axes[axis];
  const QString tag = QString::fromStdString(shown.Tag);
  AxisRow controls{axis, new QLabel(Text(shown.Name + " (" + shown.Tag + ")")), new QSlider(Qt::Horizontal),
                   new QLabel, new QToolButton};
  controls.Slider->setObjectName(QStringLiteral("AxisSlider_") + tag);
  controls.Slider->setRange(0, kAxisSliderSteps);
  controls.Value->setObjectName(QStringLiteral("AxisValue_") + tag);
  controls.Default->setObjectName(QStringLiteral("AxisDefault_") + tag);
  controls.Default->setText(QString::fromUtf16(u"既定"));
  controls.Default->setToolTip(QString::fromUtf16(u"既定値 %1 に戻す").arg(Text(DesignValueText(shown.Default))));
  connect(controls.Slider, &QSlider::valueChanged, this,
          [this, axis](int position) { SliderMoved(axis, position); });
  connect(controls.Default, &QToolButton::clicked, this, [this, axis] { AxisToDefault(axis); });
  axes_->addWidget(controls.Name, row, 0);
  axes_->addWidget(controls.Slider, row, 1);
  axes_->addWidget(controls.Value, row, 2);
  axes_->addWidget(controls.Default, row, 3);
  rows_.push_back(controls);
}

void TypefacePanel::ShowAxisValue(std::size_t axis) {
  const VariationAxis& shown = variations_.Axes[axis];
  for (const AxisRow& row : rows_) {
    if (row.Axis != axis) continue;
    const QSignalBlocker block(row.Slider);
    row.Slider->setValue(SliderPositionOfValue(shown, values_[axis]));
    row.Value->setText(ValueWithRange(shown, values_[axis]));
    row.Default->setEnabled(values_[axis] != shown.Default);
  }
  std::vector<std::int32_t> coordinates;
  for (std::size_t a = 0; a < values_.size(); ++a) {
    coordinates.push_back(AxisCoordinate(variations_.Axes[a], values_[a]));
  }
  const QSignalBlocker block(instances_);
  instances_->setCurrentIndex(InstanceAt(variations_, coordinates));
}

void TypefacePanel::StyleChosen(int index) {
  if (!entry_ || index < 0) return;
  SetSweeping(false);
  face_ = StyledFace(*entry_, index == 0 ? std::string() : styles_->itemText(index).toStdString());
  ShowVariation();
  choose_(face_, true);
}

void TypefacePanel::InstanceChosen(int index) {
  if (!entry_ || index < 0) return;
  const bool named = index > 0 && static_cast<std::size_t>(index) <= variations_.Instances.size();
  face_ = face_.WithVariation(
      {named ? variations_.Instances[static_cast<std::size_t>(index - 1)].EnglishName : std::string(), {}});
  ShowVariation();
  choose_(face_, !Sweeping());
}

void TypefacePanel::SliderMoved(std::size_t axis, int position) {
  values_[axis] = AxisValueAtSlider(variations_.Axes[axis], position);
  ShowAxisValue(axis);
  ChooseValues(!Sweeping());
}

void TypefacePanel::AxisToDefault(std::size_t axis) {
  values_[axis] = variations_.Axes[axis].Default;
  ShowAxisValue(axis);
  ChooseValues(!Sweeping());
}

void TypefacePanel::ChooseValues(bool rewriteReport) {
  FaceVariation variation;
  for (std::size_t a = 0; a < values_.size(); ++a) {
    variation.Axes.push_back({variations_.Axes[a].Tag, values_[a]});
  }
  face_ = face_.WithVariation(std::move(variation));
  choose_(face_, rewriteReport);
}

bool TypefacePanel::Sweeping() const { return sweepTimer_->isActive(); }

void TypefacePanel::SetSweeping(bool on) {
  const bool axis = sweepAxis_->currentIndex() >= 0 && entry_.has_value();
  const QSignalBlocker block(sweep_);
  sweep_->setChecked(on && axis);
  if (on && axis) {
    sweepStep_ = 0;
    sweepTimer_->start();
    return;
  }
  if (!sweepTimer_->isActive()) return;
  sweepTimer_->stop();
  ChooseValues(true);
}

void TypefacePanel::SweepStep() {
  const int chosen = sweepAxis_->currentData().toInt();
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= values_.size()) return;
  const auto axis = static_cast<std::size_t>(chosen);
  const auto steps = SweepSteps(static_cast<std::int32_t>(std::lround(period_->value() * 1000.0)));
  values_[axis] = SweptAxisValue(variations_.Axes[axis], sweepStep_++, steps);
  ShowAxisValue(axis);
  ChooseValues(false);
}

}  // namespace moji
