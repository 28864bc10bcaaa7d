#pragma once
// Main: the program's one window, its controls, its state and its event handlers.

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "display/display_request.h"
#include "display/face_walk.h"
#include "model/glyph_outline.h"
#include "motion/random_source.h"
#include "platform/installed_faces.h"
#include "window/picture_box.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollBar;
class QTimer;
class QTranslator;

namespace moji {

/// The window caption.
inline constexpr char16_t kMainCaption[] = u"文字のアウトライン応用サンプル";
/// The caption while the font walk runs.
inline constexpr char16_t kBusyCaption[] = u"フォント列挙中・・・数秒かかる場合があります";

/// Loads Qt's own Japanese texts (qtbase_ja, from Qt's translations folder) into `translator`
/// and installs it, so the controls' context menus and the standard dialogs speak Japanese.
/// Returns false, having installed nothing, when the translation is not there.
bool InstallToolkitTranslation(QTranslator& translator);

/// The main window: a drawing area, the outline report, the character, the face list, the
/// pen thickness and the motion switch, driven by a 50 ms timer.
class Main final : public QWidget, private DisplayTarget {
  Q_OBJECT

 public:
  /// Builds every control with its design settings and starts Timer1; `faceList` is the
  /// face list that `Form_Load` walks.
  explicit Main(FaceNames faceNames = InstalledFaceNames, QWidget* parent = nullptr);
  ~Main() override;
  Main(const Main&) = delete;
  Main& operator=(const Main&) = delete;

  /// Start-up: shows the window, seeds the random source, fills Combo1 under the busy caption
  /// and shows "龍". Call once, before the event loop runs.
  void Form_Load();
  /// The display pipeline for the first character of `text`: fetch, report, place, draw.
  /// Does nothing for an empty text or a face name longer than 31 bytes.
  void GetKestrineProc(std::u16string text);
  /// Fills Combo1 with the TrueType faces of the face list and makes "ＭＳ ゴシック" current.
  void EnumTrueTypeFont();

  /// One tick of Timer1: counts in the caption, advances a held button and, with Check1
  /// checked, moves the outline and redraws it.
  void Timer1_Timer();
  /// A face was chosen in Combo1.
  void Combo1_Click();
  /// The text of Text2 changed.
  void Text2_Change();
  /// HScroll1's value changed.
  void HScroll1_Change();
  /// HScroll1's thumb is being dragged.
  void HScroll1_Scroll();
  /// A button went down over Picture1 at (x, y), image pixels.
  void Picture1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
  /// The pointer moved over Picture1.
  void Picture1_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, float x, float y);
  /// A button was released.
  void Picture1_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);

  /// The current outline, in Picture1 pixels once placed.
  GlyphOutline& CurrentOutline() { return currentOutline_; }
  /// 0 while no button is held over Picture1, else 1 plus the ticks since the press.
  std::int32_t ButtonDown() const { return buttonDown_; }
  /// Last pointer position over Picture1, image pixels.
  float MouseX() const { return mouseX_; }
  float MouseY() const { return mouseY_; }
  /// Ticks of Timer1 so far.
  std::int32_t TickCount() const { return tickCount_; }
  /// The exact text of the last report, lines ended by "\r\n" (Text1 shows it as paragraphs).
  const std::u16string& ReportText() const { return reportText_; }
  /// The random source of the motion.
  ClockSeededRandom& Random() { return random_; }

 private:
  void BuildControls();
  void BuildPictureAndTexts();
  void BuildSettings();
  void ConnectHandlers();
  DeviceContext& DrawingDc() override;
  void ShowReport(std::u16string report) override;
  void ClearDrawing() override;
  void RefreshDrawing() override;
  void DrawPulseCircle(float centerX, float centerY, float radius) override;
  /// Draws the current outline again as it stands, after Picture1's image was made anew.
  void RedrawOutline();
  void SelectDrawnFaceInCombo1();
  /// What both scroll-bar events do: show the thickness and redraw with it.
  void ThicknessChanged(const char* handler);
  void ShowThickness();
  std::int32_t Thickness() const;
  std::u16string Text2Text() const;

  FaceNames faceNames_;
  ClockSeededRandom random_;

  PictureBox* picture1_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QScrollBar* hScroll1_ = nullptr;
  QLabel* label1_ = nullptr;
  QTimer* timer1_ = nullptr;

  GlyphOutline currentOutline_;
  std::int32_t buttonDown_ = 0;
  float mouseX_ = 0.0f;
  float mouseY_ = 0.0f;
  std::int32_t tickCount_ = 0;
  std::u16string reportText_;
};

}  // namespace moji
