#include "platform/gdi/path.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/region_shapes.h"
#include "platform/gdi/shapes.h"

namespace platform::gdi {

namespace {

// Enough corners that no chord strays more than a quarter pixel from the
// curve, a multiple of four so that the ends of both axes are corners too.
size_t EllipseCorners(double radius) {
  if (radius <= 0.25) return 4;
  const double step = std::acos(1.0 - 0.25 / radius);
  const double corners = std::ceil(2.0 * std::numbers::pi / step / 4.0) * 4.0;
  return static_cast<size_t>(std::clamp(corners, 8.0, 4096.0));
}

}  // namespace

void Path::Begin() {
  figures_.clear();
  bracket_ = Bracket::kOpen;
}

bool Path::End() {
  if (!open()) return false;
  bracket_ = Bracket::kEnded;
  return true;
}

void Path::Clear() {
  figures_.clear();
  bracket_ = Bracket::kNone;
}

bool Path::CloseFigure() {
  if (!open()) return false;
  if (Figure* figure = OpenFigure()) figure->closed = true;
  return true;
}

Figure* Path::OpenFigure() {
  if (figures_.empty() || figures_.back().closed) return nullptr;
  return &figures_.back();
}

// A figure of a single point (a MoveToEx nothing continued) gives way to
// the next figure.
void Path::MoveTo(POINT point) { AddFigure({point}, /*closed=*/false); }

void Path::LineTo(POINT from, POINT to) {
  Figure* figure = OpenFigure();
  if (!figure) {
    AddFigure({from, to}, /*closed=*/false);
    return;
  }
  figure->points.push_back(to);
}

void Path::AddFigure(std::vector<POINT> points, bool closed) {
  if (points.empty()) return;
  if (Figure* last = OpenFigure(); last && last->points.size() == 1) figures_.pop_back();
  figures_.push_back(Figure{std::move(points), closed});
}

std::optional<Region> PathRegion(const Path& path, int fill_mode) {
  std::vector<std::vector<POINT>> polygons;
  for (const Figure& figure : path.figures()) {
    if (figure.points.size() >= 3) polygons.push_back(figure.points);
  }
  return PolyPolygonRegion(polygons, fill_mode);
}

std::vector<POINT> RectangleFigure(POINT corner1, POINT corner2) {
  const LONG left = std::min(corner1.x, corner2.x);
  const LONG top = std::min(corner1.y, corner2.y);
  const LONG right = std::max(corner1.x, corner2.x) - 1;
  const LONG bottom = std::max(corner1.y, corner2.y) - 1;
  if (right < left || bottom < top) return {};
  return {{right, top}, {left, top}, {left, bottom}, {right, bottom}};
}

std::vector<POINT> EllipseFigure(POINT corner1, POINT corner2) {
  const double left = std::min(corner1.x, corner2.x);
  const double top = std::min(corner1.y, corner2.y);
  const double right = std::max(corner1.x, corner2.x) - 1.0;
  const double bottom = std::max(corner1.y, corner2.y) - 1.0;
  if (right <= left || bottom <= top) return {};
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  const double rx = (right - left) / 2;
  const double ry = (bottom - top) / 2;
  const size_t corners = EllipseCorners(std::max(rx, ry));
  std::vector<POINT> points;
  points.reserve(corners);
  for (size_t i = 0; i < corners; ++i) {
    const double angle = 2.0 * std::numbers::pi * static_cast<double>(i) / corners;
    const POINT p{static_cast<LONG>(std::floor(cx + rx * std::cos(angle) + 0.5)),
                  static_cast<LONG>(std::floor(cy - ry * std::sin(angle) + 0.5))};
    if (points.empty() || p.x != points.back().x || p.y != points.back().y) points.push_back(p);
  }
  return points;
}

}  // namespace platform::gdi
