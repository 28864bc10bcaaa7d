#include "platform/face_registry.h"

#include <algorithm>
#include <charconv>

namespace moji {
namespace {

constexpr char kRegistryMark = '\xFF';

}  // namespace

std::string FaceRegistry::NameOf(const FaceIdentity& face) {
  const InstalledFaceId* installed = face.AsInstalled();
  if (installed != nullptr && installed->Style.empty() && face.Variation.IsDefault()) {
    return installed->Family;
  }
  auto known = std::find(named_.begin(), named_.end(), face);
  if (known == named_.end()) known = named_.insert(named_.end(), face);
  return kRegistryMark + std::to_string(known - named_.begin());
}

std::optional<FaceIdentity> FaceRegistry::IdentityOf(std::string_view faceName) const {
  if (!faceName.starts_with(kRegistryMark)) return FaceIdentity::Installed(std::string(faceName));
  const std::string_view digits = faceName.substr(1);
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc{} || end != digits.data() + digits.size() || number >= named_.size()) {
    return std::nullopt;
  }
  return named_[number];
}

}  // namespace moji
