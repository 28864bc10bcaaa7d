#include "display/displayed_glyph.h"

#include <cstdio>
#include <utility>

#include "display/face_choice.h"
#include "display/glyph_outline_fetch.h"
#include "platform/installed_faces.h"
#include "platform/unicode_names.h"

namespace moji {
namespace {

/// "U+9F8D 龍": the code point and, when it is a character to show, the character itself.
std::string CodePointLine(std::uint32_t codePoint, const std::u16string& character) {
  const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
  return control ? CodePointLabel(codePoint) : CodePointLabel(codePoint) + " " + Utf8(character);
}

/// What a glyph asked for by index or as vertical text is: whether a character names it, and
/// whether vertical text sets another glyph than horizontal text.
std::optional<std::string> RequestLine(const DisplayedGlyph& glyph) {
  if (glyph.Vertical) {
    return glyph.Vertical->Substituted()
               ? "縦書き：横書きのグリフ " + std::to_string(glyph.Vertical->HorizontalIndex) + " と別のグリフ"
               : std::string("縦書き：横書きと同じグリフ");
  }
  if (!glyph.ByIndex) return std::nullopt;
  return glyph.CodePoint ? "グリフ番号で指定：文字 " + CodePointLabel(*glyph.CodePoint) + " のグリフ"
                         : std::string("グリフ番号で指定：どの文字にも割り当てのないグリフ");
}

}  // namespace

std::string GlyphIndexLabel(std::uint32_t glyphIndex, const std::string& glyphName) {
  return "[グリフ " + std::to_string(glyphIndex) + (glyphName.empty() ? "" : " " + glyphName) + "]";
}

std::string CodePointLabel(std::uint32_t codePoint) {
  char label[16];
  std::snprintf(label, sizeof label, "U+%04X", static_cast<unsigned>(codePoint));
  return label;
}

DisplayedGlyph DescribeDisplayedGlyph(FontEngine& engine, const std::u16string& text,
                                      std::optional<NativeGlyph> details) {
  DisplayedGlyph glyph;
  glyph.Character = FirstCharacter(text);
  glyph.CodePoint = CodePointOf(glyph.Character);
  if (glyph.CodePoint) glyph.UnicodeName = UnicodeCharacterName(*glyph.CodePoint);
  glyph.Glyph = std::move(details);
  if (glyph.LacksGlyph()) {
    glyph.FacesWithGlyph =
        FamiliesWithCharacter(engine.Installed(), *glyph.CodePoint, kFacesNamedForMissingGlyph);
  }
  return glyph;
}

std::vector<std::string> IdentityLines(const DisplayedGlyph& glyph) {
  std::vector<std::string> lines;
  if (glyph.CodePoint) {
    lines.push_back(CodePointLine(*glyph.CodePoint, glyph.Character));
    lines.push_back(glyph.UnicodeName);
  }
  if (const std::optional<std::string> request = RequestLine(glyph)) lines.push_back(*request);
  if (glyph.Glyph) {
    const NativeGlyph& details = *glyph.Glyph;
    // Glyph 0 stands for a missing glyph, except where it was asked for by its index.
    const bool missing = details.GlyphIndex == 0 && !glyph.ByIndex;
    std::string index = missing ? "グリフなし" : "グリフ " + std::to_string(details.GlyphIndex);
    if (!details.GlyphName.empty()) index += " " + details.GlyphName;
    lines.push_back(index);
    // A variable face's style is its default instance's: the variation line says where it is
    // drawn. "Regular" goes without saying.
    const bool styled = details.Axes.empty() && !details.Style.empty() && details.Style != "Regular";
    lines.push_back(details.Family + (styled ? " " + details.Style : "") + " (" +
                    std::to_string(details.FaceIndex) + ")");
    if (!details.Axes.empty()) lines.push_back(VariationLine(details));
    lines.push_back(details.File);
  }
  return lines;
}

std::string VariationLine(const NativeGlyph& glyph) {
  std::string line = glyph.Instance.empty() ? "インスタンスなし" : "インスタンス " + glyph.Instance;
  for (const AxisPosition& position : glyph.Axes) {
    const VariationAxis& axis = position.Axis;
    line += "、" + axis.Name + " (" + axis.Tag + ") " + DesignValueText(position.Value) + " [" +
            DesignValueText(axis.Minimum) + "–" + DesignValueText(axis.Maximum) + "]";
  }
  return line;
}

std::string MissingGlyphLine(const DisplayedGlyph& glyph) {
  if (!glyph.LacksGlyph()) return {};
  std::string line = CodePointLine(*glyph.CodePoint, glyph.Character) + "：" +
                     glyph.Glyph->Family + " にグリフがありません。";
  if (glyph.FacesWithGlyph.empty()) return line + "グリフのあるフェイスは見つかりません";
  line += "あるフェイス：";
  for (std::size_t i = 0; i < glyph.FacesWithGlyph.size(); ++i) {
    line += (i == 0 ? "" : "、") + glyph.FacesWithGlyph[i];
  }
  return line;
}

std::string MissingGlyphMessage(const DisplayedGlyph& glyph) {
  if (!glyph.LacksGlyph()) return {};
  std::string message = glyph.Glyph->Family + " has no glyph for " +
                        CodePointLine(*glyph.CodePoint, glyph.Character);
  if (glyph.FacesWithGlyph.empty()) return message + "; no installed face has one";
  message += "; installed faces that have one: ";
  for (std::size_t i = 0; i < glyph.FacesWithGlyph.size(); ++i) {
    message += (i == 0 ? "" : ", ") + glyph.FacesWithGlyph[i];
  }
  return message;
}

HintedGlyph HintedGlyphOf(FontEngine& engine, const FetchedGlyph& fetched, const HintingRequest& request) {
  const DisplayedGlyph& shown = fetched.Glyph;
  const FontFace* face = engine.Resolve(fetched.FaceName);
  if (face == nullptr || !shown.Glyph || shown.LacksGlyph()) {
    HintedGlyph none;
    none.Request = request;
    return none;
  }
  return LoadHintedGlyphByIndex(engine, *face, shown.Glyph->GlyphIndex, request);
}

}  // namespace moji
