// Writes what the program does, as text to compare before and after a change of its structure:
// the window's face list and, for every character of a range in a face, the report and the
// drawing calls of the display request the window runs for it.
// Usage: behaviour_digest FACE FIRST LAST   (code points in hex); FONTCONFIG_FILE picks the fonts.

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>

#include "platform/recording_surface.h"
#include "platform/unicode_names.h"
#include "window/main_window.h"

namespace {

/// A recorded call without the handles, whose numbers say nothing of what was drawn.
std::string CallLine(const moji::SurfaceCall& call) {
  std::string line;
  switch (call.Kind) {
    case moji::SurfaceCallKind::CreatePen: line = "pen"; break;
    case moji::SurfaceCallKind::SelectPen: line = "select"; break;
    case moji::SurfaceCallKind::DeleteObject: return "delete";
    case moji::SurfaceCallKind::Polyline: line = "L"; break;
    case moji::SurfaceCallKind::PolyBezier: line = "C"; break;
  }
  if (call.Kind == moji::SurfaceCallKind::CreatePen || call.Kind == moji::SurfaceCallKind::SelectPen) {
    char pen[64];
    std::snprintf(pen, sizeof pen, " %d %d %06x", call.Pen.Style, call.Pen.Width, call.Pen.Color);
    return line + pen;
  }
  for (const moji::POINT& point : call.Points) {
    line += " " + std::to_string(point.x) + "," + std::to_string(point.y);
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: behaviour_digest FACE FIRST LAST\n";
    return 2;
  }
  QApplication app(argc, argv);
  moji::GraphicsServices gdi;
  moji::Main window(gdi);
  window.Form_Load();
  window.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
  auto* combo1 = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
  std::cout << "face list:\n";
  for (int i = 0; i < combo1->count(); ++i) std::cout << combo1->itemText(i).toStdString() << '\n';
  const int entry = combo1->findText(QString::fromUtf8(argv[1]));
  if (entry < 0) {
    std::cerr << "behaviour_digest: no entry " << argv[1] << '\n';
    return 2;
  }
  combo1->setCurrentIndex(entry);
  window.Combo1_Click();
  auto* picture1 = window.findChild<moji::PictureBox*>(QStringLiteral("Picture1"));
  const unsigned first = std::stoul(argv[2], nullptr, 16), last = std::stoul(argv[3], nullptr, 16);
  for (char32_t codePoint = first; codePoint <= last; ++codePoint) {
    const std::u16string text = QString::fromUcs4(&codePoint, 1).toStdU16String();
    moji::RecordingSurface recording(gdi);
    moji::DrawingSurface* raster = std::exchange(picture1->Dc().Surface, &recording);
    window.GetKestrineProc(text);
    picture1->Dc().Surface = raster;
    std::cout << "== U+" << std::hex << unsigned(codePoint) << std::dec << '\n'
              << moji::Utf8(window.ReportText());
    for (const moji::SurfaceCall& call : recording.Calls()) std::cout << CallLine(call) << '\n';
  }
  return 0;
}
