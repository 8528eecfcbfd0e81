// Enlarged level rows: the texel columns a row needs, prepared once, then the pixels drawn from them.
#include "raster/column_row.h"

#include "raster/row_kernels.h"

namespace {

// A column that changes no pixel: nothing to add, or nothing covered.
bool IsBlank(const ColumnSample& column, bool add) {
  return add ? (column.c[0] | column.c[1] | column.c[2]) == 0 : column.c[3] == 0;
}

// Leaves out the pixels at both ends of a row whose columns are all blank: the key-coloured corners
// of a round glow, or a spark whose life has faded. Their pixels would stay as they are anyway.
void TrimBlankEnds(std::uint32_t*& pixels, int& count, const ColumnSample* columns, std::int32_t& position,
                   std::int32_t step, bool filtered, bool add) {
  const int reach = filtered ? 1 : 0;  // a filtered pixel also takes the next column
  const int lastColumn = int((position + std::int64_t(count - 1) * step) >> 16) + reach;
  int firstLit = int(position >> 16);
  while (firstLit <= lastColumn && IsBlank(columns[firstLit], add)) ++firstLit;
  if (firstLit > lastColumn) {
    count = 0;
    return;
  }
  int lastLit = lastColumn;
  while (IsBlank(columns[lastLit], add)) --lastLit;
  // The first pixel whose columns reach firstLit, and the last whose first column is lastLit.
  const std::int64_t from = (std::int64_t(firstLit - reach) << 16) - position;
  const std::int64_t skipped = from > 0 ? (from + step - 1) / step : 0;
  const std::int64_t to = ((std::int64_t(lastLit) + 1) << 16) - 1 - position;
  const std::int64_t kept = std::min<std::int64_t>(count, to / step + 1) - skipped;
  if (kept <= 0) {
    count = 0;
    return;
  }
  pixels += skipped;
  position += std::int32_t(skipped * step);
  count = int(kept);
}

}  // namespace

void EnlargedLevelRow(const SpanTexture& texture, std::uint32_t* pixels, int count, bool filtered, Fixed s,
                      Fixed ds, Fixed t, bool add, const RowKernels& kernels) {
  const int row0 = Whole(t, texture.height);
  const int row1 = filtered ? Whole(t + kFixedOne, texture.height) : row0;
  const std::uint32_t down = filtered ? Weight(t) : 0;
  const auto columnRow = add ? kernels.addColumnRow : kernels.overColumnRow;
  alignas(16) ColumnSample columns[kPiece + 3];
  for (int done = 0; done < count; done += kPiece) {
    int piece = std::min(kPiece, count - done);
    const Fixed first = s + ds * done;
    const Fixed last = first + ds * (piece - 1);
    const Fixed low = std::min(first, last) >> 16;
    // One column more than the pixels use: the filtered loop reads the next one too.
    const Fixed high = (std::max(first, last) >> 16) + 2;
    kernels.prepareColumns(columns, int(low), int(high - low + 1),
                           texture.lanes + std::size_t(row0) * std::size_t(texture.width),
                           texture.lanes + std::size_t(row1) * std::size_t(texture.width), texture.width,
                           down, texture.alpha);
    std::uint32_t* target = pixels + done;
    auto position = std::int32_t(first - (low << 16));
    const auto step = std::int32_t(ds);
    if (step > 0) TrimBlankEnds(target, piece, columns, position, step, filtered, add);
    if (filtered && step > 0 && step <= kLongRunStep) {
      (add ? kernels.addRuns : kernels.overRuns)(target, piece, columns, position, step);
    } else {
      columnRow(target, piece, columns, position, step, filtered);
    }
  }
}
