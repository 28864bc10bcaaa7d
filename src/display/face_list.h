#pragma once
// The list of installed faces that the face walk goes through: a count and a name by index.

#include <string>
#include <vector>

namespace moji {

/// Installed faces, as the face walk reads them: UTF-8 names.
class FaceList {
 public:
  virtual ~FaceList() = default;
  /// Number of faces.
  virtual int Count() = 0;
  /// Face name at `index`, 0 to Count() - 1; empty outside that range.
  virtual std::string Name(int index) = 0;
};

/// The faces installed on this system, read from the font listing when first counted.
class InstalledFaceList final : public FaceList {
 public:
  int Count() override;
  std::string Name(int index) override;

 private:
  std::vector<std::string> names_;
  bool loaded_ = false;
};

}  // namespace moji
