#pragma once
// The list of installed faces that the font walk goes through: a count and a name by index.

#include <QString>
#include <string>
#include <vector>

namespace moji {

/// Installed faces, as the font walk reads them.
class ScreenFontList {
 public:
  virtual ~ScreenFontList() = default;
  /// Number of faces.
  virtual int Count() = 0;
  /// Face name at `index`, 0 to Count() - 1; empty outside that range.
  virtual QString Name(int index) = 0;
};

/// The faces installed on this system (fontconfig), read when first counted.
class InstalledScreenFonts final : public ScreenFontList {
 public:
  int Count() override;
  QString Name(int index) override;

 private:
  std::vector<std::string> names_;
  bool loaded_ = false;
};

}  // namespace moji
