#include "window/file_dialogs.h"

#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <algorithm>

#include "display/display_request.h"

namespace moji {
namespace {

QString Utf16(const char16_t* text) { return QString::fromUtf16(text); }

}  // namespace

std::string PathBytes(const QString& file) { return QFile::encodeName(file).toStdString(); }

QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

QString AskFontFileToOpen(QWidget* parent) {
  return QFileDialog::getOpenFileName(
      parent, Utf16(u"フォントファイルを開く"), QString(),
      Utf16(u"フォントファイル (*.ttf *.otf *.ttc *.otc *.woff *.woff2 *.pfb *.pfa *.t1);;すべてのファイル (*)"));
}

std::optional<ImageFileChoice> AskImageFileToSave(QWidget* parent, const QString& suggested,
                                                  int screenScale) {
  const QString png = Utf16(u"PNG 画像 (*.png)"), svg = Utf16(u"SVG 画像 (*.svg)");
  QString filter = png;
  ImageFileChoice choice;
  choice.Path = QFileDialog::getSaveFileName(parent, Utf16(u"画像を保存"), suggested,
                                             png + QStringLiteral(";;") + svg, &filter);
  if (choice.Path.isEmpty()) return std::nullopt;
  const QString suffix = QFileInfo(choice.Path).suffix().toLower();
  if (suffix != u"png" && suffix != u"svg") choice.Path += filter == svg ? u".svg" : u".png";
  if (choice.Path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) || screenScale == 0) {
    return choice;
  }
  bool chosen = false;
  choice.Scale = QInputDialog::getInt(parent, Utf16(u"画像を保存"), Utf16(u"倍率（1〜8）："),
                                      std::clamp(screenScale, 1, kLargestScale), 1,
                                      kLargestScale, 1, &chosen);
  return chosen ? std::optional(choice) : std::nullopt;
}

QString AskOutlineFileToSave(QWidget* parent, const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, Utf16(u"アウトラインを保存"), suggested,
                                      Utf16(u"JSON (*.json);;すべてのファイル (*)"));
}

void Complain(QWidget* parent, const QString& title, const QString& what, const QString& file,
              const QString& reason) {
  QMessageBox box(QMessageBox::Warning, title,
                  what + u'：' + QFileInfo(file).fileName() + u'\n' + reason, QMessageBox::Ok,
                  parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QStringList DraggedFiles(const QDropEvent& event) {
  const QMimeData* data = event.mimeData();
  if (data == nullptr || !data->hasUrls() || !(event.possibleActions() & Qt::CopyAction)) return {};
  QStringList files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    files << url.toLocalFile();
  }
  return files;
}

}  // namespace moji
