#include "platform/recording_surface.h"

#include <utility>

namespace moji {
namespace {

const char* KindName(SurfaceCallKind kind) {
  switch (kind) {
    case SurfaceCallKind::CreatePen: return "CreatePen";
    case SurfaceCallKind::SelectPen: return "SelectPen";
    case SurfaceCallKind::DeleteObject: return "DeleteObject";
    case SurfaceCallKind::Polyline: return "Polyline";
    case SurfaceCallKind::PolyBezier: return "PolyBezier";
  }
  return "?";
}

}  // namespace

SurfaceCall SurfaceCall::PenCreated(HGDIOBJ pen, const PenDescription& description) {
  return {SurfaceCallKind::CreatePen, pen, description, {}};
}

SurfaceCall SurfaceCall::PenSelected(HGDIOBJ pen, const PenDescription& description) {
  return {SurfaceCallKind::SelectPen, pen, description, {}};
}

SurfaceCall SurfaceCall::ObjectDeleted(HGDIOBJ object) {
  return {SurfaceCallKind::DeleteObject, object, {}, {}};
}

SurfaceCall SurfaceCall::Polyline(std::vector<POINT> points) {
  return {SurfaceCallKind::Polyline, 0, {}, std::move(points)};
}

SurfaceCall SurfaceCall::PolyBezier(std::vector<POINT> points) {
  return {SurfaceCallKind::PolyBezier, 0, {}, std::move(points)};
}

std::ostream& operator<<(std::ostream& out, const SurfaceCall& call) {
  out << KindName(call.Kind) << '{';
  switch (call.Kind) {
    case SurfaceCallKind::CreatePen:
    case SurfaceCallKind::SelectPen:
      out << "pen 0x" << std::hex << call.Object << " style " << std::dec << call.Pen.Style
          << " width " << call.Pen.Width << " colour 0x" << std::hex << call.Pen.Color << std::dec;
      break;
    case SurfaceCallKind::DeleteObject: out << "0x" << std::hex << call.Object << std::dec; break;
    case SurfaceCallKind::Polyline:
    case SurfaceCallKind::PolyBezier:
      for (std::size_t i = 0; i < call.Points.size(); ++i) {
        out << (i == 0 ? "" : " ") << '(' << call.Points[i].x << ',' << call.Points[i].y << ')';
      }
      break;
  }
  return out << '}';
}

RecordingSurface::RecordingSurface(GraphicsServices& services) : services_(services) {
  services_.AddObserver(this);
}

RecordingSurface::~RecordingSurface() { services_.RemoveObserver(this); }

void RecordingSurface::SelectPen(HGDIOBJ pen, const PenDescription& description) {
  calls_.push_back(SurfaceCall::PenSelected(pen, description));
}

void RecordingSurface::Polyline(std::span<const POINT> points) {
  calls_.push_back(SurfaceCall::Polyline({points.begin(), points.end()}));
}

void RecordingSurface::PolyBezier(std::span<const POINT> points) {
  calls_.push_back(SurfaceCall::PolyBezier({points.begin(), points.end()}));
}

void RecordingSurface::PenCreated(HGDIOBJ pen, const PenDescription& description) {
  calls_.push_back(SurfaceCall::PenCreated(pen, description));
}

void RecordingSurface::ObjectDeleted(HGDIOBJ object) {
  calls_.push_back(SurfaceCall::ObjectDeleted(object));
}

}  // namespace moji
