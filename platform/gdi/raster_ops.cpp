#include "platform/gdi/raster_ops.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::gdi {

namespace {

bool Rop3UsesDestination(uint8_t index) { return (((index >> 1) ^ index) & 0x55) != 0; }

// The sum of the minterms whose bit is set in the truth table.
uint32_t GenericRop3(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t result = 0;
  for (int minterm = 0; minterm < 8; ++minterm) {
    if (!(index & (1u << minterm))) continue;
    result |= ((minterm & 4) ? p : ~p) & ((minterm & 2) ? s : ~s) & ((minterm & 1) ? d : ~d);
  }
  return result;
}

// The byte range a view covers, to tell whether two views share memory.
struct ByteRange {
  uintptr_t begin;
  uintptr_t end;
};

ByteRange RangeOf(const PixelView& view) {
  const auto top = reinterpret_cast<uintptr_t>(view.top);
  const ptrdiff_t span = view.stride * (view.height - 1);
  const uintptr_t row_bytes = static_cast<uintptr_t>(std::abs(view.stride));
  const uintptr_t first = span < 0 ? top - static_cast<uintptr_t>(-span) : top;
  return ByteRange{first, first + static_cast<uintptr_t>(std::abs(span)) + row_bytes};
}

bool SharesMemory(const PixelView& a, const PixelView& b) {
  const ByteRange ra = RangeOf(a);
  const ByteRange rb = RangeOf(b);
  return ra.begin < rb.end && rb.begin < ra.end;
}

RECT BoundsOf(const std::vector<RECT>& rects) {
  RECT bounds = rects.front();
  for (const RECT& r : rects) {
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  }
  return bounds;
}

// Copies the source pixels the operation will read into `copy` and returns a
// source that reads them from there.
Source SnapshotSource(const Source& source, const std::vector<RECT>& rects,
                      std::vector<uint32_t>& copy) {
  const RECT bounds = BoundsOf(rects);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  copy.assign(static_cast<size_t>(width) * height, 0);
  for (int row = 0; row < height; ++row) {
    ReadSpan(source.view, bounds.left + source.dx, bounds.top + row + source.dy, width,
             copy.data() + static_cast<size_t>(row) * width);
  }
  Source snapshot = source;
  snapshot.view.top = reinterpret_cast<uint8_t*>(copy.data());
  snapshot.view.stride = static_cast<ptrdiff_t>(width) * 4;
  snapshot.view.width = width;
  snapshot.view.height = height;
  snapshot.view.format = PixelFormat::kXrgb32;
  snapshot.dx = -bounds.left;
  snapshot.dy = -bounds.top;
  return snapshot;
}

struct RowBuffers {
  std::vector<uint32_t> pattern;
  std::vector<uint32_t> source;
  std::vector<uint32_t> destination;
  std::vector<uint32_t> before;  // the destination as it was, where the pattern has gaps

  void Resize(size_t count) {
    pattern.assign(count, 0);
    source.assign(count, 0);
    destination.assign(count, 0);
    before.assign(count, 0);
  }
};

// Copies and fills, the most common operations by far, skip the per-pixel
// truth table.
void Combine(uint8_t rop, const uint32_t* p, const uint32_t* s, uint32_t* d, int count) {
  switch (rop) {
    case 0xCC:
      std::copy_n(s, count, d);
      return;
    case 0xF0:
      std::copy_n(p, count, d);
      return;
    default:
      for (int i = 0; i < count; ++i) d[i] = ApplyRop3(rop, p[i], s[i], d[i]);
  }
}

void RowOp(const PixelView& destination, int x, int y, int count, uint8_t rop,
           const Pattern& pattern, const Source* source, RowBuffers& buffers) {
  uint32_t* p = buffers.pattern.data();
  uint32_t* s = buffers.source.data();
  uint32_t* d = buffers.destination.data();
  const bool gaps = Rop3UsesPattern(rop) && pattern.HasGaps();
  if (Rop3UsesDestination(rop) || gaps) ReadSpan(destination, x, y, count, d);
  if (gaps) std::copy_n(d, count, buffers.before.data());
  if (source && Rop3UsesSource(rop)) ReadSource(*source, x, y, count, s);
  if (Rop3UsesPattern(rop)) pattern.Fill(x, y, count, p);
  Combine(rop, p, s, d, count);
  if (gaps) pattern.KeepGaps(x, y, count, buffers.before.data(), d);
  WriteSpan(destination, x, y, count, d);
}

// SRCCOPY between 32-bit pixels with no conversion, the bulk of all blits:
// whole rows move four words at a time, clearing only the unused top byte.
bool IsPlainCopy(uint8_t rop, const PixelView& destination, const Source* source) {
  return rop == 0xCC && source && source->conversion == Source::Conversion::kNone &&
         source->view.format == PixelFormat::kXrgb32 && destination.format == PixelFormat::kXrgb32;
}

void CopyRow32(const PixelView& destination, const Source& source, int x, int y, int count) {
  using Words [[gnu::vector_size(16)]] = uint32_t;
  const Words mask = {0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};
  uint8_t* to = destination.RowBytes(y) + static_cast<ptrdiff_t>(x) * 4;
  const uint8_t* from =
      source.view.RowBytes(y + source.dy) + static_cast<ptrdiff_t>(x + source.dx) * 4;
  int i = 0;
  for (; i + 4 <= count; i += 4, to += 16, from += 16) {
    Words words;
    std::memcpy(&words, from, 16);
    words &= mask;
    std::memcpy(to, &words, 16);
  }
  for (; i < count; ++i, to += 4, from += 4) {
    uint32_t word;
    std::memcpy(&word, from, 4);
    word &= 0x00FFFFFF;
    std::memcpy(to, &word, 4);
  }
}

}  // namespace

void ReadSource(const Source& source, int x, int y, int count, uint32_t* out) {
  ReadSpan(source.view, x + source.dx, y + source.dy, count, out);
  switch (source.conversion) {
    case Source::Conversion::kNone:
      return;
    case Source::Conversion::kMonoToColor:
      for (int i = 0; i < count; ++i) {
        out[i] = out[i] == kBlackPixel ? source.mono_black : source.mono_white;
      }
      return;
    case Source::Conversion::kColorToMono:
      for (int i = 0; i < count; ++i) {
        out[i] = out[i] == source.color_background ? kWhitePixel : kBlackPixel;
      }
      return;
  }
}

uint8_t Rop3Index(DWORD rop) { return static_cast<uint8_t>((rop >> 16) & 0xFF); }

bool Rop3UsesSource(uint8_t index) { return (((index >> 2) ^ index) & 0x33) != 0; }

bool Rop3UsesPattern(uint8_t index) { return (((index >> 4) ^ index) & 0x0F) != 0; }

uint32_t ApplyRop3(uint8_t index, uint32_t p, uint32_t s, uint32_t d) {
  switch (index) {
    case 0x00:
      return 0;
    case 0xFF:
      return 0xFFFFFFFF;
    case 0xCC:
      return s;
    case 0xF0:
      return p;
    case 0x55:
      return ~d;
    case 0x66:
      return s ^ d;
    case 0x88:
      return s & d;
    case 0xEE:
      return s | d;
    case 0x5A:
      return p ^ d;
    default:
      return GenericRop3(index, p, s, d);
  }
}

// `& 7` wraps negative offsets the right way too (two's complement).
void Pattern::Fill(int x, int y, int count, uint32_t* out) const {
  if (!tile) {
    std::fill_n(out, count, pixel);
    return;
  }
  const uint32_t* row = tile->pixels.data() + ((y - origin.y) & 7) * 8;
  const int column = (x - origin.x) & 7;
  for (int i = 0; i < count; ++i) out[i] = row[(column + i) & 7];
}

void Pattern::KeepGaps(int x, int y, int count, const uint32_t* before, uint32_t* out) const {
  if (!HasGaps()) return;
  const unsigned row_gaps = static_cast<unsigned>(tile->gaps >> (((y - origin.y) & 7) * 8)) & 0xFF;
  if (row_gaps == 0) return;
  const int column = (x - origin.x) & 7;
  for (int i = 0; i < count; ++i) {
    if (row_gaps & (1u << ((column + i) & 7))) out[i] = before[i];
  }
}

void RasterOp(const PixelView& destination, const std::vector<RECT>& rects, uint8_t rop,
              const Pattern& pattern, const Source* source) {
  if (rects.empty()) return;
  std::vector<uint32_t> copy;
  Source snapshot;
  if (source && Rop3UsesSource(rop) && SharesMemory(destination, source->view)) {
    snapshot = SnapshotSource(*source, rects, copy);
    source = &snapshot;
  }
  RowBuffers buffers;
  const bool plain_copy = IsPlainCopy(rop, destination, source);
  for (const RECT& rect : rects) {
    const int count = rect.right - rect.left;
    if (count <= 0) continue;
    if (plain_copy) {
      for (int y = rect.top; y < rect.bottom; ++y)
        CopyRow32(destination, *source, rect.left, y, count);
      continue;
    }
    buffers.Resize(static_cast<size_t>(count));
    for (int y = rect.top; y < rect.bottom; ++y) {
      RowOp(destination, rect.left, y, count, rop, pattern, source, buffers);
    }
  }
}

}  // namespace platform::gdi
