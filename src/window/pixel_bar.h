#pragma once
// The controls of the large view's ピクセル mode: the size, the hinting, the rendering, what is
// shown, and the sweep of sizes.

#include <QTimer>
#include <QWidget>
#include <optional>

#include "inspect/pixel_scene.h"
#include "platform/hinted_glyph.h"

class QCheckBox;
class QComboBox;
class QSpinBox;
class QToolButton;

namespace moji {

/// Holds the request of the ピクセル mode and says when it changes; ▶ sweeps the size from
/// kSweepSmallest to kSweepLargest and back, a pixel per em a step.
class PixelBar final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSweepSmallest = 8;
  static constexpr int kSweepLargest = 48;

  explicit PixelBar(QWidget* parent = nullptr);

  HintingRequest Request() const;
  /// With 並べる on, the request of the second pane: the same size and rendering, hinted as its
  /// own list says (the font's hints with either interpreter among them); nothing when off.
  std::optional<HintingRequest> BesideRequest() const;
  PixelLayers Layers() const;
  /// A size `step` pixels per em larger (smaller for a negative step), within the sizes.
  void StepPpem(int step);
  void ToggleSweep();
  bool Sweeping() const { return sweep_.isActive(); }

 signals:
  /// The request or what is shown changed.
  void Changed();

 private:
  QToolButton* Button(const char16_t* text, const char* name, const char16_t* tip);
  void SweepStep();

  QSpinBox* ppem_;
  QComboBox* hinting_;
  QComboBox* interpreter_;
  QCheckBox* mono_;
  QToolButton* grid_ = nullptr;
  QToolButton* bitmap_ = nullptr;
  QToolButton* arrows_ = nullptr;
  QToolButton* sweepButton_ = nullptr;
  QToolButton* beside_ = nullptr;
  QComboBox* besideHinting_;
  QTimer sweep_;
  /// The way the sweep goes: +1 growing, -1 shrinking.
  int sweepDirection_ = 1;
};

}  // namespace moji
