#include "window/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/block_palette.h"
#include "display/drawing_area_font.h"
#include "display/file_output.h"
#include "display/glyph_request.h"
#include "display/motion_frame.h"
#include "display/one_line_message.h"
#include "display/outline_json.h"
#include "display/picture_file.h"
#include "platform/font_engine.h"
#include "platform/installed_faces.h"
#include "platform/raster_surface.h"
#include "platform/unicode_names.h"
#include "report/outline_report.h"
#include "window/file_dialogs.h"
#include "window/glyph_status_line.h"
#include "window/glyph_table_dock.h"
#include "window/inspector_dock.h"
#include "window/focus_mark_style.h"
#include "window/handler_boundary.h"
#include "window/typeface_panel.h"

/// The program's icon, compiled into this library (window_icons.qrc): the 48-pixel picture
/// always, so that an icon shows even where Qt cannot read SVG, and the scalable one beside it.
/// Outside every namespace, as the resource's initialiser must be named.
static QIcon ProgramIcon() {
  Q_INIT_RESOURCE(window_icons);
  QIcon icon(QStringLiteral(":/icons/48x48/io.github.mojioutline.MojiOutline.png"));
  icon.addFile(QStringLiteral(":/icons/io.github.mojioutline.MojiOutline.svg"));
  return icon;
}

namespace moji {
namespace {

constexpr int kClientWidth = 582;
constexpr int kClientHeight = 436;
constexpr int kTimerInterval = 50;
constexpr int kText2PointSize = 72;

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

/// Why no face of a font file is chosen, for the message box.
QString FontFileProblem(const FontFileChoice& choice, int faceIndex) {
  if (!choice.OpenError.empty()) return QString::fromLocal8Bit(choice.OpenError);
  if (choice.Entries.empty()) return Utf16(u"フォントとして読めません");
  return Utf16(u"フェイス番号 %1 はありません（フェイスは %2 個）")
      .arg(faceIndex)
      .arg(choice.Entries.size());
}

/// Whether a saved picture is SVG: its name ends in ".svg", in any case.
bool IsSvgName(const std::string& path) {
  return PathText(path).endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

/// A raster surface of the drawing area's size, for a picture saved as PNG.
std::unique_ptr<PictureSurface> DrawingAreaRaster(double ratio) {
  return std::make_unique<RasterSurface>(kDrawingSide, kDrawingSide, kDrawingBackground, ratio);
}

/// Adds one to a counter that never passes the largest 32-bit value.
void CountUp(std::int32_t& counter) {
  if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

/// Names a control and puts it at its place in the window's client area.
template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& place) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(place);
  return control;
}

}  // namespace

Main::Main(GraphicsServices& services, FaceNames faceNames, QWidget* parent)
    : QMainWindow(parent), services_(services), faceNames_(std::move(faceNames)) {
  if (!faceNames_) faceNames_ = [this] { return FaceNamesOf(services_.Fonts().Installed()); };
  BuildControls();
  ConnectHandlers();
  timer1_->start();
}

Main::~Main() {
  // The docks hide as the window goes: nothing of the window may answer them then.
  if (glyphTable_ != nullptr) glyphTable_->disconnect(this);
  if (inspector_ == nullptr) return;
  inspector_->disconnect(this);
  inspector_->Construction()->disconnect(this);
  inspector_->ConstructionAction()->disconnect(this);
  inspector_->PixelAction()->disconnect(this);
  inspector_->Pixels()->disconnect(this);
}

void Main::BuildControls() {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(Utf16(kMainCaption));
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);
  // The controls sit in a client area of their own, at their places in it; the menu bar is
  // above it, the status bar below, and the window is exactly as large as the three.
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  client_->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client_);
  // Created in tab order, so the focus chain follows it.
  BuildPictureAndTexts();
  BuildSettings();
  // The report and the thickness bar take focus, which their style may not show.
  text1_->setStyle(&focusMarks_);
  hScroll1_->setStyle(&focusMarks_);
  BuildMenus();
  BuildStatusBar();
  // Fixed now, before the window is created, so it is made at its size and keeps it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout()->activate();
  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kTimerInterval);
}

void Main::BuildPictureAndTexts() {
  picture1_ = Placed(new PictureBox(services_, client_), "Picture1", {336, 8, 204, 204});
  picture1_->SetFontName(Utf8(kDefaultFace));
  picture1_->SetFontItalic(kDrawingAreaStartsItalic);

  text1_ = Placed(new QPlainTextEdit(client_), "Text1", {8, 8, 313, 401});
  text1_->setReadOnly(true);
  text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text1_->setTabChangesFocus(true);

  text2_ = Placed(new QLineEdit(client_), "Text2", {336, 256, 193, 113});
  text2_->installEventFilter(this);
  text2_->setFont(QFont(QString::fromUtf16(u"ＭＳ Ｐゴシック"), kText2PointSize, QFont::Normal));
  text2_->setText(QString::fromUtf16(u"龍"));
}

void Main::BuildSettings() {
  check1_ = Placed(new QCheckBox(QString::fromUtf16(u"動きあり"), client_), "Check1",
                   {336, 376, 73, 17});
  combo1_ = Placed(new QComboBox(client_), "Combo1", {336, 224, 209, 20});
  combo1_->setEditable(false);

  hScroll1_ = Placed(new QScrollBar(Qt::Horizontal, client_), "HScroll1", {416, 400, 121, 17});
  hScroll1_->setRange(kThinnestPen, kThickestPen);
  hScroll1_->setSingleStep(1);
  hScroll1_->setPageStep(1);
  hScroll1_->setValue(kInitialPen);
  hScroll1_->setTracking(false);
  // Scroll bars invert their controls by default, so the Right key would make the thumb go left.
  hScroll1_->setInvertedControls(false);
  // Scroll bars take no focus by default; the thickness must be reachable by Tab and keys.
  hScroll1_->setFocusPolicy(Qt::StrongFocus);

  label1_ = Placed(new QLabel(client_), "Label1", {336, 404, 73, 17});
  ShowThickness();
}

void Main::BuildMenus() {
  const auto add = [this](QMenu* menu, const char16_t* text, const char* name, auto handler,
                          const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(Utf16(text));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QMenu* file = menuBar()->addMenu(Utf16(u"ファイル(&F)"));
  add(file, u"フォントファイルを開く…(&O)", "OpenFontFile", &Main::OpenFontFileDialog,
      Qt::CTRL | Qt::Key_O);
  add(file, u"画像を保存…(&S)", "SaveImage", &Main::SaveImageDialog, Qt::CTRL | Qt::Key_S);
  add(file, u"アウトラインを保存…(&A)", "SaveOutline", &Main::SaveOutlineDialog);
  file->addSeparator();
  add(file, u"終了(&Q)", "Quit", &QWidget::close, Qt::CTRL | Qt::Key_Q);

  QMenu* view = menuBar()->addMenu(Utf16(u"表示(&V)"));
  view_.Points = add(view, u"点(&P)", "ShowPoints", &Main::RedrawOutline);
  view_.Numbers = add(view, u"点番号(&N)", "ShowNumbers", &Main::RedrawOutline);
  view_.Starts = add(view, u"始点と向き(&D)", "ShowStarts", &Main::RedrawOutline);
  view->addSeparator();
  view_.ReadablePalette = add(view, u"見やすい配色(&R)", "ReadablePalette", &Main::RedrawOutline);
  view->addSeparator();
  showInspector_ = add(view, u"拡大表示(&I)", "ShowInspector", &Main::ShowInspector,
                       Qt::CTRL | Qt::Key_I);
  showConstruction_ = add(view, u"組み立て表示(&B)", "ShowConstruction", &Main::ShowConstruction,
                          Qt::CTRL | Qt::Key_B);
  showPixels_ = add(view, u"ピクセル表示(&X)", "ShowPixels", &Main::ShowPixels);
  for (QAction* option : {view_.Points, view_.Numbers, view_.Starts, view_.ReadablePalette,
                          showInspector_, showConstruction_, showPixels_}) {
    option->setCheckable(true);
  }
  view->addSeparator();
  typefaceAction_ = add(view, u"書体(&T)", "ShowTypeface", &Main::ShowTypefacePanel);
  typefaceAction_->setCheckable(true);
  BuildGlyphActions(view);

  QMenu* help = menuBar()->addMenu(Utf16(u"ヘルプ(&H)"));
  add(help, u"バージョン情報(&A)", "About", &Main::ShowVersions);
}

void Main::BuildStatusBar() {
  glyphStatusLine_ = new GlyphStatusLine(statusBar());
  connect(glyphStatusLine_, &GlyphStatusLine::FaceWithGlyphAsked, this, &Main::ShowFaceWithGlyph);
}

void Main::ConnectHandlers() {
  connect(combo1_, &QComboBox::activated, this, &Main::Combo1_Click);
  connect(text2_, &QLineEdit::textChanged, this, &Main::Text2_Change);
  connect(hScroll1_, &QScrollBar::valueChanged, this, &Main::HScroll1_Change);
  connect(hScroll1_, &QScrollBar::sliderMoved, this, &Main::HScroll1_Scroll);
  connect(picture1_, &PictureBox::MouseDown, this, &Main::Picture1_MouseDown);
  connect(picture1_, &PictureBox::MouseMove, this, &Main::Picture1_MouseMove);
  connect(picture1_, &PictureBox::MouseUp, this, &Main::Picture1_MouseUp);
  connect(picture1_, &PictureBox::DevicePixelRatioChanged, this, &Main::RedrawOutline);
  connect(timer1_, &QTimer::timeout, this, &Main::Timer1_Timer);
  connect(text1_, &QPlainTextEdit::cursorPositionChanged, this, &Main::Text1CursorMoved);
}

void Main::Form_Load() {
  RunHandler("Form_Load", [this] {
    show();
    random_.SeedFromClock();
    setWindowTitle(Utf16(kBusyCaption));
    EnumTrueTypeFont();
    setWindowTitle(Utf16(kMainCaption));
    GetKestrineProc(u"龍");
  });
}

void Main::GetKestrineProc(std::u16string text) { ShowRequest(text, true); }

void Main::ShowRequest(const std::u16string& text, bool rewriteReport) {
  const bool vertical = verticalAction_ != nullptr && verticalAction_->isChecked();
  std::optional<FetchedGlyph> fetched =
      FetchRequestForDisplay(picture1_->Dc(), {text, glyphIndex_, vertical}, picture1_->FontName());
  if (!fetched) return;
  shown_ = std::move(*fetched);
  if (rewriteReport) {
    // The points chosen were the last glyph's.
    textPoint_.reset();
    hoveredPoint_.reset();
    ShowReport(OutlineReportText(shown_.Outline));
  }
  glyphStatusLine_->Show(shown_.Glyph);
  RestartConstruction();
  DrawOutlineFrame(DrawnOutline(), shown_.Sources(), Style(), *this);
  FollowDrawing(true);
  if (construction_) ShowStep();
  FollowGlyphTools();
}

DeviceContext& Main::DrawingDc() { return picture1_->Dc(); }

DrawingStyle Main::Style() const {
  DrawingStyle style{Thickness(),
                     {view_.Points->isChecked(), view_.Numbers->isChecked(), view_.Starts->isChecked()},
                     view_.ReadablePalette->isChecked() ? BlockPalette::Readable : BlockPalette::Classic};
  if (construction_ && inspector_ != nullptr) {
    style.Part = PartAfterSteps(construction_->Lesson.Steps, inspector_->Construction()->Done());
  }
  return style;
}

const GlyphOutline& Main::DrawnOutline() const { return construction_ ? construction_->Placed : shown_.Placed; }

void Main::ShowReport(std::u16string report) {
  reportText_ = std::move(report);
  text1_->setExtraSelections({});
  text1_->setPlainText(QString::fromStdU16String(reportText_));
}

void Main::ClearDrawing() { picture1_->Clear(); }

void Main::RefreshDrawing() { picture1_->Refresh(); }

void Main::DrawPulseCircle(float centerX, float centerY, float radius) {
  picture1_->DrawCircle(centerX, centerY, radius);
}

void Main::ShowFaceWithGlyph(const QString& face) {
  RunHandler("ShowFaceWithGlyph", [&] {
    const int entry = combo1_->findText(face, Qt::MatchExactly);
    if (entry < 0) return;
    combo1_->setCurrentIndex(entry);
    Combo1_Click();
  });
}

void Main::DrawMarks(const OutlineMarks& marks) { picture1_->DrawMarks(marks); }

void Main::RedrawOutline() {
  RunHandler("RedrawOutline", [this] {
    DrawOutlineFrame(DrawnOutline(), shown_.Sources(), Style(), *this);
    FollowDrawing(false);
  });
}

void Main::EnumTrueTypeFont() {
  faces_.WalkInstalledFaces(faceNames_(), [this](const std::string& name) -> DeviceContext& {
    picture1_->SetFontName(name);
    return picture1_->Dc();
  });
  picture1_->SetFontName(Utf8(kDefaultFace));
  faces_.ChooseFaceName(services_.Fonts(), picture1_->FontName());
  ShowFaceList();
}

void Main::ShowFaceList() {
  combo1_->clear();
  for (const FaceEntry& entry : faces_.Entries()) {
    combo1_->addItem(QString::fromStdString(entry.Name));
    // The file tells an entry apart from an installed family of the same name.
    if (!entry.File.empty()) {
      combo1_->setItemData(combo1_->count() - 1, PathText(entry.File), Qt::ToolTipRole);
    }
  }
  combo1_->setCurrentIndex(faces_.Current());
}

bool Main::OpenFontFile(const std::string& path, int faceIndex, bool messagesToStandardError) {
  const FontFileChoice choice = faces_.ReadFontFile(services_.Fonts(), path, faceIndex);
  if (!choice.Chosen) {
    if (messagesToStandardError) {
      Fail(choice.Problem);
    } else {
      Complain(this, Utf16(u"フォントファイルを開く"), Utf16(u"フォントファイルを開けません"),
               PathText(path), FontFileProblem(choice, faceIndex));
    }
    return false;
  }
  faces_.AddFontFile(choice);
  ShowFaceList();
  Combo1_Click();
  return true;
}

void Main::OpenFontFileDialog() {
  RunHandler("OpenFontFileDialog", [this] {
    const QString file = AskFontFileToOpen(this);
    if (!file.isEmpty()) OpenFontFile(PathBytes(file), 0, false);
  });
}

void Main::SaveImageDialog() {
  RunHandler("SaveImageDialog", [this] {
    const int screenScale = static_cast<int>(std::lround(picture1_->Image().devicePixelRatio()));
    const std::optional<ImageFileChoice> choice =
        AskImageFileToSave(this, SuggestedFileName(QStringLiteral(".png")), screenScale);
    if (!choice) return;
    const std::string failure = SaveImage(PathBytes(choice->Path), choice->Scale);
    if (!failure.empty()) {
      Complain(this, Utf16(u"画像を保存"), Utf16(u"画像を保存できません"), choice->Path,
               QString::fromStdString(failure));
    }
  });
}

void Main::SaveOutlineDialog() {
  RunHandler("SaveOutlineDialog", [this] {
    const QString file = AskOutlineFileToSave(this, SuggestedFileName(QStringLiteral(".json")));
    if (file.isEmpty()) return;
    const std::string failure = SaveOutline(PathBytes(file));
    if (!failure.empty()) {
      Complain(this, Utf16(u"アウトラインを保存"), Utf16(u"アウトラインを保存できません"), file,
               QString::fromStdString(failure));
    }
  });
}

QString Main::SuggestedFileName(const QString& suffix) const {
  const std::optional<std::uint32_t> codePoint = shown_.Glyph.CodePoint;
  if (!codePoint) return QStringLiteral("moji-outline") + suffix;
  return QString::fromStdString(CodePointLabel(*codePoint)) + suffix;
}

std::string Main::SaveImage(const std::string& path, int scale) {
  // The drawing area's picture as the command line draws one, from the outline as it is now.
  const PictureRequest request{IsSvgName(path) ? ImageFormat::Svg : ImageFormat::Png, scale,
                               Style()};
  return SavePicture(path, services_, DrawnOutline(), shown_.Glyph, request, DrawingAreaRaster);
}

std::string Main::SaveOutline(const std::string& path) {
  // The outline in font heights, as it was fetched: the current one is placed and may have moved.
  return SaveFile(path, OutlineJson(shown_.Outline, shown_.Glyph));
}

void Main::ShowVersions() {
  RunHandler("ShowVersions", [this] {
    const QString version = QCoreApplication::applicationVersion();
    QStringList lines{Utf16(kMainCaption), QStringLiteral("moji-outline %1").arg(version).trimmed(),
                      QString(), QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                      QString::fromStdString(FontLibraryVersions()), QString()};
    if (shown_.Glyph.Glyph) {
      const NativeGlyph& face = *shown_.Glyph.Glyph;
      lines << Utf16(u"表示中のフェイス：") + QString::fromStdString(face.Family) +
                   QStringLiteral(" (%1)").arg(face.FaceIndex)
            << Utf16(u"ファイル：") + PathText(face.File);
    } else {
      lines << Utf16(u"表示中のフェイス：なし");
    }
    QMessageBox box(QMessageBox::Information, Utf16(u"バージョン情報"), lines.join(u'\n'),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  });
}

void Main::dragEnterEvent(QDragEnterEvent* event) { TakeFileDrag(*event); }

void Main::dropEvent(QDropEvent* event) { TakeFileDrag(*event); }

bool Main::TakeFileDrag(QDropEvent& event) {
  const QStringList files = DraggedFiles(event);
  if (files.isEmpty()) return false;
  event.setDropAction(Qt::CopyAction);
  event.accept();
  if (event.type() != QEvent::Drop) return true;
  // Opened once the drop is over, so a message box never holds up the program it came from.
  QMetaObject::invokeMethod(
      this,
      [this, files] {
        RunHandler("dropEvent", [&] {
          for (const QString& file : files) OpenFontFile(PathBytes(file), 0, false);
        });
      },
      Qt::QueuedConnection);
  return true;
}

bool Main::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool drag = type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
  if (watched != text2_ || !drag) return QMainWindow::eventFilter(watched, event);
  // Text dragged over Text2 is dropped into it as usual.
  return TakeFileDrag(*static_cast<QDropEvent*>(event));
}

void Main::Timer1_Timer() {
  RunHandler("Timer1_Timer", [this] {
    CountUp(tickCount_);
    setWindowTitle(Utf16(kMainCaption) + QStringLiteral("  count - ") +
                   QString::number(tickCount_));
    if (buttonDown_ > 0) CountUp(buttonDown_);
    // The points do not drift while an axis sweeps them: each step draws them afresh.
    // Nor while the construction is stepped through: the steps are of the outline as fetched.
    if (!check1_->isChecked() || (typeface_ != nullptr && typeface_->Sweeping()) || construction_) return;
    RunMotionFrame(MouseState{buttonDown_, mouseX_, mouseY_}, random_, Style(), shown_.Placed,
                   shown_.Sources(), *this);
    FollowDrawing(false);
  });
}

void Main::Combo1_Click() {
  RunHandler("Combo1_Click", [this] {
    glyphIndex_.reset();
    faces_.Choose(combo1_->currentIndex());
    picture1_->SetFontName(faces_.CurrentFaceName());
    picture1_->SetFontItalic(false);
    QFont font = text2_->font();
    font.setFamily(combo1_->currentText());
    font.setItalic(false);
    text2_->setFont(font);
    GetKestrineProc(Text2Text());
    FollowTypeface();
  });
}

void Main::ShowTypeface(const FaceIdentity& face, bool rewriteReport) {
  RunHandler("ShowTypeface", [&] {
    picture1_->SetFontName(services_.Fonts().FaceNameOf(face));
    // An axis sweep's steps keep the report: its points keep their numbers and lines.
    ShowRequest(Text2Text(), rewriteReport);
  });
}

void Main::ShowTypefacePanel(bool shown) {
  RunHandler("ShowTypefacePanel", [&] {
    if (typeface_ == nullptr && shown) {
      typeface_ = new TypefacePanel(
          services_.Fonts(), [this](const FaceIdentity& face, bool report) { ShowTypeface(face, report); }, this);
      const QList<QDockWidget*> docks = findChildren<QDockWidget*>();
      const auto above = std::find_if(docks.begin(), docks.end(), [this](QDockWidget* dock) {
        return dock != typeface_ && !dock->isFloating() && dock->isVisible() &&
               dockWidgetArea(dock) == Qt::RightDockWidgetArea;
      });
      addDockWidget(Qt::RightDockWidgetArea, typeface_);
      if (above != docks.end()) splitDockWidget(*above, typeface_, Qt::Vertical);
      connect(typeface_, &QDockWidget::visibilityChanged, typefaceAction_, &QAction::setChecked);
      FollowTypeface();
    }
    if (typeface_ != nullptr) typeface_->setVisible(shown);
  });
}

void Main::FollowTypeface() {
  if (typeface_ == nullptr) return;
  const std::int32_t entry = faces_.Current();
  typeface_->Follow(entry < 0 ? nullptr : &faces_.Entries()[static_cast<std::size_t>(entry)],
                    entry < 0 ? FaceIdentity{} : faces_.Entries()[static_cast<std::size_t>(entry)].Face);
}

void Main::Text2_Change() {
  RunHandler("Text2_Change", [this] {
    glyphIndex_.reset();
    GetKestrineProc(Text2Text());
  });
}

void Main::HScroll1_Change() { ThicknessChanged("HScroll1_Change"); }

void Main::HScroll1_Scroll() { ThicknessChanged("HScroll1_Scroll"); }

void Main::ThicknessChanged(const char* handler) {
  RunHandler(handler, [this] {
    ShowThickness();
    GetKestrineProc(Text2Text());
  });
}

void Main::Picture1_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y) {
  buttonDown_ = 1;
  mouseX_ = x;
  mouseY_ = y;
}

void Main::Picture1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y) {
  mouseX_ = x;
  mouseY_ = y;
}

void Main::Picture1_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, float, float) {
  buttonDown_ = 0;
}

void Main::ShowThickness() {
  label1_->setText(QString::fromUtf16(u"太さ：") + QString::number(Thickness()));
}

std::int32_t Main::Thickness() const {
  // While the thumb is dragged (tracking off) the value lags behind; the thumb's position is
  // what the user sees, and it equals the value at all other times.
  return hScroll1_->sliderPosition();
}

std::u16string Main::Text2Text() const { return text2_->text().toStdU16String(); }

bool InstallToolkitTranslation(QTranslator& translator) {
  return translator.load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
         QCoreApplication::installTranslator(&translator);
}

}  // namespace moji
