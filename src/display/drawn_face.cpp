#include "display/drawn_face.h"

#include <algorithm>

#include "platform/font_engine.h"
#include "platform/installed_faces.h"

namespace moji {

std::string ListedFamilyOfDrawnFace(std::string_view faceName) {
  const FontFace* drawn = ResolveFace(faceName);
  if (drawn == nullptr || drawn->FamilyName.empty()) return {};
  const std::string_view drawnFamily = drawn->FamilyName;

  const InstalledFontCatalog& catalog = InstalledFonts();
  for (const InstalledFamily& family : catalog.Families) {
    for (const std::size_t member : family.Fonts) {
      if (member >= catalog.Fonts.size()) continue;
      const InstalledFont& font = catalog.Fonts[member];
      // Only fonts that carry the drawn face's family name are opened to compare faces.
      const auto& names = font.FamilyNames;
      if (std::find(names.begin(), names.end(), drawnFamily) == names.end()) continue;
      if (OpenFontFile(font.File, font.Index) == drawn) return family.Name;
    }
  }
  return {};
}

}  // namespace moji
