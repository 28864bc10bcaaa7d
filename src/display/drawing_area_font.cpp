#include "display/drawing_area_font.h"

#include <cstring>

#include "platform/font_records.h"

namespace moji {

DrawingAreaFont::~DrawingAreaFont() {
  if (font_ == 0) return;
  SelectObject(hdc_, kStockFont);
  hdc_.Services.DeleteObject(font_);
}

void DrawingAreaFont::Select(std::string_view faceName, bool italic) {
  LOGFONTA description{};
  description.lfItalic = italic ? 1 : 0;
  // A name too long for the face-name field leaves it empty: the engine then picks its
  // default face, and the display request refuses that name anyway.
  if (faceName.size() <= kMaxFaceNameBytes) {
    std::memcpy(description.lfFaceName, faceName.data(), faceName.size());
  }
  const HGDIOBJ font = hdc_.Services.CreateFontIndirectA(description);
  if (font == 0) return;
  SelectObject(hdc_, font);
  if (font_ != 0) hdc_.Services.DeleteObject(font_);
  font_ = font;
}

}  // namespace moji
