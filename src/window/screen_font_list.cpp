#include "window/screen_font_list.h"

#include <climits>

#include "platform/installed_faces.h"

namespace moji {

int InstalledScreenFonts::Count() {
  if (!loaded_) {
    names_ = InstalledFaceNames();
    loaded_ = true;
  }
  return names_.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                           : static_cast<int>(names_.size());
}

QString InstalledScreenFonts::Name(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) return {};
  const std::string& name = names_[static_cast<std::size_t>(index)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace moji
