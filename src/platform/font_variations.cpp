#include "platform/font_variations.h"

#include <ft2build.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include FT_FREETYPE_H
#include FT_MULTIPLE_MASTERS_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

namespace moji {
namespace {

/// Names longer than this are cut: a name table may hold any length.
constexpr FT_UInt kLongestName = 256;

/// Appends a code point as UTF-8.
void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

/// UTF-8 of big-endian UTF-16; a lone surrogate becomes U+FFFD.
std::string FromUtf16Be(const FT_Byte* bytes, FT_UInt length) {
  std::string text;
  for (FT_UInt i = 0; i + 1 < length; i += 2) {
    char32_t unit = static_cast<char32_t>(bytes[i] << 8 | bytes[i + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < length) {
      const auto low = static_cast<char32_t>(bytes[i + 2] << 8 | bytes[i + 3]);
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? U'\uFFFD' : unit);
  }
  return text;
}

/// The text of a name record: UTF-16 on the Unicode and Windows platforms, ASCII of the
/// Macintosh one (other bytes as U+FFFD); nothing for another encoding.
std::optional<std::string> NameText(const FT_SfntName& name) {
  const FT_UInt length = std::min(name.string_len, kLongestName * 2);
  if (name.platform_id == TT_PLATFORM_APPLE_UNICODE ||
      (name.platform_id == TT_PLATFORM_MICROSOFT && name.encoding_id != TT_MS_ID_SYMBOL_CS)) {
    return FromUtf16Be(name.string, length);
  }
  if (name.platform_id != TT_PLATFORM_MACINTOSH || name.encoding_id != TT_MAC_ID_ROMAN) {
    return std::nullopt;
  }
  std::string text;
  for (FT_UInt i = 0; i < std::min(length, kLongestName); ++i) {
    AppendUtf8(text, name.string[i] < 0x80 ? name.string[i] : U'\uFFFD');
  }
  return text;
}

bool IsJapanese(const FT_SfntName& name) {
  return (name.platform_id == TT_PLATFORM_MICROSOFT && name.language_id == TT_MS_LANGID_JAPANESE_JAPAN) ||
         (name.platform_id == TT_PLATFORM_MACINTOSH && name.language_id == TT_MAC_LANGID_JAPANESE);
}

/// How English a record is: US English of Windows, then the Macintosh's English, then Unicode's.
int EnglishRank(const FT_SfntName& name) {
  if (name.platform_id == TT_PLATFORM_MICROSOFT && name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES) return 3;
  if (name.platform_id == TT_PLATFORM_MACINTOSH && name.language_id == TT_MAC_LANGID_ENGLISH) return 2;
  if (name.platform_id == TT_PLATFORM_APPLE_UNICODE) return 1;
  return 0;
}

/// The Japanese and the English text of a name ID (the English one empty where there is none).
struct Names {
  std::string Japanese;
  std::string English;
};

Names NamesOf(FT_Face face, FT_UInt nameId) {
  Names names;
  int englishRank = -1;
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UInt i = 0; i < count; ++i) {
    FT_SfntName name{};
    if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != nameId) continue;
    const std::optional<std::string> text = NameText(name);
    if (!text || text->empty()) continue;
    if (IsJapanese(name) && names.Japanese.empty()) names.Japanese = *text;
    if (!IsJapanese(name) && EnglishRank(name) > englishRank) {
      englishRank = EnglishRank(name);
      names.English = *text;
    }
  }
  return names;
}

std::string TagText(FT_ULong tag) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<unsigned char>((tag >> shift) & 0xFF);
    text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  return text;
}

double DesignValue(FT_Fixed fixed) { return static_cast<double>(fixed) / 65536.0; }

/// The axis's shown and English names: the name table's entries for its name ID, FreeType's
/// own reading of them, else the tag.
void NameAxis(FT_Face face, const FT_Var_Axis& axis, VariationAxis& named) {
  const Names names = NamesOf(face, axis.strid);
  named.EnglishName = !names.English.empty() ? names.English
                      : axis.name != nullptr && axis.name[0] != '\0' ? std::string(axis.name)
                                                                      : named.Tag;
  named.Name = names.Japanese.empty() ? named.EnglishName : names.Japanese;
}

std::vector<double> DefaultCoordinates(const FaceVariations& variations) {
  std::vector<double> values;
  for (const VariationAxis& axis : variations.Axes) values.push_back(axis.Default);
  return values;
}

}  // namespace

FaceVariations ReadFaceVariations(FT_FaceRec_* face) {
  FaceVariations variations;
  FT_MM_Var* master = nullptr;
  if (face == nullptr || !FT_HAS_MULTIPLE_MASTERS(face) || FT_Get_MM_Var(face, &master) != 0) {
    return variations;
  }
  for (FT_UInt a = 0; a < master->num_axis; ++a) {
    const FT_Var_Axis& axis = master->axis[a];
    VariationAxis read{TagText(axis.tag), {}, {}, DesignValue(axis.minimum), DesignValue(axis.def),
                       DesignValue(axis.maximum), false};
    FT_UInt flags = 0;
    read.Hidden = FT_Get_Var_Axis_Flags(master, a, &flags) == 0 && (flags & FT_VAR_AXIS_FLAG_HIDDEN) != 0;
    NameAxis(face, axis, read);
    variations.Axes.push_back(std::move(read));
  }
  for (FT_UInt n = 0; master->namedstyle != nullptr && n < master->num_namedstyles; ++n) {
    const FT_Var_Named_Style& style = master->namedstyle[n];
    // Where fvar names no instance at the defaults, FreeType adds one of name ID 0 and
    // coordinates it leaves 0: it is the default instance, named as the face's own style.
    const bool added = style.strid == 0;
    NamedInstance instance;
    Names names = NamesOf(face, added ? TT_NAME_ID_TYPOGRAPHIC_SUBFAMILY : style.strid);
    if (added && names.English.empty()) names = NamesOf(face, TT_NAME_ID_FONT_SUBFAMILY);
    instance.EnglishName = names.English.empty() ? "#" + std::to_string(n + 1) : names.English;
    instance.Name = names.Japanese.empty() ? instance.EnglishName : names.Japanese;
    for (FT_UInt a = 0; a < master->num_axis; ++a) {
      const VariationAxis& axis = variations.Axes[a];
      const double value = added ? axis.Default : DesignValue(style.coords[a]);
      instance.Coordinates.push_back(std::clamp(value, axis.Minimum, std::max(axis.Minimum, axis.Maximum)));
    }
    variations.Instances.push_back(std::move(instance));
  }
  FT_Done_MM_Var(face->glyph->library, master);
  return variations;
}

int InstanceNamed(const FaceVariations& variations, std::string_view name) {
  for (std::size_t i = 0; i < variations.Instances.size(); ++i) {
    const NamedInstance& instance = variations.Instances[i];
    if (instance.Name == name || instance.EnglishName == name) return static_cast<int>(i + 1);
  }
  return 0;
}

const VariationAxis* AxisTagged(const FaceVariations& variations, std::string_view tag) {
  for (const VariationAxis& axis : variations.Axes) {
    if (axis.Tag == tag) return &axis;
  }
  return nullptr;
}

std::int32_t AxisCoordinate(const VariationAxis& axis, double value) {
  if (!std::isfinite(value)) value = axis.Default;
  const double clamped = std::clamp(value, axis.Minimum, std::max(axis.Minimum, axis.Maximum));
  // A design value of a 16.16 axis lies within ±32768, so its coordinate fits.
  return static_cast<std::int32_t>(std::lround(clamped * 65536.0));
}

std::vector<std::int32_t> DesignCoordinatesOf(const FaceVariations& variations, int instance,
                                              const FaceVariation& variation) {
  if (const int named = InstanceNamed(variations, variation.Instance); named > 0) instance = named;
  const bool listed = instance > 0 && static_cast<std::size_t>(instance) <= variations.Instances.size();
  const std::vector<double> values =
      listed ? variations.Instances[static_cast<std::size_t>(instance - 1)].Coordinates
             : DefaultCoordinates(variations);
  std::vector<std::int32_t> coordinates;
  for (std::size_t a = 0; a < variations.Axes.size(); ++a) {
    const VariationAxis& axis = variations.Axes[a];
    double value = a < values.size() ? values[a] : axis.Default;
    for (const AxisValue& given : variation.Axes) {
      if (given.Tag == axis.Tag) value = given.Value;
    }
    coordinates.push_back(AxisCoordinate(axis, value));
  }
  const bool atDefaults = std::equal(coordinates.begin(), coordinates.end(), variations.Axes.begin(),
                                     [](std::int32_t c, const VariationAxis& axis) {
                                       return c == AxisCoordinate(axis, axis.Default);
                                     });
  if (atDefaults) coordinates.clear();
  return coordinates;
}

std::vector<std::int32_t> DefaultCoordinatesOf(const FaceVariations& variations) {
  std::vector<std::int32_t> coordinates;
  for (const VariationAxis& axis : variations.Axes) coordinates.push_back(AxisCoordinate(axis, axis.Default));
  return coordinates;
}

std::vector<AxisPosition> AxisPositionsOf(const FaceVariations& variations,
                                          std::span<const std::int32_t> coordinates) {
  std::vector<AxisPosition> positions;
  for (std::size_t a = 0; a < variations.Axes.size(); ++a) {
    const VariationAxis& axis = variations.Axes[a];
    const double value = a < coordinates.size() ? coordinates[a] / 65536.0
                                                : DesignValue(AxisCoordinate(axis, axis.Default));
    positions.push_back({axis, value});
  }
  return positions;
}

int InstanceAt(const FaceVariations& variations, std::span<const std::int32_t> coordinates) {
  // The defaults written out are the defaults.
  const std::vector<std::int32_t> defaults = DefaultCoordinatesOf(variations);
  if (std::equal(defaults.begin(), defaults.end(), coordinates.begin(), coordinates.end())) coordinates = {};
  const FaceVariation none;
  for (std::size_t i = 0; i < variations.Instances.size(); ++i) {
    const std::vector<std::int32_t> own = DesignCoordinatesOf(variations, static_cast<int>(i + 1), none);
    if (std::equal(own.begin(), own.end(), coordinates.begin(), coordinates.end())) {
      return static_cast<int>(i + 1);
    }
  }
  return 0;
}

bool ApplyDesignCoordinates(FT_FaceRec_* face, std::span<const std::int32_t> coordinates) {
  std::vector<FT_Fixed> fixed(coordinates.begin(), coordinates.end());
  return FT_Set_Var_Design_Coordinates(face, static_cast<FT_UInt>(fixed.size()),
                                       fixed.empty() ? nullptr : fixed.data()) == 0;
}

}  // namespace moji
