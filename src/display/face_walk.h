#pragma once
// The font walk: which installed faces the font engine realises as TrueType fonts.
// Plain C++: the window fills its face list with it and the command line prints it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/device_context.h"

namespace moji {

/// The face the window starts with, and the command line's default face.
inline constexpr char16_t kDefaultFace[] = u"ＭＳ ゴシック";

/// Reads the UTF-8 face name at an index of the face list.
using FaceNameAt = std::function<std::string(std::int32_t index)>;
/// Makes a UTF-8 face name the drawing area's face; returns the device context it is selected into.
using SelectDrawingFace = std::function<DeviceContext&(const std::string& faceName)>;
/// Receives a face that passed the TrueType test.
using KeepFace = std::function<void(const std::string& faceName)>;

/// Walks a face list of `count` names in order: a name beginning with "@" (a vertical-writing
/// variant) is skipped untried; any other name is made the drawing area's face and kept when
/// the metrics of the selected font report TrueType. A failed query says nothing of the face,
/// which is then not kept.
void WalkTrueTypeFaces(std::int32_t count, const FaceNameAt& nameAt,
                       const SelectDrawingFace& selectFace, const KeepFace& keep);

/// The entry of `entries` to show as current for the drawing face `face`: the entry of that
/// name, else the entry of the listed family the font engine draws for it, else -1.
std::int32_t EntryOfDrawingFace(const std::vector<std::string>& entries, std::string_view face);

}  // namespace moji
