#include "window/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QTranslator>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/block_palette.h"
#include "display/motion_frame.h"
#include "display/drawing_area_font.h"
#include "window/handler_boundary.h"

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

Main::Main(FaceNames faceNames, QWidget* parent)
    : QWidget(parent), faceNames_(std::move(faceNames)) {
  BuildControls();
  ConnectHandlers();
  timer1_->start();
}

Main::~Main() = default;

void Main::BuildControls() {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(Utf16(kMainCaption));
  setWindowIcon(ProgramIcon());
  setFixedSize(kClientWidth, kClientHeight);
  // Created in tab order, so the focus chain follows it.
  BuildPictureAndTexts();
  BuildSettings();
  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kTimerInterval);
}

void Main::BuildPictureAndTexts() {
  picture1_ = Placed(new PictureBox(this), "Picture1", {336, 8, 204, 204});
  picture1_->SetFontName(Utf16(kDefaultFace));
  picture1_->SetFontItalic(kDrawingAreaStartsItalic);

  text1_ = Placed(new QPlainTextEdit(this), "Text1", {8, 8, 313, 401});
  text1_->setReadOnly(true);
  text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text1_->setTabChangesFocus(true);

  text2_ = Placed(new QLineEdit(this), "Text2", {336, 256, 193, 113});
  text2_->setFont(QFont(QString::fromUtf16(u"ＭＳ Ｐゴシック"), kText2PointSize, QFont::Normal));
  text2_->setText(QString::fromUtf16(u"龍"));
}

void Main::BuildSettings() {
  check1_ = Placed(new QCheckBox(QString::fromUtf16(u"動きあり"), this), "Check1",
                   {336, 376, 73, 17});
  combo1_ = Placed(new QComboBox(this), "Combo1", {336, 224, 209, 20});
  combo1_->setEditable(false);

  hScroll1_ = Placed(new QScrollBar(Qt::Horizontal, this), "HScroll1", {416, 400, 121, 17});
  hScroll1_->setRange(kThinnestPen, kThickestPen);
  hScroll1_->setSingleStep(1);
  hScroll1_->setPageStep(1);
  hScroll1_->setValue(kInitialPen);
  hScroll1_->setTracking(false);
  // Scroll bars invert their controls by default, so the Right key would make the thumb go left.
  hScroll1_->setInvertedControls(false);
  // Scroll bars take no focus by default; the thickness must be reachable by Tab and keys.
  hScroll1_->setFocusPolicy(Qt::StrongFocus);

  label1_ = Placed(new QLabel(this), "Label1", {336, 404, 73, 17});
  ShowThickness();
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

void Main::GetKestrineProc(std::u16string text) {
  const QByteArray face = picture1_->FontName().toUtf8();
  const std::string_view faceName(face.constData(), static_cast<std::size_t>(face.size()));
  RunDisplayRequest(std::move(text), faceName, Thickness(), currentOutline_, *this);
}

DeviceContext& Main::DrawingDc() { return picture1_->Dc(); }

void Main::ShowReport(std::u16string report) {
  reportText_ = std::move(report);
  text1_->setPlainText(QString::fromStdU16String(reportText_));
}

void Main::ClearDrawing() { picture1_->Clear(); }

void Main::RefreshDrawing() { picture1_->Refresh(); }

void Main::DrawPulseCircle(float centerX, float centerY, float radius) {
  picture1_->DrawCircle(centerX, centerY, radius);
}

void Main::RedrawOutline() {
  RunHandler("RedrawOutline", [this] {
    ClearDrawing();
    DrawBlocksInPaletteColors(picture1_->Dc(), currentOutline_, Thickness());
    RefreshDrawing();
  });
}

void Main::EnumTrueTypeFont() {
  WalkOutlineFaces(
      faceNames_(),
      [this](const std::string& name) -> DeviceContext& {
        picture1_->SetFontName(QString::fromStdString(name));
        return picture1_->Dc();
      },
      [this](const std::string& name) { combo1_->addItem(QString::fromStdString(name)); });
  picture1_->SetFontName(Utf16(kDefaultFace));
  SelectDrawnFaceInCombo1();
}

void Main::SelectDrawnFaceInCombo1() {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(combo1_->count()));
  for (int i = 0; i < combo1_->count(); ++i) entries.push_back(combo1_->itemText(i).toStdString());
  combo1_->setCurrentIndex(EntryOfDrawingFace(entries, picture1_->FontName().toStdString()));
}

void Main::Timer1_Timer() {
  RunHandler("Timer1_Timer", [this] {
    CountUp(tickCount_);
    setWindowTitle(Utf16(kMainCaption) + QStringLiteral("  count - ") +
                   QString::number(tickCount_));
    if (buttonDown_ > 0) CountUp(buttonDown_);
    if (!check1_->isChecked()) return;
    RunMotionFrame(MouseState{buttonDown_, mouseX_, mouseY_}, random_, Thickness(),
                   currentOutline_, *this);
  });
}

void Main::Combo1_Click() {
  RunHandler("Combo1_Click", [this] {
    picture1_->SetFontName(combo1_->currentText());
    picture1_->SetFontItalic(false);
    QFont font = text2_->font();
    font.setFamily(combo1_->currentText());
    font.setItalic(false);
    text2_->setFont(font);
    GetKestrineProc(Text2Text());
  });
}

void Main::Text2_Change() {
  RunHandler("Text2_Change", [this] { GetKestrineProc(Text2Text()); });
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
