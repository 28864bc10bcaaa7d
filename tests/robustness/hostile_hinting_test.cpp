// Glyphs whose TrueType instructions fail, and a face whose control value program never ends (the
// font set ctest builds with make_hinting_fonts.py): FreeType's limits end them, the hinted
// outline is then the unhinted one, and nothing of a failure stays behind for the next request.

#include <QTest>
#include <string_view>
#include <utility>
#include <vector>

#include "inspect/hinting_moves.h"
#include "platform/graphics_services.h"
#include "platform/hinted_glyph.h"

using namespace moji;

namespace {

/// The face of that family in the set, or nullptr where the set lacks it (the engine would
/// substitute another).
const FontFace* FaceNamed(FontEngine& engine, const char* family) {
  const FontFace* face = engine.Resolve(family);
  return face != nullptr && face->FamilyName == family ? face : nullptr;
}

/// Every way of asking for the font's own hints: small, middling and largest sizes, grey and
/// mono, both interpreters.
std::vector<HintingRequest> FontHintRequests() {
  std::vector<HintingRequest> requests;
  for (const std::int32_t ppem : {kSmallestPpem, 16, kLargestPpem}) {
    for (const Antialiasing antialias : {Antialiasing::Grey, Antialiasing::Mono}) {
      for (const TrueTypeInterpreter version : {TrueTypeInterpreter::V40, TrueTypeInterpreter::V35}) {
        requests.push_back({ppem, HintingMode::Font, antialias, version});
      }
    }
  }
  return requests;
}

}  // namespace

class HostileHintingTest : public QObject {
  Q_OBJECT

 private:
  GraphicsServices gdi_;
  const FontFace* hostile_ = nullptr;
  const FontFace* prepLoop_ = nullptr;
  /// Each glyph whose hinting fails: "A" to "H" but "G" of the hostile face, "G" of the face whose
  /// control value program never ends, "A" of 3,000 points in the longest loop.
  std::vector<std::pair<const FontFace*, char32_t>> failing_;

 private slots:
  void initTestCase() {
    hostile_ = FaceNamed(gdi_.Fonts(), "Moji Hinting Hostile");
    prepLoop_ = FaceNamed(gdi_.Fonts(), "Moji Hinting Prep Loop");
    const FontFace* longLoop = FaceNamed(gdi_.Fonts(), "Moji Hinting Long Loop");
    if (hostile_ == nullptr && qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
      QSKIP("the hinting font set is made by ctest");
    QVERIFY(hostile_ != nullptr && prepLoop_ != nullptr && longLoop != nullptr);
    for (const char32_t c : std::u32string_view(U"ABCDEFH")) failing_.emplace_back(hostile_, c);
    failing_.emplace_back(prepLoop_, U'G');
    failing_.emplace_back(longLoop, U'A');
  }

  void failingInstructionsGiveTheUnhintedOutline() {
    FontEngine& engine = gdi_.Fonts();
    for (const HintingRequest& request : FontHintRequests()) {
      HintingRequest unhintedRequest = request;
      unhintedRequest.Hinting = HintingMode::None;
      for (const auto& [face, c] : failing_) {
        const QByteArray what = face->FamilyName.c_str() + QByteArray(" ") + char(c) + " " +
                                QByteArray::number(request.Ppem);
        const HintedGlyph glyph = LoadHintedGlyph(engine, *face, c, request);
        const HintedGlyph unhinted = LoadHintedGlyph(engine, *face, c, unhintedRequest);
        QVERIFY2(glyph.Found && glyph.HintingFailed && !unhinted.HintingFailed, what);
        QVERIFY2(glyph.Hinted == glyph.Unhinted && glyph.Unhinted == unhinted.Unhinted, what);
        QVERIFY2(glyph.Bitmap == unhinted.Bitmap && !glyph.Bitmap.Pixels.empty(), what);
        QCOMPARE(glyph.HintedAdvance, unhinted.UnhintedAdvance);
        QVERIFY2(!MovesOfHinting(glyph.Unhinted, glyph.Hinted).Largest, what);
        // The glyph whose program ends is hinted after every failure: its apex on the grid.
        const HintedGlyph good = LoadHintedGlyph(engine, *hostile_, U'G', request);
        QVERIFY2(good.Found && !good.HintingFailed && good.Hinted.Points.size() == 3, what);
        QCOMPARE(good.Hinted.Points[2].Y % 64, 0);
      }
    }
  }

  // The autohinter reads no instructions: the same glyphs hint with it.
  void autohinterHintsTheSameGlyphs() {
    for (const HintingMode mode : {HintingMode::None, HintingMode::Light, HintingMode::Auto}) {
      for (const auto& [face, c] : failing_) {
        const HintingRequest request{16, mode, Antialiasing::Grey, TrueTypeInterpreter::V40};
        const HintedGlyph glyph = LoadHintedGlyph(gdi_.Fonts(), *face, c, request);
        QVERIFY(glyph.Found && !glyph.HintingFailed && !glyph.Hinted.Points.empty());
        QCOMPARE(glyph.Hinted.Points.size(), glyph.Unhinted.Points.size());
      }
    }
  }

  // A face hints the same in an engine that has met every failure as in a fresh one.
  void failuresLeaveNothingBehind() {
    const HintingRequest requests[] = {
        {16, HintingMode::Font, Antialiasing::Grey, TrueTypeInterpreter::V40},
        {32, HintingMode::Font, Antialiasing::Mono, TrueTypeInterpreter::V40},
        {16, HintingMode::Font, Antialiasing::Grey, TrueTypeInterpreter::V35}};
    for (const HintingRequest& request : requests) {
      GraphicsServices fresh;
      const FontFace* ipa = FaceNamed(fresh.Fonts(), "IPAGothic");
      QVERIFY(ipa != nullptr);
      const HintedGlyph expected = LoadHintedGlyph(fresh.Fonts(), *ipa, U'龍', request);
      for (const auto& [face, c] : failing_) LoadHintedGlyph(gdi_.Fonts(), *face, c, request);
      const HintedGlyph after =
          LoadHintedGlyph(gdi_.Fonts(), *FaceNamed(gdi_.Fonts(), "IPAGothic"), U'龍', request);
      QVERIFY(expected.Found && !expected.HintingFailed && expected.Hinted != expected.Unhinted);
      QVERIFY(after == expected);
    }
  }
};

QTEST_APPLESS_MAIN(HostileHintingTest)
#include "hostile_hinting_test.moc"
