#include "cli/pixel_report.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "cli/command_output.h"
#include "inspect/hinting_moves.h"
#include "inspect/pixel_outline.h"
#include "platform/unicode_names.h"
#include "report/outline_report.h"

namespace moji {
namespace {

constexpr std::array<std::pair<HintingMode, std::string_view>, 4> kHintingNames = {
    {{HintingMode::None, "none"},
     {HintingMode::Light, "light"},
     {HintingMode::Auto, "auto"},
     {HintingMode::Font, "font"}}};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double Pixels(std::int64_t units26Dot6) { return static_cast<double>(units26Dot6) / 64.0; }

QJsonArray EndsJson(const ScaledOutline& outline) {
  QJsonArray ends;
  for (const std::size_t end : outline.Ends) ends.append(static_cast<qint64>(end));
  return ends;
}

QJsonObject PlaceJson(std::size_t index, const PixelPoint& place) {
  return {{"index", static_cast<qint64>(index)}, {"x", Pixels(place.X)}, {"y", Pixels(place.Y)}};
}

QJsonObject PointJson(const PointMove& move, const ScaledOutline& hinted) {
  const bool onCurve =
      move.Hinted < hinted.Kinds.size() && hinted.Kinds[move.Hinted] == PointKind::OnCurve;
  return {{"fontPoint", move.FontNumber},
          {"onCurve", onCurve},
          {"unhinted", PlaceJson(move.Unhinted, move.From)},
          {"hinted", PlaceJson(move.Hinted, move.To)},
          {"moved", move.Distance}};
}

QJsonObject BitmapJson(const GlyphBitmap& bitmap) {
  const QByteArray bytes(reinterpret_cast<const char*>(bitmap.Pixels.data()),
                         static_cast<qsizetype>(bitmap.Pixels.size()));
  return {{"width", bitmap.Width},
          {"rows", bitmap.Rows},
          {"pitch", bitmap.Pitch},
          {"left", bitmap.Left},
          {"top", bitmap.Top},
          {"mode", bitmap.Mode == Antialiasing::Mono ? "mono" : "grey"},
          {"pixels", QString::fromLatin1(bytes.toHex())}};
}

/// Which glyph of which face it is, named as the JSON of the outline in font heights names it.
void AddIdentity(QJsonObject& json, const DisplayedGlyph& shown) {
  const NativeGlyph none;
  const NativeGlyph& details = shown.Glyph ? *shown.Glyph : none;
  json["face"] = Text(details.Family);
  json["file"] = Text(details.File);
  json["faceIndex"] = details.FaceIndex;
  json["codePoint"] = shown.CodePoint ? QJsonValue(static_cast<qint64>(*shown.CodePoint)) : QJsonValue();
  json["glyphIndex"] = static_cast<qint64>(details.GlyphIndex);
  json["glyphName"] = Text(details.GlyphName);
  json["unicodeName"] = Text(shown.UnicodeName);
  json["unitsPerEm"] = static_cast<qint64>(details.Units.UnitsPerEm);
}

void AddRequest(QJsonObject& json, const HintedGlyph& glyph) {
  json["ppem"] = glyph.Request.Ppem;
  json["hinting"] = Text(HintingModeName(glyph.Request.Hinting));
  json["interpreter"] = glyph.Request.Interpreter == TrueTypeInterpreter::V35 ? 35 : 40;
  json["antialiasing"] = glyph.Request.Antialias == Antialiasing::Mono ? "mono" : "grey";
  json["hintingFailed"] = glyph.HintingFailed;
}

void AddMoves(QJsonObject& json, const HintedGlyph& glyph) {
  const HintingMoves moves = MovesOfHinting(glyph.Unhinted, glyph.Hinted);
  QJsonArray points;
  for (const PointMove& move : moves.Moves) points.append(PointJson(move, glyph.Hinted));
  json["points"] = points;
  json["unmovedPoints"] = static_cast<qint64>(moves.Unmoved.size());
  json["largestMove"] = moves.Largest
                            ? QJsonValue(QJsonObject{{"point", static_cast<qint64>(*moves.Largest)},
                                                     {"moved", moves.Moves[*moves.Largest].Distance}})
                            : QJsonValue();
}

/// "hinting failed for U+0041 in Family at 16 ppem; ...".
}  // namespace

std::string FailedHintingMessage(const HintedGlyph& glyph, const DisplayedGlyph& shown) {
  const std::string family = shown.Glyph ? shown.Glyph->Family : std::string();
  return "hinting failed for " + CodePointLabel(shown.CodePoint.value_or(0)) + " in " + family +
         " at " + std::to_string(glyph.Request.Ppem) + " ppem; the outline is reported unhinted";
}

std::optional<HintingMode> HintingModeNamed(std::string_view name) {
  for (const auto& [mode, modeName] : kHintingNames) {
    if (name == modeName) return mode;
  }
  return std::nullopt;
}

std::string_view HintingModeName(HintingMode mode) {
  for (const auto& [named, modeName] : kHintingNames) {
    if (named == mode) return modeName;
  }
  return {};
}

std::string PixelJson(const HintedGlyph& glyph, const DisplayedGlyph& shown) {
  QJsonObject json;
  AddIdentity(json, shown);
  AddRequest(json, glyph);
  json["advance"] = QJsonObject{{"unhinted", Pixels(glyph.UnhintedAdvance)},
                                {"hinted", Pixels(glyph.HintedAdvance)}};
  json["contourEnds"] = QJsonObject{{"unhinted", EndsJson(glyph.Unhinted)},
                                    {"hinted", EndsJson(glyph.Hinted)}};
  AddMoves(json, glyph);
  json["bitmap"] = BitmapJson(glyph.Bitmap);
  return QJsonDocument(json).toJson().toStdString();
}

int ReportAtSize(FontEngine& engine, const CommandRequest& request,
                 const FetchedGlyph& fetched) {
  const HintingRequest pixels = request.Pixels.value_or(HintingRequest{});
  const HintedGlyph glyph = HintedGlyphOf(engine, fetched, pixels);
  if (glyph.HintingFailed) Warn(FailedHintingMessage(glyph, fetched.Glyph));
  if (request.Report == ReportForm::Json) return WriteToStandardOutput(PixelJson(glyph, fetched.Glyph));
  // The report names the glyph as the unscaled report does (its character, or its index and
  // name), even where it has no contours.
  GlyphOutline outline = PixelOutlineOf(glyph.Hinted, fetched.Outline.Character);
  outline.Character = fetched.Outline.Character;
  return WriteToStandardOutput(Utf8(OutlineReportText(outline)));
}

}  // namespace moji
