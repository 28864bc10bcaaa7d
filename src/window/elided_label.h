#pragma once
// A one-line text of the status bar: cut to its width where it does not fit, whole in its
// tooltip, and where it offers an action, a link that a click or a key follows.

#include <QString>
#include <QWidget>

namespace moji {

/// Shows one line of plain text, a head and a tail, cut to its width where it does not fit: the
/// tail first, in its middle so that both its ends stay in view (a file path keeps its file's
/// name), then the head at its end. The whole text is its tooltip. As a link it takes focus
/// (showing it), and a click, or Enter or Space while it has focus, emits `Activated`.
class ElidedLabel final : public QWidget {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  /// Replaces the text by `head` followed by `tail`.
  void SetText(const QString& head, const QString& tail = {});
  /// The whole text.
  QString Text() const { return head_ + tail_; }
  /// Makes the label a link (drawn in the link colour, taking focus) or plain text again.
  void SetLink(bool link);
  /// The text as it is drawn at the label's width.
  QString ShownText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  /// The link was followed.
  void Activated();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString head_;
  QString tail_;
  bool link_ = false;
};

}  // namespace moji
