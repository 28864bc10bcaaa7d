#pragma once
// The 書体 dock: what can be chosen within Combo1's family (its styles, a variable face's named
// instances, one slider per axis) and the sweep of one axis.

#include <QDockWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/face_list.h"
#include "platform/face_identity.h"
#include "platform/font_engine.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

namespace moji {

/// The 書体 dock. Every choice in it runs a display request through `choose`, as Combo1_Click
/// does; the axis sweep (軸を動かす) runs one each 50 ms step, the report left as it was until
/// the sweep stops.
class TypefacePanel final : public QDockWidget {
  Q_OBJECT

 public:
  /// Draws from a face; `rewriteReport` is false for the steps of the sweep.
  using ChooseFace = std::function<void(const FaceIdentity& face, bool rewriteReport)>;

  /// Reads faces through `engine`, which must outlive it.
  TypefacePanel(FontEngine& engine, ChooseFace choose, QWidget* parent);
  ~TypefacePanel() override;
  TypefacePanel(const TypefacePanel&) = delete;
  TypefacePanel& operator=(const TypefacePanel&) = delete;

  /// Offers what the family of `entry` has, `face` (drawn now) chosen; nothing without an entry.
  /// A sweep stops.
  void Follow(const FaceEntry* entry, const FaceIdentity& face);
  /// The face chosen last, or followed.
  const FaceIdentity& Face() const { return face_; }
  /// Whether the axis sweep runs.
  bool Sweeping() const;
  /// Starts or stops the sweep of the axis chosen for it (nothing without axes); stopping
  /// rewrites the report.
  void SetSweeping(bool on);
  /// One step of the sweep: the next value of the swept axis, drawn.
  void SweepStep();

 private:
  void BuildControls();
  /// The instances and axis rows of the face chosen now, its values shown.
  void ShowVariation();
  void ClearAxisRows();
  void AddAxisRow(std::size_t axis, int row);
  /// Shows axis `axis` at its value: slider, value and whether it is at its default.
  void ShowAxisValue(std::size_t axis);
  void StyleChosen(int index);
  void InstanceChosen(int index);
  void SliderMoved(std::size_t axis, int position);
  void AxisToDefault(std::size_t axis);
  /// The face at the values the sliders show now, drawn.
  void ChooseValues(bool rewriteReport);

  FontEngine& engine_;
  ChooseFace choose_;
  std::optional<FaceEntry> entry_;
  FaceIdentity face_;
  FaceVariations variations_;
  std::vector<double> values_;

  QComboBox* styles_ = nullptr;
  QComboBox* instances_ = nullptr;
  QGridLayout* axes_ = nullptr;
  /// One row per axis shown (hidden axes have none): its index, name, slider, value, default.
  struct AxisRow {
    std::size_t Axis = 0;
    QLabel* Name = nullptr;
    QSlider* Slider = nullptr;
    QLabel* Value = nullptr;
    QToolButton* Default = nullptr;
  };
  std::vector<AxisRow> rows_;
  QCheckBox* sweep_ = nullptr;
  QComboBox* sweepAxis_ = nullptr;
  QDoubleSpinBox* period_ = nullptr;
  QTimer* sweepTimer_ = nullptr;
  std::int64_t sweepStep_ = 0;
};

}  // namespace moji
