// The message box icons, computed from simple shapes (discs, capsules, a
// ring, a triangle) sampled 4 x 4 times per pixel for smooth edges, then
// handed to CreateIconFromResourceEx as the 32-bit DIB of an icon resource.
#include "platform/dialogs/message_box_icons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>

namespace platform::dialogs {

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 4;  // per axis and pixel
constexpr double kPi = 3.14159265358979323846;

enum class Kind { kNone, kStop, kQuestion, kWarning, kInformation };

Kind KindOfStyle(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONHAND:
      return Kind::kStop;
    case MB_ICONQUESTION:
      return Kind::kQuestion;
    case MB_ICONEXCLAMATION:
      return Kind::kWarning;
    case MB_ICONASTERISK:
      return Kind::kInformation;
    default:
      return Kind::kNone;
  }
}

struct Vec {
  double x;
  double y;
};

double Length(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y); }
Vec Minus(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }

double DistanceToSegment(Vec p, Vec a, Vec b) {
  const Vec ab = Minus(b, a), ap = Minus(p, a);
  const double t = std::clamp((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0, 1.0);
  return Length({ap.x - ab.x * t, ap.y - ab.y * t});
}

bool InDisc(Vec p, Vec centre, double radius) { return Length(Minus(p, centre)) <= radius; }
bool InCapsule(Vec p, Vec a, Vec b, double radius) { return DistanceToSegment(p, a, b) <= radius; }

// Colours are 0xRRGGBB; a sample is opaque colour or nothing (0).
constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFF;

struct Palette {
  uint32_t light;    // the lit top-left of the body
  uint32_t base;     // the body further away from the light
  uint32_t outline;  // the rim
  uint32_t glyph;    // the sign on it
};

constexpr Palette kRed{0xF27A6E, 0xCC2A1E, 0x8A140C, kWhite};
constexpr Palette kBlue{0x7FB2F0, 0x2D68C8, 0x163E86, kWhite};
constexpr Palette kYellow{0xFFEC8C, 0xF2BE1A, 0x9E7400, 0x1E1E1E};

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return out;
}

// The body's colour at p: lit from the upper left.
uint32_t Body(const Palette& palette, Vec p) {
  const double t = std::clamp(Length(Minus(p, Vec{10.0, 8.0})) / 24.0, 0.0, 1.0);
  return kOpaque | Mix(palette.light, palette.base, t);
}

uint32_t SampleDisc(const Palette& palette, Vec p, bool glyph) {
  const double distance = Length(Minus(p, Vec{16.0, 16.0}));
  if (distance > 15.0) return 0;
  if (distance > 13.8) return kOpaque | palette.outline;
  return glyph ? kOpaque | palette.glyph : Body(palette, p);
}

bool CrossGlyph(Vec p) {
  return InCapsule(p, {10.5, 10.5}, {21.5, 21.5}, 2.3) ||
         InCapsule(p, {21.5, 10.5}, {10.5, 21.5}, 2.3);
}

bool InformationGlyph(Vec p) {
  return InDisc(p, {16.0, 8.5}, 2.3) || InCapsule(p, {16.0, 14.5}, {16.0, 23.5}, 2.2);
}

// A ring over the top and right of (16, 12.5), ending in a short stem and a
// dot below it.
bool QuestionGlyph(Vec p) {
  const Vec centre{16.0, 12.0};
  const double radius = 5.0, half = 2.1;
  const Vec d = Minus(p, centre);
  const double angle = std::atan2(d.y, d.x) * 180.0 / kPi;  // y grows downwards
  const bool on_arc = angle <= 70.0 || angle >= 165.0;
  if (on_arc && std::abs(Length(d) - radius) <= half) return true;
  const Vec start{centre.x + radius * std::cos(165.0 * kPi / 180.0),
                  centre.y + radius * std::sin(165.0 * kPi / 180.0)};
  const Vec end{centre.x + radius * std::cos(70.0 * kPi / 180.0),
                centre.y + radius * std::sin(70.0 * kPi / 180.0)};
  return InDisc(p, start, half) || InCapsule(p, end, {16.0, 19.0}, half) ||
         InDisc(p, {16.0, 24.2}, 2.3);
}

bool ExclamationGlyph(Vec p) {
  return InCapsule(p, {16.0, 11.0}, {16.0, 19.0}, 2.2) || InDisc(p, {16.0, 24.0}, 2.2);
}

// Distance outside the warning triangle (negative inside): the largest of
// the distances past its three sides.
double TriangleDistance(Vec p) {
  static const std::array<Vec, 3> corners = {Vec{16.0, 1.5}, Vec{31.0, 29.0}, Vec{1.0, 29.0}};
  const Vec middle{16.0, 19.8};
  double distance = -1e9;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Vec a = corners[i], b = corners[(i + 1) % corners.size()];
    const Vec edge = Minus(b, a);
    Vec normal{edge.y, -edge.x};
    const double length = Length(normal);
    normal = {normal.x / length, normal.y / length};
    const Vec to_middle = Minus(middle, a);
    if (normal.x * to_middle.x + normal.y * to_middle.y > 0) normal = {-normal.x, -normal.y};
    const Vec ap = Minus(p, a);
    distance = std::max(distance, normal.x * ap.x + normal.y * ap.y);
  }
  return distance;
}

uint32_t SampleWarning(Vec p) {
  const double distance = TriangleDistance(p);
  if (distance > 0.0) return 0;
  if (distance > -1.4) return kOpaque | kYellow.outline;
  return ExclamationGlyph(p) ? kOpaque | kYellow.glyph : Body(kYellow, p);
}

uint32_t Sample(Kind kind, Vec p) {
  switch (kind) {
    case Kind::kStop:
      return SampleDisc(kRed, p, CrossGlyph(p));
    case Kind::kQuestion:
      return SampleDisc(kBlue, p, QuestionGlyph(p));
    case Kind::kInformation:
      return SampleDisc(kBlue, p, InformationGlyph(p));
    case Kind::kWarning:
      return SampleWarning(p);
    default:
      return 0;
  }
}

// The average of a pixel's samples: colour over the opaque ones, alpha by
// how many were opaque.
uint32_t Pixel(Kind kind, int x, int y) {
  double red = 0, green = 0, blue = 0;
  int opaque = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const uint32_t s = Sample(kind, {x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples});
      if (!(s & kOpaque)) continue;
      ++opaque;
      red += (s >> 16) & 0xFF;
      green += (s >> 8) & 0xFF;
      blue += s & 0xFF;
    }
  }
  if (opaque == 0) return 0;
  const auto channel = [&](double sum) { return static_cast<uint32_t>(std::lround(sum / opaque)); };
  const uint32_t alpha = static_cast<uint32_t>(opaque * 255 / (kSamples * kSamples));
  return (alpha << 24) | (channel(red) << 16) | (channel(green) << 8) | channel(blue);
}

std::vector<uint32_t> Render(Kind kind) {
  std::vector<uint32_t> pixels(static_cast<size_t>(kSize) * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) pixels[static_cast<size_t>(y) * kSize + x] = Pixel(kind, x, y);
  }
  return pixels;
}

// An icon resource image: header, 32-bit rows bottom-up, then the AND mask.
std::vector<BYTE> IconResource(const std::vector<uint32_t>& argb) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = kSize;
  header.biHeight = kSize * 2;  // the picture and its mask
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  constexpr size_t kMaskStride = 4;  // 32 bits, already a multiple of 32
  std::vector<BYTE> bytes(sizeof header + argb.size() * 4 + kMaskStride * kSize, 0);
  std::memcpy(bytes.data(), &header, sizeof header);
  BYTE* pixels = bytes.data() + sizeof header;
  BYTE* mask = pixels + argb.size() * 4;
  for (int row = 0; row < kSize; ++row) {
    const int y = kSize - 1 - row;
    std::memcpy(pixels + row * kSize * 4, argb.data() + static_cast<size_t>(y) * kSize, kSize * 4);
    for (int x = 0; x < kSize; ++x) {
      if ((argb[static_cast<size_t>(y) * kSize + x] >> 24) == 0) {
        mask[row * kMaskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  return bytes;
}

}  // namespace

std::vector<uint32_t> MessageBoxIconPixels(UINT style) {
  const Kind kind = KindOfStyle(style);
  if (kind == Kind::kNone) return {};
  return Render(kind);
}

HICON MessageBoxIcon(UINT style) {
  const Kind kind = KindOfStyle(style);
  if (kind == Kind::kNone) return nullptr;
  static std::mutex mutex;
  static std::array<HICON, 5> icons{};
  std::lock_guard lock(mutex);
  HICON& icon = icons[static_cast<size_t>(kind)];
  if (icon == nullptr) {
    std::vector<BYTE> resource = IconResource(Render(kind));
    icon = CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), TRUE,
                                    0x00030000, 0, 0, LR_DEFAULTCOLOR);
  }
  return icon;
}

}  // namespace platform::dialogs
