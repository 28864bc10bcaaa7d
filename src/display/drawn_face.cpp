#include "display/drawn_face.h"

#include "platform/font_engine.h"
#include "platform/installed_faces.h"

namespace moji {

std::string ListedFamilyOfDrawnFace(std::string_view faceName) {
  const FontFace* drawn = ResolveFace(faceName);
  if (drawn == nullptr || drawn->FamilyName.empty()) return {};
  // The drawn face is a listed font's face: the family that lists its file and index.
  const InstalledFontCatalog& catalog = InstalledFonts();
  for (const InstalledFamily& family : catalog.Families) {
    for (const std::size_t member : family.Fonts) {
      if (member >= catalog.Fonts.size()) continue;
      const InstalledFont& font = catalog.Fonts[member];
      if (font.File == drawn->File && font.Index == drawn->Index) return family.Name;
    }
  }
  return {};
}

}  // namespace moji
