#include "display/drawing_area_font.h"

#include <cstdint>
#include <cstring>

#include "platform/font_records.h"

namespace moji {
namespace {

/// Em height of the font: 150 points at 96 pixels per inch.
constexpr std::int32_t kFontHeight = -200;
constexpr std::int32_t kNormalWeight = 400;

}  // namespace

DrawingAreaFont::~DrawingAreaFont() {
  if (font_ == 0) return;
  SelectObject(hdc_, kStockFont);
  DeleteObject(font_);
}

void DrawingAreaFont::Select(std::string_view faceName, bool italic) {
  LOGFONTA description{};
  description.lfHeight = kFontHeight;
  description.lfWeight = kNormalWeight;
  description.lfItalic = italic ? 1 : 0;
  description.lfCharSet = SHIFTJIS_CHARSET;
  // A name too long for the face-name field leaves it empty: the engine then picks its
  // default face, and the display request refuses that name anyway.
  if (faceName.size() <= kMaxFaceNameBytes) {
    std::memcpy(description.lfFaceName, faceName.data(), faceName.size());
  }
  const HGDIOBJ font = CreateFontIndirectA(description);
  if (font == 0) return;
  SelectObject(hdc_, font);
  if (font_ != 0) DeleteObject(font_);
  font_ = font;
}

}  // namespace moji
