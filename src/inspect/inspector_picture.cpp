#include "inspect/inspector_picture.h"

#include "inspect/font_unit_outline.h"
#include "inspect/outline_svg.h"
#include "inspect/svg_canvas.h"

namespace moji {

InspectorScene SceneOfGlyph(const FetchedGlyph& fetched, const DrawingStyle& style,
                            const InspectorLayers& layers) {
  InspectorScene scene;
  const std::optional<NativeGlyph>& glyph = fetched.Glyph.Glyph;
  const double cell = glyph ? static_cast<double>(glyph->CellUnits()) : 0.0;
  scene.Sources = fetched.Sources();
  scene.Outline = OutlineInFontUnits(fetched.Outline, scene.Sources, cell);
  if (glyph) scene.Metrics = FontMetricsOf(*glyph);
  if (fetched.Glyph.Vertical) scene.Metrics.Vertical = fetched.Glyph.Vertical->Metrics;
  scene.Style = style;
  scene.Layers = layers;
  return scene;
}

std::string PictureTitle(const DisplayedGlyph& glyph) {
  const std::vector<std::string> lines = IdentityLines(glyph);
  std::string title = lines.empty() ? std::string() : lines.front();
  if (glyph.Glyph) title += (title.empty() ? "" : " — ") + glyph.Glyph->Family;
  return title;
}

std::optional<std::string> InspectorPictureBytes(const InspectorScene& scene,
                                                 const ViewTransform& view, int width, int height,
                                                 double ratio, ImageFormat format,
                                                 const std::string& title,
                                                 const CanvasPngMaker& makePng) {
  if (format == ImageFormat::Svg) return InspectorSvg(scene, view, width, height, title);
  return makePng(width, height, ratio, [&](Canvas& canvas) {
    DrawInspectorScene(canvas, scene, view, width, height);
  });
}

std::optional<std::string> ViewPictureBytes(int width, int height, double ratio, bool svg,
                                            const std::string& title, const CanvasPngMaker& makePng,
                                            const std::function<void(Canvas&)>& draw) {
  if (!svg) return makePng(width, height, ratio, draw);
  SvgCanvas canvas;
  draw(canvas);
  return ViewSvgDocument(width, height, title, canvas.Elements());
}

}  // namespace moji
