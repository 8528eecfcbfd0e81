// The quad rasteriser: coverage of the two triangles, texture sampling and blending, row by row.
#include "raster/quad_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "raster/quad_shading.h"

namespace {

struct Vertex {
  double x, y;  // screen pixels
  double u, v;  // texels: 0 to width across the image, 0 to height down it
};

// One edge of a triangle, always taken from its upper end (the left one if level) so that two
// triangles sharing it compute the very same crossings and split its pixels without gap or overlap.
struct Edge {
  double topX, topY, bottomY;
  double slope;  // x per y

  Edge(const Vertex& p, const Vertex& q) {
    const bool pFirst = p.y < q.y || (p.y == q.y && p.x < q.x);
    const Vertex& top = pFirst ? p : q;
    const Vertex& bottom = pFirst ? q : p;
    topX = top.x;
    topY = top.y;
    bottomY = bottom.y;
    slope = bottom.y > top.y ? (bottom.x - top.x) / (bottom.y - top.y) : 0.0;
  }
  // A level edge crosses no row; others cross the rows whose centre lies in [topY, bottomY).
  bool Crosses(double rowCentre) const { return topY <= rowCentre && rowCentre < bottomY; }
  double XAt(double rowCentre) const { return topX + (rowCentre - topY) * slope; }
};

// The first whole pixel whose centre lies at or beyond `edge`, kept within [low, high].
int FirstCentreFrom(double edge, int low, int high) {
  const double first = std::ceil(edge - 0.5);
  if (!(first > double(low))) return low;  // NaN included
  if (first > double(high)) return high;
  return int(first);
}

// Texels per pixel of the mapping, the larger of the two screen directions: above 1 the image is
// drawn smaller than it is.
double TexelsPerPixel(double dudx, double dvdx, double dudy, double dvdy) {
  return std::max(std::hypot(dudx, dvdx), std::hypot(dudy, dvdy));
}

void DrawTriangle(const Vertex& a, const Vertex& b, const Vertex& c, const QuadShader& shader,
                  PixelArea target, int firstRow, int endRow) {
  const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (!(area != 0.0) || !std::isfinite(area)) return;
  const double dudx = ((b.u - a.u) * (c.y - a.y) - (c.u - a.u) * (b.y - a.y)) / area;
  const double dudy = ((c.u - a.u) * (b.x - a.x) - (b.u - a.u) * (c.x - a.x)) / area;
  const double dvdx = ((b.v - a.v) * (c.y - a.y) - (c.v - a.v) * (b.y - a.y)) / area;
  const double dvdy = ((c.v - a.v) * (b.x - a.x) - (b.v - a.v) * (c.x - a.x)) / area;
  const bool filtered = shader.Filters(TexelsPerPixel(dudx, dvdx, dudy, dvdy));
  const double offset = filtered ? 0.5 : 0.0;  // bilinear weights count from texel centres

  const Edge edges[3] = {Edge(a, b), Edge(b, c), Edge(c, a)};
  const double top = std::min({a.y, b.y, c.y});
  const double bottom = std::max({a.y, b.y, c.y});
  const int rowBegin = FirstCentreFrom(top, firstRow, endRow);
  const int rowEnd = FirstCentreFrom(bottom, firstRow, endRow);
  for (int row = rowBegin; row < rowEnd; ++row) {
    const double centreY = row + 0.5;
    double left = INFINITY;
    double right = -INFINITY;
    for (const Edge& edge : edges) {
      if (!edge.Crosses(centreY)) continue;
      const double x = edge.XAt(centreY);
      left = std::min(left, x);
      right = std::max(right, x);
    }
    const int columnBegin = FirstCentreFrom(left, 0, target.width);
    const int columnEnd = FirstCentreFrom(right, 0, target.width);
    if (columnBegin >= columnEnd) continue;
    const double centreX = columnBegin + 0.5;
    const double u = a.u + dudx * (centreX - a.x) + dudy * (centreY - a.y) - offset;
    const double v = a.v + dvdx * (centreX - a.x) + dvdy * (centreY - a.y) - offset;
    std::uint32_t* pixels = target.pixels + std::size_t(row) * std::size_t(target.width) + columnBegin;
    shader.Span(pixels, columnEnd - columnBegin, filtered, u, v, dudx, dvdx);
  }
}

// An unturned quad (corners 0 and 2 above each other, 0 and 1 level) covers a rectangle and maps the
// texture the same way in both of its triangles; drawn row by row with the vertical filtering done
// once per row.
bool IsUnturned(const QuadPaint& quad) {
  return quad.x[0] == quad.x[2] && quad.x[1] == quad.x[3] && quad.y[0] == quad.y[1] && quad.y[2] == quad.y[3];
}

void DrawRectangle(const QuadPaint& quad, const QuadShader& shader, PixelArea target, int firstRow,
                   int endRow) {
  const double width = quad.x[1] - quad.x[0];
  const double height = quad.y[2] - quad.y[0];
  if (!(width != 0.0) || !(height != 0.0)) return;
  const double dudx = quad.textureWidth / width;
  const double dvdy = quad.textureHeight / height;
  const bool filtered = shader.Filters(TexelsPerPixel(dudx, 0.0, 0.0, dvdy));
  const double offset = filtered ? 0.5 : 0.0;
  const int columnBegin = FirstCentreFrom(std::min(quad.x[0], quad.x[1]), 0, target.width);
  const int columnEnd = FirstCentreFrom(std::max(quad.x[0], quad.x[1]), 0, target.width);
  const int rowBegin = FirstCentreFrom(std::min(quad.y[0], quad.y[2]), firstRow, endRow);
  const int rowEnd = FirstCentreFrom(std::max(quad.y[0], quad.y[2]), firstRow, endRow);
  if (columnBegin >= columnEnd) return;
  const double u = dudx * (columnBegin + 0.5 - quad.x[0]) - offset;
  for (int row = rowBegin; row < rowEnd; ++row) {
    const double v = dvdy * (row + 0.5 - quad.y[0]) - offset;
    std::uint32_t* pixels = target.pixels + std::size_t(row) * std::size_t(target.width) + columnBegin;
    shader.LevelSpan(pixels, columnEnd - columnBegin, filtered, u, v, dudx);
  }
}

}  // namespace

void RasteriseQuad(const QuadPaint& quad, PixelArea target, int firstRow, int endRow,
                   const RowKernels& kernels) {
  firstRow = std::max(firstRow, 0);
  endRow = std::min(endRow, target.height);
  if (firstRow >= endRow || target.pixels == nullptr || quad.texels == nullptr || quad.lanes == nullptr ||
      quad.textureWidth <= 0 || quad.textureHeight <= 0) {
    return;
  }
  const QuadShader shader(quad, kernels);
  if (shader.DrawsNothing()) return;
  if (IsUnturned(quad)) {
    DrawRectangle(quad, shader, target, firstRow, endRow);
    return;
  }
  const double w = quad.textureWidth;
  const double h = quad.textureHeight;
  const Vertex corners[4] = {{quad.x[0], quad.y[0], 0, 0},
                             {quad.x[1], quad.y[1], w, 0},
                             {quad.x[2], quad.y[2], 0, h},
                             {quad.x[3], quad.y[3], w, h}};
  // The strip 0, 1, 2, 3: triangles 0-1-2 and 1-2-3, sharing the edge 1-2.
  DrawTriangle(corners[0], corners[1], corners[2], shader, target, firstRow, endRow);
  DrawTriangle(corners[1], corners[2], corners[3], shader, target, firstRow, endRow);
}
