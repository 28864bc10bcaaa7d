#pragma once
// Picture1: the drawing area, a sunken frame around a persistent 200 x 200 image, kept at the
// device pixel ratio of the screen it is shown on.

#include <QFrame>
#include <optional>
#include <string>

#include "platform/device_context.h"
#include "platform/raster_surface.h"
#include "display/display_request.h"
#include "display/drawing_area_font.h"
#include "display/overlay_marks.h"

namespace moji {

/// A drawing area that keeps its picture in an image, owns a device context drawing into
/// that image, carries a font (face name and italic flag) selected into the device context,
/// and reports mouse positions in pixels of the image. The image is 200 x 200 logical pixels
/// at the screen's device pixel ratio, so lines are drawn sharp on a high-density screen; when
/// the window moves to a screen of another ratio the image is made anew, empty, and
/// `DevicePixelRatioChanged` asks for the picture again.
class PictureBox final : public QFrame {
  Q_OBJECT

 public:
  /// Width of the sunken frame around the image.
  static constexpr int kFrameWidth = 2;

  /// An empty white picture drawn through `services`; the font has no face yet and is not
  /// italic.
  explicit PictureBox(GraphicsServices& services, QWidget* parent = nullptr);
  ~PictureBox() override;
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  /// Face name of the box's font: its bytes, UTF-8 for an installed family but not for a face
  /// of a font file opened directly.
  const std::string& FontName() const { return fontName_; }
  /// Makes `face` the face of the box's font and selects the new font into the device context.
  void SetFontName(std::string face);
  /// Whether the box's font is italic.
  bool FontItalic() const { return fontItalic_; }
  /// Switches the italic style of the box's font on or off.
  void SetFontItalic(bool italic);

  /// The device context: the box's font is selected, drawing lands in the image.
  DeviceContext& Dc() { return dc_; }
  /// Fills the image with the background colour (white).
  void Clear();
  /// An outline circle in the box's foreground colour (black) and line width (1).
  void DrawCircle(float centerX, float centerY, float radius);
  /// Draws the marks of an outline over the picture.
  void DrawMarks(const OutlineMarks& marks);
  /// Rings the point at (x, y), the one chosen in the report or the large view.
  void DrawHighlight(float x, float y);
  /// Shows the image on the screen.
  void Refresh();

  /// The persistent image, at the device pixel ratio of the box's screen.
  const QImage& Image() const { return surface_.Image(); }
  /// The last circle drawn since the image was last cleared, if any.
  const std::optional<DrawnCircle>& LastCircle() const { return lastCircle_; }

 signals:
  /// A button was pressed at (x, y), in image pixels.
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
  /// The pointer moved to (x, y), with or without a button held.
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, float x, float y);
  /// A button was released at (x, y).
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
  /// The image was made anew, empty, at another device pixel ratio: draw the picture again.
  void DevicePixelRatioChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SelectFont();
  void FollowScreenRatio();
  QPointF ImagePosition(const QMouseEvent& event) const;

  RasterSurface surface_;
  DeviceContext dc_;
  DrawingAreaFont font_;
  std::string fontName_;
  bool fontItalic_ = false;
  std::optional<DrawnCircle> lastCircle_;
};

}  // namespace moji
