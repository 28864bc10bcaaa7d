#include "display/face_list.h"

#include <climits>

#include "platform/installed_faces.h"

namespace moji {

int InstalledFaceList::Count() {
  if (!loaded_) {
    names_ = InstalledFaceNames();
    loaded_ = true;
  }
  return names_.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                           : static_cast<int>(names_.size());
}

std::string InstalledFaceList::Name(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) return {};
  return names_[static_cast<std::size_t>(index)];
}

}  // namespace moji
