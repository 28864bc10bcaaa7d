#pragma once
// The window's dialogs for files: opening a font file, saving a picture or an outline, saying
// why a file could not be opened or written; and the font files a drag brings.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QDropEvent;
class QWidget;

namespace moji {

/// A file name as the file system spells it, and back.
std::string PathBytes(const QString& file);
QString PathText(const std::string& path);

/// The font file the user picks to open; empty when the dialog is cancelled.
QString AskFontFileToOpen(QWidget* parent);

/// Where to save a picture, and its pixels per drawing-area pixel (1 for SVG).
struct ImageFileChoice {
  QString Path;
  int Scale = 1;
};

/// Asks where to save a picture (PNG or SVG; a name without either gets the filter's) and, for
/// a PNG, at which scale, offering `screenScale` (a `screenScale` of 0 asks for none: the
/// picture has the screen's own); nothing when the user cancels either.
std::optional<ImageFileChoice> AskImageFileToSave(QWidget* parent, const QString& suggested,
                                                  int screenScale);

/// Asks where to save the outline as JSON; empty when the dialog is cancelled.
QString AskOutlineFileToSave(QWidget* parent, const QString& suggested);

/// Says in a message box that the file could not be opened or written, and why.
void Complain(QWidget* parent, const QString& title, const QString& what, const QString& file,
              const QString& reason);

/// The local files a drag carries; none unless it carries local files only and lets them be
/// copied (never moved: the drop must not take the file away from where it came).
QStringList DraggedFiles(const QDropEvent& event);

}  // namespace moji
