#include "display/glyph_outline_fetch.h"

#include <utility>
#include <vector>

#include "native/native_reader.h"
#include "platform/gdi_objects.h"
#include "platform/glyph_outline_service.h"

namespace moji {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Selects a font created from the description for the life of the object, then puts the
// previous font back and deletes the created one, on every way out.
class SelectedFont {
 public:
  SelectedFont(DeviceContext& hdc, const LOGFONTA& description)
      : hdc_(hdc), font_(hdc.Services.CreateFontIndirectA(description)),
        previous_(SelectObject(hdc, font_)) {}
  ~SelectedFont() { Release(); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

  void Release() {
    if (font_ == 0) return;
    hdc_.Services.DeleteObject(SelectObject(hdc_, previous_ != 0 ? previous_ : kStockFont));
    font_ = 0;
  }

 private:
  DeviceContext& hdc_;
  HGDIOBJ font_;
  HGDIOBJ previous_;
};

MAT2 IdentityMatrix() {
  MAT2 matrix{};
  matrix.eM11.value = 1;
  matrix.eM22.value = 1;
  return matrix;
}

/// The native outline of `code` in the described font, asked for in two requests (its size,
/// then its bytes) with the font selected only meanwhile; empty where there is none or it has
/// no contours.
std::vector<std::uint8_t> NativeOutlineBytes(DeviceContext& hdc, std::uint32_t code,
                                             std::uint32_t format, const LOGFONTA& font,
                                             std::optional<NativeGlyph>* details) {
  const MAT2 identity = IdentityMatrix();
  SelectedFont selected(hdc, font);
  // The size query also tells which glyph it is, even where the face has none for the character.
  const std::int32_t size = GetGlyphOutlineA(hdc, code, format, nullptr, 0, nullptr, &identity, details);
  if (size <= 0) return {};
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size), 0);
  GetGlyphOutlineA(hdc, code, format, nullptr, static_cast<std::uint32_t>(size), buffer.data(),
                   &identity);
  return buffer;
}

}  // namespace

std::u16string FirstCharacter(const std::u16string& text) {
  if (text.empty()) return {};
  if (text.size() >= 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1])) {
    return text.substr(0, 2);
  }
  return text.substr(0, 1);
}

std::optional<std::uint32_t> CodePointOf(const std::u16string& character) {
  if (character.size() == 2) {
    return 0x10000u + ((static_cast<std::uint32_t>(character[0]) - 0xD800u) << 10) +
           (static_cast<std::uint32_t>(character[1]) - 0xDC00u);
  }
  if (character.empty() || IsHighSurrogate(character[0]) || IsLowSurrogate(character[0])) {
    return std::nullopt;
  }
  return character[0];
}

GlyphOutline FetchGlyphOutline(DeviceContext& hdc, std::u16string text, const LOGFONTA& font,
                               std::optional<NativeGlyph>* details) {
  if (details != nullptr) details->reset();
  if (text.empty()) return {};
  const std::u16string character = FirstCharacter(text);
  const std::int32_t height = font.lfHeight;
  if (height < 2) return {};
  // A lone surrogate is no character at all: nothing to ask the engine for.
  const std::optional<std::uint32_t> codePoint = CodePointOf(character);
  if (!codePoint) return {};
  const std::vector<std::uint8_t> buffer = NativeOutlineBytes(hdc, *codePoint, GGO_NATIVE, font, details);
  if (buffer.empty()) return {};
  return WalkNativeOutline(buffer, static_cast<float>(1.0 / height), character);
}

GlyphOutline FetchGlyphOutlineByIndex(DeviceContext& hdc, std::uint32_t glyphIndex,
                                      const std::u16string& name, const LOGFONTA& font,
                                      std::optional<NativeGlyph>* details) {
  if (details != nullptr) details->reset();
  const std::int32_t height = font.lfHeight;
  if (height < 2) return {};
  const std::vector<std::uint8_t> buffer =
      NativeOutlineBytes(hdc, glyphIndex, GGO_NATIVE | GGO_GLYPH_INDEX, font, details);
  if (buffer.empty()) return {};
  return WalkNativeOutline(buffer, static_cast<float>(1.0 / height), name);
}

}  // namespace moji
