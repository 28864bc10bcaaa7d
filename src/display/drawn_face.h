#pragma once
// Which listed family the font engine draws for a face name.

#include <string>
#include <string_view>

namespace moji {

/// The name under which the installed face list offers the family of the face the engine
/// draws for `faceName`: that family itself, or the face the engine substitutes for a name
/// that is not installed. Empty when the drawn face belongs to no listed family.
std::string ListedFamilyOfDrawnFace(std::string_view faceName);

}  // namespace moji
