// The scaler works one axis at a time. For each destination pixel an axis
// lists the run of source pixels it reads and, for HALFTONE, their weights
// (fixed point, adding up to exactly one). HALFTONE then sums weighted
// source rows into one row of channel sums, and weighted neighbours of that
// row into pixels (a separable box filter); the other modes
// pick or fold whole pixels.
//
// Sections: axis arithmetic; footprints (which source pixels, how much of
// each); tap tables; source rows; the nearest and folding scalers; the
// HALFTONE passes.
#include "platform/gdi/stretch.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/win32.h"

namespace platform::gdi {

namespace {

// ---------------------------------------------------------------------------
// Axis arithmetic. Index j counts along the run from the end that shows the
// first source pixel, so mirroring only changes how j is found.

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

int64_t RunIndex(const StretchAxis& axis, int64_t dst) {
  const int64_t i = dst - axis.dst_start;
  return axis.mirrored ? axis.dst_length - 1 - i : i;
}

int64_t NearestInRun(const StretchAxis& axis, int64_t j) {
  return (2 * j + 1) * axis.src_length / (2 * axis.dst_length);
}

// The first run index whose nearest source pixel is `k` or beyond;
// dst_length when there is none. The nearest pixel never decreases along
// the run.
int64_t FirstReaching(const StretchAxis& axis, int64_t k) {
  int64_t low = 0;
  int64_t high = axis.dst_length;
  while (low < high) {
    const int64_t mid = low + (high - low) / 2;
    if (NearestInRun(axis, mid) >= k) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  return low;
}

}  // namespace

int64_t StretchAxis::NearestSource(int64_t dst) const {
  return src_start + NearestInRun(*this, RunIndex(*this, dst));
}

std::pair<int64_t, int64_t> StretchAxis::Reachable(int64_t source_size) const {
  const int64_t first = FirstReaching(*this, -src_start);
  const int64_t end = FirstReaching(*this, source_size - src_start);
  if (first >= end) return {0, 0};
  if (!mirrored) return {dst_start + first, dst_start + end};
  return {dst_start + dst_length - end, dst_start + dst_length - first};
}

bool StretchGeometry::Unstretched() const {
  return x.dst_length == x.src_length && y.dst_length == y.src_length && !x.mirrored && !y.mirrored;
}

StretchFilter FilterOfMode(int stretch_mode) {
  switch (stretch_mode) {
    case WHITEONBLACK:
      return StretchFilter::kOr;
    case COLORONCOLOR:
      return StretchFilter::kNearest;
    case HALFTONE:
      return StretchFilter::kAverage;
    default:
      return StretchFilter::kAnd;
  }
}

namespace {

// ---------------------------------------------------------------------------
// Footprints: the source pixels (run indices) one destination pixel reads,
// with weights in whatever unit is exact for the filter.

struct Footprint {
  int64_t first = 0;
  std::vector<int64_t> weights;  // one per source pixel from `first`
};

// The run indices that have source pixels: [low, high).
struct Bounds {
  int64_t low;
  int64_t high;
};

void NearestFootprint(const StretchAxis& axis, int64_t j, Footprint& fp) {
  fp.first = NearestInRun(axis, j);
  fp.weights.assign(1, 1);
}

// The source pixels whose own nearest destination pixel is j: those that
// fall together when shrinking. Every source pixel belongs to exactly one.
void MergedFootprint(const StretchAxis& axis, int64_t j, Bounds limit, Footprint& fp) {
  const int64_t s = axis.src_length;
  const int64_t d = axis.dst_length;
  const int64_t first = std::max(limit.low, CeilDiv(2 * j * s - d, 2 * d));
  const int64_t end = std::min(limit.high, CeilDiv(2 * (j + 1) * s - d, 2 * d));
  fp.first = first;
  fp.weights.assign(static_cast<size_t>(std::max<int64_t>(0, end - first)), 1);
}

// How much of each source pixel the destination pixel's area covers, in
// units of 1 / dst_length of a source pixel.
void BoxFootprint(const StretchAxis& axis, int64_t j, Bounds limit, Footprint& fp) {
  const int64_t s = axis.src_length;
  const int64_t d = axis.dst_length;
  const int64_t begin = j * s;
  const int64_t end = (j + 1) * s;
  fp.first = std::max(limit.low, begin / d);
  const int64_t last = std::min(limit.high - 1, (end - 1) / d);
  fp.weights.clear();
  for (int64_t k = fp.first; k <= last; ++k) {
    fp.weights.push_back(std::min(end, (k + 1) * d) - std::max(begin, k * d));
  }
}

// Drops the source pixels outside the bounds. The nearest pixel is always
// part of a footprint, so a reachable destination pixel keeps at least one.
void ClipFootprint(Footprint& fp, Bounds limit) {
  const int64_t size = static_cast<int64_t>(fp.weights.size());
  const int64_t skip_front = std::clamp<int64_t>(limit.low - fp.first, 0, size);
  const int64_t keep =
      std::clamp<int64_t>(limit.high - fp.first - skip_front, 0, size - skip_front);
  fp.weights.erase(fp.weights.begin(), fp.weights.begin() + skip_front);
  fp.weights.resize(static_cast<size_t>(keep));
  fp.first += skip_front;
}

// Footprints that can be long (shrinking) are built inside the bounds; the
// short ones are clipped afterwards.
void FootprintOf(const StretchAxis& axis, int64_t j, StretchFilter filter, Bounds limit,
                 Footprint& fp) {
  const bool enlarging = axis.src_length < axis.dst_length;
  switch (filter) {
    case StretchFilter::kNearest:
      NearestFootprint(axis, j, fp);
      break;
    case StretchFilter::kAnd:
    case StretchFilter::kOr:
      if (!enlarging) return MergedFootprint(axis, j, limit, fp);
      NearestFootprint(axis, j, fp);
      break;
    // Enlarging repeats pixels: halftoning only has something to average
    // when pixels fall together, and a repeated pixel keeps masks exact (a
    // transparent colour drawn with the mask technique stays transparent).
    case StretchFilter::kAverage:
      if (!enlarging) return BoxFootprint(axis, j, limit, fp);
      NearestFootprint(axis, j, fp);
      break;
  }
  ClipFootprint(fp, limit);
}

// ---------------------------------------------------------------------------
// Tap tables for the destination pixels of one axis.

constexpr int kWeightBits = 14;
constexpr int64_t kWeightOne = int64_t{1} << kWeightBits;

struct AxisTaps {
  std::vector<int64_t> first;     // per destination pixel: first source pixel read
  std::vector<int32_t> count;     // how many from there
  std::vector<size_t> offset;     // where its weights start (HALFTONE only)
  std::vector<uint32_t> weights;  // kWeightOne in total per destination pixel
  int64_t low = INT64_MAX;        // lowest source pixel any destination pixel reads
  int64_t high = INT64_MIN;       // one past the highest
  int32_t max_count = 0;
};

// Rounds the running total rather than each weight, so the weights add up to
// exactly kWeightOne and each is within one unit of its exact value.
void AppendWeights(const std::vector<int64_t>& raw, std::vector<uint32_t>& weights) {
  int64_t total = 0;
  for (int64_t w : raw) total += w;
  int64_t running = 0;
  int64_t placed = 0;
  for (int64_t w : raw) {
    running += w;
    const int64_t upto = (running * kWeightOne * 2 + total) / (total * 2);
    weights.push_back(static_cast<uint32_t>(upto - placed));
    placed = upto;
  }
}

AxisTaps BuildTaps(const StretchAxis& axis, int64_t from, int64_t to, int64_t source_size,
                   StretchFilter filter) {
  AxisTaps taps;
  const size_t n = static_cast<size_t>(to - from);
  taps.first.reserve(n);
  taps.count.reserve(n);
  const Bounds limit{-axis.src_start, source_size - axis.src_start};
  Footprint fp;
  for (int64_t dst = from; dst < to; ++dst) {
    FootprintOf(axis, RunIndex(axis, dst), filter, limit, fp);
    if (fp.weights.empty()) {  // only for a pixel the caller should not have asked for
      fp.first = std::clamp(NearestInRun(axis, RunIndex(axis, dst)), limit.low, limit.high - 1);
      fp.weights.assign(1, 1);
    }
    const int64_t first = axis.src_start + fp.first;
    const auto count = static_cast<int32_t>(fp.weights.size());
    taps.first.push_back(first);
    taps.count.push_back(count);
    taps.low = std::min(taps.low, first);
    taps.high = std::max(taps.high, first + count);
    taps.max_count = std::max(taps.max_count, count);
    if (filter == StretchFilter::kAverage) {
      taps.offset.push_back(taps.weights.size());
      AppendWeights(fp.weights, taps.weights);
    }
  }
  return taps;
}

// ---------------------------------------------------------------------------
// Source rows, columns [low, high) of each, read through the conversion and
// kept in a few slots so that neighbouring destination rows share them.

class RowCache {
 public:
  RowCache(const Source& source, int64_t low, int64_t high, int slots)
      : source_(source),
        low_(static_cast<int>(low)),
        width_(static_cast<int>(high - low)),
        pixels_(static_cast<size_t>(width_) * static_cast<size_t>(slots)),
        tags_(static_cast<size_t>(slots), -1) {}

  const uint32_t* Row(int64_t y) {
    const size_t slot = static_cast<size_t>(y) % tags_.size();
    uint32_t* row = pixels_.data() + slot * static_cast<size_t>(width_);
    if (tags_[slot] != y) {
      ReadSource(source_, low_, static_cast<int>(y), width_, row);
      tags_[slot] = y;
    }
    return row;
  }

  // The same as bytes B, G, R, X; 32-bit sources without a conversion are
  // read in place.
  const uint8_t* RowBytes(int64_t y) {
    if (source_.view.format == PixelFormat::kXrgb32 &&
        source_.conversion == Source::Conversion::kNone) {
      return source_.view.RowBytes(static_cast<int>(y)) + static_cast<ptrdiff_t>(low_) * 4;
    }
    return reinterpret_cast<const uint8_t*>(Row(y));
  }

 private:
  const Source& source_;
  int low_;
  int width_;
  std::vector<uint32_t> pixels_;
  std::vector<int64_t> tags_;
};

// ---------------------------------------------------------------------------
// The scalers. `width` and `height` are the area's; taps index its rows and
// columns from 0.

void ScaleNearest(const AxisTaps& tx, const AxisTaps& ty, const Source& source, int width,
                  int height, uint32_t* out) {
  RowCache rows(source, tx.low, tx.high, 1);
  for (int r = 0; r < height; ++r, out += width) {
    const uint32_t* row = rows.Row(ty.first[static_cast<size_t>(r)]) - tx.low;
    for (int c = 0; c < width; ++c) out[c] = row[tx.first[static_cast<size_t>(c)]];
  }
}

template <typename Fold>
void ScaleMerged(const AxisTaps& tx, const AxisTaps& ty, const Source& source, uint32_t identity,
                 Fold fold, int width, int height, uint32_t* out) {
  RowCache rows(source, tx.low, tx.high, 1);
  for (int r = 0; r < height; ++r, out += width) {
    std::fill_n(out, width, identity);
    const size_t ri = static_cast<size_t>(r);
    for (int32_t t = 0; t < ty.count[ri]; ++t) {
      const uint32_t* row = rows.Row(ty.first[ri] + t) - tx.low;
      for (int c = 0; c < width; ++c) {
        const size_t ci = static_cast<size_t>(c);
        const uint32_t* run = row + tx.first[ci];
        uint32_t value = out[c];
        for (int32_t k = 0; k < tx.count[ci]; ++k) value = fold(value, run[k]);
        out[c] = value;
      }
    }
  }
}

// HALFTONE's two passes. The vertical pass sums weighted source rows into
// one row of 16-bit channel sums with kColumnBits fraction bits (at most
// 255 << 7, so they stay positive as signed 16-bit values); the horizontal
// pass sums weighted neighbours of that row into pixels. With SSE2 both
// multiply pairs of 16-bit values and add them in one step (pmaddwd), two
// taps at a time; the portable code does the same arithmetic, so both give
// the same pixels.
constexpr int kColumnBits = 7;
constexpr int kColumnShift = kWeightBits - kColumnBits;
constexpr int kFinalShift = kWeightBits + kColumnBits;

// Two weights side by side as the 16-bit pairs pmaddwd multiplies with.
uint32_t WeightPair(uint32_t first, uint32_t second) { return first | (second << 16); }

#if defined(__SSE2__)

// sums[i .. i + 16) += w0 * a[...] + w1 * b[...], for 16 channel bytes.
void AddRowPair(const uint8_t* a, const uint8_t* b, uint32_t pair, size_t i, int32_t* sums) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i weights = _mm_set1_epi32(static_cast<int>(pair));
  const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
  const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
  const __m128i low = _mm_unpacklo_epi8(va, vb);  // a0 b0 a1 b1 ...
  const __m128i high = _mm_unpackhi_epi8(va, vb);
  const __m128i parts[4] = {_mm_unpacklo_epi8(low, zero), _mm_unpackhi_epi8(low, zero),
                            _mm_unpacklo_epi8(high, zero), _mm_unpackhi_epi8(high, zero)};
  for (int q = 0; q < 4; ++q) {
    auto* at = reinterpret_cast<__m128i*>(sums + i + 4 * static_cast<size_t>(q));
    _mm_storeu_si128(at, _mm_add_epi32(_mm_loadu_si128(at), _mm_madd_epi16(parts[q], weights)));
  }
}

size_t AddRowPairs(const uint8_t* a, const uint8_t* b, uint32_t pair, size_t channels,
                   int32_t* sums) {
  size_t i = 0;
  for (; i + 16 <= channels; i += 16) AddRowPair(a, b, pair, i, sums);
  return i;
}

// Rounds the sums to kColumnBits fraction bits, eight channels at a time.
size_t NarrowSums(const int32_t* sums, size_t channels, uint16_t* column) {
  const __m128i half = _mm_set1_epi32(1 << (kColumnShift - 1));
  size_t i = 0;
  for (; i + 8 <= channels; i += 8) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i + 4));
    const __m128i packed = _mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(low, half), kColumnShift),
                                           _mm_srai_epi32(_mm_add_epi32(high, half), kColumnShift));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(column + i), packed);
  }
  return i;
}

// Pixel k's and pixel k + 1's channels interleaved, times their weights.
__m128i SumPair(const uint16_t* pixel, uint32_t pair) {
  const __m128i both = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel));
  const __m128i mixed = _mm_unpacklo_epi16(both, _mm_srli_si128(both, 8));
  return _mm_madd_epi16(mixed, _mm_set1_epi32(static_cast<int>(pair)));
}

uint32_t SumNeighbours(const uint16_t* pixel, const uint32_t* w, int32_t count) {
  __m128i sum = _mm_setzero_si128();
  int32_t k = 0;
  for (; k + 2 <= count; k += 2) {
    sum = _mm_add_epi32(sum, SumPair(pixel + 4 * k, WeightPair(w[k], w[k + 1])));
  }
  if (k < count) {
    const __m128i one = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixel + 4 * k));
    const __m128i mixed = _mm_unpacklo_epi16(one, _mm_setzero_si128());
    sum = _mm_add_epi32(sum, _mm_madd_epi16(mixed, _mm_set1_epi32(static_cast<int>(w[k]))));
  }
  sum = _mm_srli_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kFinalShift - 1))), kFinalShift);
  const __m128i narrow = _mm_packs_epi32(sum, sum);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(narrow, narrow)));
}

#else

size_t AddRowPairs(const uint8_t*, const uint8_t*, uint32_t, size_t, int32_t*) { return 0; }

size_t NarrowSums(const int32_t*, size_t, uint16_t*) { return 0; }

uint32_t SumNeighbours(const uint16_t* pixel, const uint32_t* w, int32_t count) {
  uint32_t word = 0;
  for (int c = 0; c < 4; ++c) {
    int32_t sum = 0;
    for (int32_t k = 0; k < count; ++k) {
      sum += static_cast<int32_t>(w[k]) * pixel[4 * k + c];
    }
    word |= static_cast<uint32_t>((sum + (1 << (kFinalShift - 1))) >> kFinalShift) << (8 * c);
  }
  return word;
}

#endif

// One destination row's source rows, weighted, summed and rounded to
// kColumnBits fraction bits: four channels a source pixel.
void FilterColumns(const AxisTaps& ty, size_t r, RowCache& rows, std::vector<int32_t>& sums,
                   std::vector<uint16_t>& column) {
  const size_t channels = column.size();
  std::fill(sums.begin(), sums.end(), 0);
  const uint32_t* w = ty.weights.data() + ty.offset[r];
  for (int32_t t = 0; t < ty.count[r]; t += 2) {
    const bool paired = t + 1 < ty.count[r];
    const uint8_t* a = rows.RowBytes(ty.first[r] + t);
    const uint8_t* b = paired ? rows.RowBytes(ty.first[r] + t + 1) : a;
    const uint32_t wa = w[t];
    const uint32_t wb = paired ? w[t + 1] : 0;
    for (size_t i = AddRowPairs(a, b, WeightPair(wa, wb), channels, sums.data()); i < channels;
         ++i) {
      sums[i] += static_cast<int32_t>(wa * a[i] + wb * b[i]);
    }
  }
  for (size_t i = NarrowSums(sums.data(), channels, column.data()); i < channels; ++i) {
    column[i] = static_cast<uint16_t>((sums[i] + (1 << (kColumnShift - 1))) >> kColumnShift);
  }
}

void FilterRow(const AxisTaps& tx, const std::vector<uint16_t>& column, int width, uint32_t* out) {
  for (int c = 0; c < width; ++c) {
    const size_t ci = static_cast<size_t>(c);
    const uint16_t* pixel = column.data() + 4 * static_cast<size_t>(tx.first[ci] - tx.low);
    out[c] = SumNeighbours(pixel, tx.weights.data() + tx.offset[ci], tx.count[ci]) & 0x00FFFFFF;
  }
}

void ScaleAverage(const AxisTaps& tx, const AxisTaps& ty, const Source& source, int width,
                  int height, uint32_t* out) {
  RowCache rows(source, tx.low, tx.high, ty.max_count + 1);
  const size_t channels = 4 * static_cast<size_t>(tx.high - tx.low);
  std::vector<int32_t> sums(channels);
  std::vector<uint16_t> column(channels);
  for (int r = 0; r < height; ++r, out += width) {
    FilterColumns(ty, static_cast<size_t>(r), rows, sums, column);
    FilterRow(tx, column, width, out);
  }
}

}  // namespace

void ScalePixels(const StretchGeometry& geometry, StretchFilter filter, const Source& source,
                 const RECT& area, uint32_t* out) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  Source at_origin = source;
  at_origin.dx = 0;
  at_origin.dy = 0;
  const AxisTaps tx = BuildTaps(geometry.x, area.left, area.right, source.view.width, filter);
  const AxisTaps ty = BuildTaps(geometry.y, area.top, area.bottom, source.view.height, filter);
  switch (filter) {
    case StretchFilter::kNearest:
      return ScaleNearest(tx, ty, at_origin, width, height, out);
    case StretchFilter::kAnd:
      return ScaleMerged(
          tx, ty, at_origin, kWhitePixel, [](uint32_t a, uint32_t b) { return a & b; }, width,
          height, out);
    case StretchFilter::kOr:
      return ScaleMerged(
          tx, ty, at_origin, kBlackPixel, [](uint32_t a, uint32_t b) { return a | b; }, width,
          height, out);
    case StretchFilter::kAverage:
      return ScaleAverage(tx, ty, at_origin, width, height, out);
  }
}

}  // namespace platform::gdi
