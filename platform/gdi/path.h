// A DC's path: the figures MoveToEx, LineTo, Polyline, Polygon, Rectangle
// and Ellipse record between BeginPath and EndPath instead of drawing. Points
// are kept in device coordinates, converted when they are recorded, as
// Windows does, so a later change of mapping mode does not move them.
#pragma once

#include <optional>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/win32.h"

namespace platform::gdi {

// One connected run of lines. A closed figure runs back to its first point.
struct Figure {
  std::vector<POINT> points;
  bool closed = false;
};

class Path {
 public:
  enum class Bracket {
    kNone,   // no path
    kOpen,   // between BeginPath and EndPath: drawing calls record
    kEnded,  // EndPath came: the path waits for PathToRegion
  };

  Bracket bracket() const { return bracket_; }
  bool open() const { return bracket_ == Bracket::kOpen; }
  const std::vector<Figure>& figures() const { return figures_; }

  // BeginPath: any previous path is dropped.
  void Begin();
  // EndPath; false when no bracket is open.
  bool End();
  // AbortPath and the end of PathToRegion: no path at all.
  void Clear();
  // CloseFigure: the figure being drawn runs back to its start, and the next
  // line starts a new figure. False when no bracket is open.
  bool CloseFigure();

  // What the drawing calls record; the callers check open() first.
  void MoveTo(POINT point);
  // A line from the current position: it continues the open figure, or
  // starts a new one at `from`.
  void LineTo(POINT from, POINT to);
  void AddFigure(std::vector<POINT> points, bool closed);

 private:
  // The figure LineTo continues, or null when the next line starts anew.
  Figure* OpenFigure();

  Bracket bracket_ = Bracket::kNone;
  std::vector<Figure> figures_;
};

// PathToRegion's region: every figure of the path, closed.
std::optional<Region> PathRegion(const Path& path, int fill_mode);

// The corners of Rectangle's figure and the outline of Ellipse's, in device
// coordinates and drawing order (counter-clockwise from the right, as
// Windows records them). Windows leaves out the right and bottom edges of
// the box; empty when the box has no width or height.
std::vector<POINT> RectangleFigure(POINT corner1, POINT corner2);
std::vector<POINT> EllipseFigure(POINT corner1, POINT corner2);

}  // namespace platform::gdi
