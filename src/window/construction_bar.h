#pragma once
// The controls of the large view's 組み立て mode: step, jump, play at a speed, a slider over all
// the steps, the filled preview, and what the current step does.

#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "inspect/construction_lesson.h"

class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

namespace moji {

/// Holds where the stepping stands (the slider's value: how many steps are done) and plays
/// through the steps at the speed set; says when that or the fill preview changes.
class ConstructionBar final : public QWidget {
  Q_OBJECT

 public:
  explicit ConstructionBar(QWidget* parent = nullptr);

  /// A new lesson of `count` steps whose blocks begin at `blockFirsts`: back to no step done.
  void SetSteps(std::size_t count, std::vector<std::size_t> blockFirsts);
  std::size_t Done() const;
  void SetDone(std::size_t done);
  /// One of the keys' moves, or play and pause.
  void Move(StepMove move);
  void TogglePlaying();
  bool Playing() const { return timer_.isActive(); }
  /// Steps per second while playing.
  int Speed() const;
  bool Filled() const;
  /// Shows what the current step does.
  void SetCaption(const QString& caption);

 signals:
  /// The steps done or the fill preview changed.
  void Changed();

 private:
  /// A button of the standard icon (none for SP_CustomBase), named, its tip also its name.
  QToolButton* Button(QStyle::StandardPixmap icon, const char* name, const char16_t* tip);
  void PlayedStep();
  void ShowPlaying();

  QSlider* slider_;
  QSpinBox* speed_;
  QToolButton* play_ = nullptr;
  QToolButton* fill_ = nullptr;
  QLabel* caption_;
  QTimer timer_;
  std::vector<std::size_t> blockFirsts_;
};

}  // namespace moji
