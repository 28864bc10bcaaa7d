#pragma once
// The face names of font descriptions, and the faces they stand for.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/face_identity.h"

namespace moji {

/// Maps the face name of a font description (31 bytes at most, the contract between the
/// drawing and the engine) to the face it stands for, and back. An installed family in its most
/// regular style, at its default instance, goes by its own name. Every other face (a style, an
/// instance or axis values, a face of a font file) goes by a name of
/// the registry's own: the byte 0xFF and a number. That byte begins no UTF-8 text, so no
/// installed family can have such a name, and a number stays short however many faces are
/// named.
class FaceRegistry {
 public:
  /// The face name that draws from `face`; the same name for the same face, always.
  std::string NameOf(const FaceIdentity& face);
  /// The face a name stands for: a face the registry named, else the installed family of that
  /// name in its most regular style. Nothing for a registry name it never gave out.
  std::optional<FaceIdentity> IdentityOf(std::string_view faceName) const;

 private:
  std::vector<FaceIdentity> named_;
};

}  // namespace moji
