#pragma once
// The Japanese sentence that tells what one construction step does.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "inspect/construction_steps.h"

namespace moji {

/// Which template a sentence, or a point named inside one, is made from.
enum class SentenceKey : std::uint8_t {
  StartFirstPoint,
  StartLastPoint,
  StartMidpoint,
  /// A midpoint start whose two points' numbers are unknown.
  StartMidpointUnnumbered,
  Line,
  /// A quadratic piece ending at the point implied between two controls.
  QuadraticToImplied,
  /// The last piece of a B-spline run, ending on the run's last point.
  QuadraticToPoint,
  /// The last piece of a B-spline run that ends the contour at its start point.
  QuadraticToStart,
  Cubic,
  CubicToStart,
  Close,
  /// The close of a block whose last point already is its start.
  CloseInPlace,
  /// The phrases that name a point inside a sentence.
  Point,
  PointUnnumbered,
  StartPoint,
  Implied,
  ImpliedUnnumbered,
  Control,
  ControlUnnumbered,
};

/// One template: its key and its text with named placeholders in braces.
struct SentenceTemplate {
  SentenceKey Key;
  std::u16string_view Text;
};

/// Every text of the step sentences, in the order of SentenceKey. Placeholders: {block}
/// {curve}; {x} {y} a position; {n} {a} {b} {first} {last} point numbers; {to} {from}
/// {control} {control1} {control2} named points; {cx1} {cy1} {cx2} {cy2} cubic controls.
inline constexpr std::array kSentenceTemplates{
    SentenceTemplate{SentenceKey::StartFirstPoint,
                     u"ブロック [ {block} ] 始点 ( {x} , {y} ) ：最初の点が曲線上にあるので、そこから始める"},
    SentenceTemplate{SentenceKey::StartLastPoint,
                     u"ブロック [ {block} ] 始点 ( {x} , {y} ) ：最初の点 {first} が制御点で、最後の点 {last} "
                     u"が曲線上にあるので、点 {last} から始める"},
    SentenceTemplate{SentenceKey::StartMidpoint,
                     u"ブロック [ {block} ] 始点 ( {x} , {y} ) ：最初の点 {first} も最後の点 {last} "
                     u"も制御点なので、その中点から始める"},
    SentenceTemplate{SentenceKey::StartMidpointUnnumbered,
                     u"ブロック [ {block} ] 始点 ( {x} , {y} ) ：最初の点も最後の点も制御点なので、その中点から始める"},
    SentenceTemplate{SentenceKey::Line, u"カーブ [ {curve} ] 折れ線：{to} まで直線を引く"},
    SentenceTemplate{SentenceKey::QuadraticToImplied,
                     u"カーブ [ {curve} ] Bスプライン：{to} が曲線上の点になり、3次ベジェの制御点 ( {cx1} , "
                     u"{cy1} ) ( {cx2} , {cy2} ) で描く"},
    SentenceTemplate{SentenceKey::QuadraticToPoint,
                     u"カーブ [ {curve} ] Bスプライン：{control} に引かれて曲線上の{to} まで、3次ベジェの制御点 "
                     u"( {cx1} , {cy1} ) ( {cx2} , {cy2} ) で描く"},
    SentenceTemplate{SentenceKey::QuadraticToStart,
                     u"カーブ [ {curve} ] Bスプライン：{control} に引かれて始点 ( {x} , {y} ) に戻り、3次ベジェの"
                     u"制御点 ( {cx1} , {cy1} ) ( {cx2} , {cy2} ) で描く"},
    SentenceTemplate{SentenceKey::Cubic,
                     u"カーブ [ {curve} ] 3次ベジェ：{control1} と {control2} に引かれて曲線上の{to} まで描く"},
    SentenceTemplate{SentenceKey::CubicToStart,
                     u"カーブ [ {curve} ] 3次ベジェ：{control1} と {control2} に引かれて始点 ( {x} , {y} ) に戻る"},
    SentenceTemplate{SentenceKey::Close,
                     u"ブロック [ {block} ] 閉じる：{from} から始点 ( {x} , {y} ) へ直線で戻る"},
    SentenceTemplate{SentenceKey::CloseInPlace,
                     u"ブロック [ {block} ] 閉じる：最後の点が始点 ( {x} , {y} ) にあるので、そのまま閉じる"},
    SentenceTemplate{SentenceKey::Point, u"点 {n} ( {x} , {y} )"},
    SentenceTemplate{SentenceKey::PointUnnumbered, u"点 ( {x} , {y} )"},
    SentenceTemplate{SentenceKey::StartPoint, u"始点 ( {x} , {y} )"},
    SentenceTemplate{SentenceKey::Implied, u"制御点 {a} と {b} の中点 ( {x} , {y} )"},
    SentenceTemplate{SentenceKey::ImpliedUnnumbered, u"中点 ( {x} , {y} )"},
    SentenceTemplate{SentenceKey::Control, u"制御点 {n} ( {x} , {y} )"},
    SentenceTemplate{SentenceKey::ControlUnnumbered, u"制御点 ( {x} , {y} )"},
};

static_assert(
    [] {
      for (std::size_t k = 0; k < kSentenceTemplates.size(); ++k) {
        if (kSentenceTemplates[k].Key != static_cast<SentenceKey>(k)) return false;
      }
      const auto keyCount = static_cast<std::size_t>(SentenceKey::ControlUnnumbered) + 1;
      return kSentenceTemplates.size() == keyCount;
    }(),
    "kSentenceTemplates lists the keys in their order");

/// The sentence of a step of an outline in font heights: what it draws, from which points,
/// with coordinates as the report prints them.
std::u16string StepSentence(const ConstructionStep& step);

}  // namespace moji
