#pragma once
// The published records that describe a font and its metrics.

#include <cstddef>
#include <cstdint>

namespace moji {

inline constexpr int LF_FACESIZE = 32;
/// The longest face name a font description holds (its last byte is the terminator).
inline constexpr std::size_t kMaxFaceNameBytes = LF_FACESIZE - 1;

/// A font description: cell height (positive) or em height (negative), style and face name bytes.
struct LOGFONTA {
  std::int32_t lfHeight;
  std::int32_t lfWidth;
  std::int32_t lfEscapement;
  std::int32_t lfOrientation;
  std::int32_t lfWeight;
  std::uint8_t lfItalic;
  std::uint8_t lfUnderline;
  std::uint8_t lfStrikeOut;
  std::uint8_t lfCharSet;
  std::uint8_t lfOutPrecision;
  std::uint8_t lfClipPrecision;
  std::uint8_t lfQuality;
  std::uint8_t lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];
};

/// Text metrics of the font selected into a device context.
struct TEXTMETRIC {
  std::int32_t tmHeight;
  std::int32_t tmAscent;
  std::int32_t tmDescent;
  std::int32_t tmInternalLeading;
  std::int32_t tmExternalLeading;
  std::int32_t tmAveCharWidth;
  std::int32_t tmMaxCharWidth;
  std::int32_t tmWeight;
  std::int32_t tmOverhang;
  std::int32_t tmDigitizedAspectX;
  std::int32_t tmDigitizedAspectY;
  std::uint8_t tmFirstChar;
  std::uint8_t tmLastChar;
  std::uint8_t tmDefaultChar;
  std::uint8_t tmBreakChar;
  std::uint8_t tmItalic;
  std::uint8_t tmUnderlined;
  std::uint8_t tmStruckOut;
  std::uint8_t tmPitchAndFamily;
  std::uint8_t tmCharSet;
};

/// Set in `tmPitchAndFamily` when the font has outlines the engine converts (TrueType, CFF or Type 1).
inline constexpr std::uint8_t TMPF_TRUETYPE = 0x04;
inline constexpr std::uint8_t DEFAULT_CHARSET = 1;
inline constexpr std::uint8_t SHIFTJIS_CHARSET = 128;

static_assert(sizeof(LOGFONTA) == 60);
static_assert(sizeof(TEXTMETRIC) == 56);

}  // namespace moji
