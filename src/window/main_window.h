#pragma once
// Main: the program's one window, its controls, its state and its event handlers.

#include <QMainWindow>
#include <QMenu>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/display_request.h"
#include "display/displayed_glyph.h"
#include "display/face_list.h"
#include "inspect/construction_lesson.h"
#include "model/glyph_outline.h"
#include "motion/random_source.h"
#include "platform/graphics_services.h"
#include "report/report_lines.h"
#include "window/focus_mark_style.h"
#include "window/picture_box.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollBar;
class QTimer;
class QTranslator;

namespace moji {

class GlyphComponentsPanel;
class GlyphIndexField;
class GlyphStatusLine;
class GlyphTableDock;
class InspectorDock;
class TypefacePanel;

/// The names of the faces the font walk goes through, UTF-8, read once when the walk begins.
using FaceNames = std::function<std::vector<std::string>()>;

/// The window caption.
inline constexpr char16_t kMainCaption[] = u"文字のアウトライン応用サンプル";
/// The caption while the font walk runs.
inline constexpr char16_t kBusyCaption[] = u"フォント列挙中・・・数秒かかる場合があります";

/// Loads Qt's own Japanese texts (qtbase_ja, from Qt's translations folder) into `translator`
/// and installs it, so the controls' context menus and the standard dialogs speak Japanese.
/// Returns false, having installed nothing, when the translation is not there.
bool InstallToolkitTranslation(QTranslator& translator);

/// The main window: a drawing area, the outline report, the character, the face list, the
/// pen thickness and the motion switch, driven by a 50 ms timer; its menus above them open font
/// files, save the drawing and the outline and choose the marks, its status bar says which
/// glyph is drawn, and font files dropped onto it are opened.
class Main final : public QMainWindow, private DisplayTarget {
  Q_OBJECT

 public:
  /// Builds every control with its design settings and starts Timer1. It draws and reads fonts
  /// through `services`, which must outlive it; `faceNames` gives the face names that
  /// `Form_Load` walks (by default, those of the installed families).
  explicit Main(GraphicsServices& services, FaceNames faceNames = {}, QWidget* parent = nullptr);
  ~Main() override;
  Main(const Main&) = delete;
  Main& operator=(const Main&) = delete;

  /// Start-up: shows the window, seeds the random source, fills Combo1 under the busy caption
  /// and shows "龍". Call once, before the event loop runs.
  void Form_Load();
  /// The display pipeline for the first character of `text`: fetch, report, place, draw.
  /// Does nothing for an empty text or a face name longer than 31 bytes.
  void GetKestrineProc(std::u16string text);
  /// Fills Combo1 with the outline faces (TrueType, CFF or Type 1) of the face names and makes
  /// "ＭＳ ゴシック" current.
  void EnumTrueTypeFont();
  /// Adds the outline faces of the font file at `path` to Combo1 after its entries (each face
  /// once) and draws from the face numbered `faceIndex` in the file (the number `faces
  /// --font-file` prints), as choosing its entry does. A file that is no usable font, or has no
  /// outline face of that number, changes nothing: one short message says why, in a message box
  /// or, with `messagesToStandardError` (for a run nobody answers a box in), as the command
  /// line's one line on standard error. Returns whether the face is drawn. Call after
  /// Form_Load, which lists the installed faces first.
  bool OpenFontFile(const std::string& path, int faceIndex, bool messagesToStandardError);
  /// Writes the drawing area as it stands (the outline as it has moved, the thickness and the
  /// marks, no pulse circle) to `path`: SVG when the name ends in ".svg", else PNG at `scale`
  /// (1 to 8) pixels per drawing-area pixel. Returns the reason of a failure, empty on success.
  /// Throws what the block drawing throws for a broken outline.
  std::string SaveImage(const std::string& path, int scale);
  /// Writes the outline of the character shown, in the face drawn, as JSON to `path`, as it was
  /// fetched (in font heights, unmoved). Returns the reason of a failure, empty on success.
  std::string SaveOutline(const std::string& path);

  /// One tick of Timer1: counts in the caption, advances a held button and, with Check1
  /// checked, moves the outline and redraws it.
  void Timer1_Timer();
  /// A face was chosen in Combo1.
  void Combo1_Click();
  /// A face was chosen in the 書体 panel: the display request for it, the report left as it was
  /// without `rewriteReport` (the steps of the axis sweep).
  void ShowTypeface(const FaceIdentity& face, bool rewriteReport);
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

  /// Opens the large view 拡大表示 (built when first opened) or closes it; the main window
  /// grows to hold it while it is docked.
  void ShowInspector(bool shown);
  /// Starts (opening the large view) or ends the 組み立て mode: the large view and Picture1
  /// show the construction step by step, the motion waits; ended, the outline is shown as it
  /// was.
  void ShowConstruction(bool on);
  /// Starts (opening the large view) or ends the ピクセル mode: the large view shows the glyph at
  /// the size and hinting its controls set; ending it shows the glyph again.
  void ShowPixels(bool on);
  bool ShowingPixels() const;
  /// Whether the 組み立て mode is on.
  bool Constructing() const { return construction_.has_value(); }
  /// The large view's dock; nullptr until it is first opened.
  InspectorDock* Inspector() const { return inspector_; }
  /// Shows the point as chosen in both views and its line in Text1; none for no point.
  void HighlightPoint(std::optional<ReportPoint> point);
  /// Writes the large view as it is shown to `path`, with its layers: SVG (the outline in font
  /// units, exactly) when the name ends in ".svg", else PNG at its size times the screen's
  /// device pixel ratio. Returns the reason of a failure, empty on success (the view not open
  /// is one).
  std::string SaveInspectorImage(const std::string& path);

  /// Shows glyph `glyphIndex` of the face in both views, whether a character maps to it or
  /// not; Text2 then shows its character where it has one. An index outside the face changes
  /// nothing.
  void ShowGlyphIndex(std::uint32_t glyphIndex);
  /// Shows the glyph after (`step` 1, Alt+→) or before (-1, Alt+←) the one shown, by index.
  void StepGlyph(int step);
  /// 縦書き: shows the glyphs vertical Japanese text sets for the characters, or the
  /// characters' own glyphs again.
  void SetVertical(bool vertical);
  /// Opens the glyph table グリフ一覧 (built when first opened) or closes it.
  void ShowGlyphTable(bool shown);
  /// The glyph table, and the large view's glyph-number field and list of components; nullptr
  /// until they are first opened.
  GlyphTableDock* GlyphTable() const { return glyphTable_; }
  GlyphIndexField* GlyphField() const { return glyphField_; }
  GlyphComponentsPanel* ComponentsPanel() const { return componentsPanel_; }

  /// The current outline, in Picture1 pixels once placed.
  GlyphOutline& CurrentOutline() { return shown_.Placed; }
  /// What the last display request fetched, the outline placed and moved since.
  const FetchedGlyph& Shown() const { return shown_; }
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

 protected:
  /// Takes drags of local files only.
  void dragEnterEvent(QDragEnterEvent* event) override;
  /// Opens each dropped font file as OpenFontFile does, face 0, once the drop is over.
  void dropEvent(QDropEvent* event) override;
  /// Files dragged over Text2 are offered to the window rather than typed into the text.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// The display request for the first character of `text` (or the glyph chosen by index, or
  /// its vertical form) in the drawing area's face: the drawing, the large view, the status bar
  /// and the glyph tools follow it, and the report too with `rewriteReport`.
  void ShowRequest(const std::u16string& text, bool rewriteReport);
  void BuildControls();
  void BuildPictureAndTexts();
  void BuildSettings();
  void BuildMenus();
  void BuildStatusBar();
  /// The 表示 menu's 縦書き, グリフ一覧 and the steps from glyph to glyph.
  void BuildGlyphActions(QMenu* view);
  /// Puts the glyph-number field into the large view's toolbar and the list of components
  /// under it.
  void AttachGlyphTools();
  /// After a request: the glyph-number field, the components and the glyph table follow it.
  void FollowGlyphTools();
  void ConnectHandlers();
  DeviceContext& DrawingDc() override;
  void ClearDrawing() override;
  void RefreshDrawing() override;
  void DrawPulseCircle(float centerX, float centerY, float radius) override;
  void DrawMarks(const OutlineMarks& marks) override;
  /// How Picture1 draws: HScroll1's thickness, the 表示 menu's marks and palette, and in
  /// 組み立て mode the part the steps have drawn.
  DrawingStyle Style() const;
  /// The placed outline Picture1 draws: as fetched in 組み立て mode, else as moved.
  const GlyphOutline& DrawnOutline() const;
  /// A new glyph in 組み立て mode: its lesson, from no step done.
  void RestartConstruction();
  /// Loads the glyph at the size and hinting the ピクセル controls set and shows it; says in the
  /// status bar where its hinting failed.
  void ShowPixelScene();
  /// Shows the step the construction bar stands at, in both views, Text1 and the status bar.
  void ShowStep();
  void ShowReport(std::u16string report);
  /// Chooses the face in Combo1, as a user does: the face that has a glyph the shown one lacks.
  void ShowFaceWithGlyph(const QString& face);
  /// Draws the current outline again as it stands, with the marks asked for: after Picture1's
  /// image was made anew, or the marks changed.
  void RedrawOutline();
  /// After Picture1 is drawn: the chosen point's ring over it, and the larger views drawn anew,
  /// with what a new request fetched when `fetched`.
  void FollowDrawing(bool fetched);
  /// Text1's cursor moved: the point of its line is chosen.
  void Text1CursorMoved();
  /// A point of the large view is hovered (or none): named in the status bar, chosen.
  void InspectorPointHovered(std::optional<ReportPoint> point, const QString& description);
  /// The window's size follows its docks: fixed as designed without one, free while one is
  /// docked.
  void FitToDocks();
  /// Fills Combo1 with the face list's entries and shows its current one.
  void ShowFaceList();
  void OpenFontFileDialog();
  void SaveImageDialog();
  void SaveInspectorImageDialog();
  void SaveOutlineDialog();
  void ShowVersions();
  /// Opens the 書体 panel (built when first opened, docked on the right under a dock already
  /// there) or closes it.
  void ShowTypefacePanel(bool shown);
  /// Shows the 書体 panel what can be chosen within Combo1's family.
  void FollowTypeface();
  /// A name to offer for a saved file: the code point shown and `suffix`.
  QString SuggestedFileName(const QString& suffix) const;
  /// Takes a drag of local files as a copy and, dropped, opens them once the drop is over;
  /// returns whether it is such a drag (any other is left alone).
  bool TakeFileDrag(QDropEvent& event);
  /// What both scroll-bar events do: show the thickness and redraw with it.
  void ThicknessChanged(const char* handler);
  void ShowThickness();
  std::int32_t Thickness() const;
  std::u16string Text2Text() const;

  GraphicsServices& services_;
  FaceNames faceNames_;
  ClockSeededRandom random_;
  FaceList faces_;

  QWidget* client_ = nullptr;
  PictureBox* picture1_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QScrollBar* hScroll1_ = nullptr;
  QLabel* label1_ = nullptr;
  QTimer* timer1_ = nullptr;

  FetchedGlyph shown_;
  std::int32_t buttonDown_ = 0;
  float mouseX_ = 0.0f;
  float mouseY_ = 0.0f;
  std::int32_t tickCount_ = 0;
  std::u16string reportText_;

  /// The 表示 menu's switches of how Picture1 draws: the marks and the palette.
  struct ViewSwitches {
    QAction *Points, *Numbers, *Starts, *ReadablePalette;
  } view_{};
  /// The status bar's account of the glyph.
  GlyphStatusLine* glyphStatusLine_ = nullptr;
  QAction* showInspector_ = nullptr;
  InspectorDock* inspector_ = nullptr;
  /// The point chosen on Text1's cursor line, and the one the pointer is over in the large view.
  std::optional<ReportPoint> textPoint_;
  std::optional<ReportPoint> hoveredPoint_;
  /// The point shown as chosen in the views and Text1.
  std::optional<ReportPoint> highlighted_;
  /// The 書体 panel, once opened, and the 表示 menu's switch of it.
  TypefacePanel* typeface_ = nullptr;
  QAction* typefaceAction_ = nullptr;
  /// The construction stepped through in 組み立て mode, and the outline placed as fetched that
  /// Picture1 draws its steps from.
  struct Construction {
    ConstructionLesson Lesson;
    GlyphOutline Placed;
  };
  std::optional<Construction> construction_;
  QAction* showConstruction_ = nullptr;
  QAction* showPixels_ = nullptr;
  FocusMarkStyle focusMarks_;
  /// The glyph shown by its index, until a character is asked for again; and the glyph tools.
  std::optional<std::uint32_t> glyphIndex_;
  QAction* verticalAction_ = nullptr;
  QAction* glyphTableAction_ = nullptr;
  GlyphTableDock* glyphTable_ = nullptr;
  GlyphIndexField* glyphField_ = nullptr;
  GlyphComponentsPanel* componentsPanel_ = nullptr;
};

}  // namespace moji
