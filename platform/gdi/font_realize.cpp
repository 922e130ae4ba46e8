#include "platform/gdi/font_realize.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <list>
#include <utility>

#include "platform/gdi/font_match.h"
#include "platform/gdi/screen_info.h"

namespace platform::gdi {

namespace {

constexpr int kDefaultEmPixels = 12;  // 9 points at 96 DPI, the GUI font's size
constexpr size_t kMaxRealizedFonts = 64;
// Glyphs kept per font: enough for every character of a page of Chinese
// text at ordinary sizes, and a bound on memory at very large ones.
constexpr size_t kMaxCachedGlyphs = 4096;
constexpr size_t kMaxCachedGlyphBytes = size_t{16} << 20;

int Scale(int units, int pixels, int units_per_em) {
  return static_cast<int>(std::lround(static_cast<double>(units) * pixels / units_per_em));
}

int CellHeight(const FaceDesign& design, int em) {
  return Scale(design.ascent, em, design.units_per_em) +
         Scale(design.descent, em, design.units_per_em);
}

// lfWidth is the average character width wanted; the em is stretched to it.
int EmWidth(LONG width, const FaceDesign& design, int em_y) {
  if (width == 0) return em_y;
  const int64_t wanted = std::min<int64_t>(std::llabs(int64_t{width}), kMaxEmPixels);
  const int average = design.average_width > 0 ? design.average_width : design.units_per_em / 2;
  const int64_t em = (wanted * design.units_per_em + average / 2) / average;
  return static_cast<int>(std::clamp<int64_t>(em, 1, kMaxEmPixels));
}

void FinishMetrics(TEXTMETRICA& tm, const LOGFONTA& logical, const FontFile& file,
                   const FaceDesign& design, const GlyphStyle& style) {
  tm.tmWeight = style.embolden ? FW_BOLD : std::clamp(file.weight, 1, 1000);
  if (style.embolden) {
    tm.tmAveCharWidth += 1;
    tm.tmMaxCharWidth += 1;
  }
  tm.tmItalic = (logical.lfItalic || file.italic) ? 1 : 0;
  tm.tmUnderlined = logical.lfUnderline ? 1 : 0;
  tm.tmStruckOut = logical.lfStrikeOut ? 1 : 0;
  tm.tmPitchAndFamily =
      static_cast<BYTE>((design.fixed_pitch ? 0 : TMPF_FIXED_PITCH) |
                        (design.sfnt ? TMPF_VECTOR | TMPF_TRUETYPE : TMPF_VECTOR) |
                        (logical.lfPitchAndFamily & 0xF0));
  if (file.chinese) {
    tm.tmCharSet = logical.lfCharSet == CHINESEBIG5_CHARSET ? CHINESEBIG5_CHARSET : GB2312_CHARSET;
  } else {
    tm.tmCharSet = logical.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : logical.lfCharSet;
  }
}

TextLines LinesAt(const FaceDesign& design, int em, const TEXTMETRICA& tm) {
  const double scale = static_cast<double>(em) / design.units_per_em;
  TextLines lines;
  lines.underline_thickness =
      std::max(1, Scale(design.underline_thickness, em, design.units_per_em));
  // The face gives the underline's centre; the line must stay in the cell.
  const double centre = -design.underline_position * scale;
  const int top = static_cast<int>(std::lround(centre - lines.underline_thickness / 2.0));
  lines.underline_top = std::clamp(top, 0, std::max(0, tm.tmDescent - lines.underline_thickness));
  lines.strikeout_thickness =
      std::max(1, Scale(design.strikeout_thickness, em, design.units_per_em));
  lines.strikeout_top = -std::max(1, Scale(design.strikeout_position, em, design.units_per_em));
  return lines;
}

// For Song faces: the face with embedded bitmaps, when it has them for this
// size (and the glyphs are not stretched, which bitmaps cannot be).
void PreferBitmapFace(const FontChoice& choice, const LOGFONTA& logical, FontFile& file,
                      FaceDesign& design, int& em) {
  if (!choice.bitmap_face || logical.lfWidth != 0) return;
  auto bitmap_design = ReadFaceDesign(choice.bitmap_face->path, choice.bitmap_face->index);
  if (!bitmap_design) return;
  const int bitmap_em = EmPixels(logical.lfHeight, *bitmap_design);
  const auto& sizes = bitmap_design->bitmap_sizes;
  if (std::find(sizes.begin(), sizes.end(), bitmap_em) == sizes.end()) return;
  file = *choice.bitmap_face;
  design = *bitmap_design;
  em = bitmap_em;
}

// No face installed at all: text still measures sensibly and draws nothing.
RealizedFont::Parts FacelessParts(const LOGFONTA& logical) {
  RealizedFont::Parts parts;
  parts.logical = logical;
  const FaceDesign design;
  const int em = EmPixels(logical.lfHeight, design);
  parts.metrics = MetricsAt(design, em, em);
  FinishMetrics(parts.metrics, logical, FontFile{}, design, GlyphStyle{});
  parts.lines = LinesAt(design, em, parts.metrics);
  parts.face_name.assign(logical.lfFaceName, strnlen(logical.lfFaceName, LF_FACESIZE));
  return parts;
}

RealizedFont::Parts Realize(const LOGFONTA& logical) {
  auto choice = ChooseFont(logical);
  if (!choice) return FacelessParts(logical);
  FontFile file = choice->file;
  auto design = ReadFaceDesign(file.path, file.index);
  if (!design) return FacelessParts(logical);
  int em = EmPixels(logical.lfHeight, *design);
  PreferBitmapFace(*choice, logical, file, *design, em);
  const int em_x = EmWidth(logical.lfWidth, *design, em);

  RealizedFont::Parts parts;
  parts.logical = logical;
  parts.face = FaceSize{file.path, file.index, em_x, em};
  if (!file.chinese) {
    if (auto fallback = ChineseFallbackFace()) {
      parts.fallback = FaceSize{fallback->path, fallback->index, em_x, em};
    }
  }
  parts.style.embolden = logical.lfWeight >= FW_SEMIBOLD && file.weight < FW_SEMIBOLD;
  parts.style.oblique = logical.lfItalic && !file.italic;
  parts.style.one_bit = logical.lfQuality == NONANTIALIASED_QUALITY;
  parts.metrics = MetricsAt(*design, em_x, em);
  FinishMetrics(parts.metrics, logical, file, *design, parts.style);
  parts.lines = LinesAt(*design, em, parts.metrics);
  parts.face_name = choice->face_name;
  return parts;
}

// Two LOGFONTAs that differ only after the face name's terminator ask for
// the same font.
std::string CacheKey(const LOGFONTA& logical) {
  LOGFONTA clean = logical;
  const size_t length = strnlen(clean.lfFaceName, LF_FACESIZE - 1);
  std::memset(clean.lfFaceName + length, 0, LF_FACESIZE - length);
  return std::string(reinterpret_cast<const char*>(&clean), sizeof clean);
}

}  // namespace

int EmPixels(LONG height, const FaceDesign& design) {
  if (height == 0) return kDefaultEmPixels;
  if (height < 0) return static_cast<int>(std::clamp<int64_t>(-int64_t{height}, 1, kMaxEmPixels));
  const int64_t cell_units = std::max(1, design.ascent + design.descent);
  int em = static_cast<int>(
      std::clamp<int64_t>(int64_t{height} * design.units_per_em / cell_units + 1, 1, kMaxEmPixels));
  while (em > 1 && CellHeight(design, em) > height) --em;
  return em;
}

TEXTMETRICA MetricsAt(const FaceDesign& design, int em_x, int em_y) {
  const int units = design.units_per_em;
  TEXTMETRICA tm{};
  tm.tmAscent = Scale(design.ascent, em_y, units);
  tm.tmDescent = Scale(design.descent, em_y, units);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - em_y);
  tm.tmExternalLeading = Scale(design.line_gap, em_y, units);
  tm.tmAveCharWidth = std::max(
      1, design.average_width > 0 ? Scale(design.average_width, em_x, units) : (em_x + 1) / 2);
  tm.tmMaxCharWidth = std::max<LONG>(Scale(design.max_advance, em_x, units), tm.tmAveCharWidth);
  tm.tmWeight = FW_NORMAL;
  const int dpi = CurrentScreen().dpi;
  tm.tmDigitizedAspectX = dpi;
  tm.tmDigitizedAspectY = dpi;
  tm.tmFirstChar = 0x1E;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  return tm;
}

std::shared_ptr<const Glyph> RealizedFont::GlyphFor(char32_t code,
                                                    const Escapement& escapement) const {
  const int turn = escapement.is_quarter_turn() ? 0 : escapement.tenths();
  const uint64_t key = (uint64_t{static_cast<uint32_t>(turn)} << 32) | code;
  std::lock_guard lock(glyphs_mutex_);
  auto found = glyphs_.find(key);
  if (found != glyphs_.end()) return found->second;
  auto glyph = Render(code, turn);
  if (glyphs_.size() >= kMaxCachedGlyphs || cached_bytes_ > kMaxCachedGlyphBytes) {
    glyphs_.clear();
    cached_bytes_ = 0;
  }
  glyphs_.emplace(key, glyph);
  cached_bytes_ += glyph->coverage.size();
  return glyph;
}

std::shared_ptr<const Glyph> RealizedFont::Render(char32_t code, int turn) const {
  std::shared_ptr<const Glyph> glyph;
  if (parts_.face) {
    const GlyphMissing missing = parts_.fallback ? GlyphMissing::kNull : GlyphMissing::kNotdef;
    glyph = RenderGlyph(*parts_.face, code, parts_.style, missing, turn);
    if (!glyph && parts_.fallback) {
      glyph = RenderGlyph(*parts_.fallback, code, parts_.style, GlyphMissing::kNull, turn);
    }
    if (!glyph) glyph = RenderGlyph(*parts_.face, code, parts_.style, GlyphMissing::kNotdef, turn);
  }
  if (!glyph) {
    auto blank = std::make_shared<Glyph>();
    const int em = parts_.metrics.tmHeight - parts_.metrics.tmInternalLeading;
    blank->advance = code < 0x80 ? (em + 1) / 2 : em;
    glyph = std::move(blank);
  }
  return glyph;
}

std::shared_ptr<const RealizedFont> RealizeFont(const LOGFONTA& logical) {
  static std::mutex mutex;
  static std::list<std::pair<std::string, std::shared_ptr<const RealizedFont>>> recent;
  LOGFONTA upright = logical;
  upright.lfEscapement = 0;
  upright.lfOrientation = 0;
  const std::string key = CacheKey(upright);
  std::lock_guard lock(mutex);
  for (auto it = recent.begin(); it != recent.end(); ++it) {
    if (it->first == key) {
      recent.splice(recent.begin(), recent, it);
      return it->second;
    }
  }
  auto font = std::make_shared<const RealizedFont>(Realize(upright));
  recent.emplace_front(key, font);
  if (recent.size() > kMaxRealizedFonts) recent.pop_back();
  return font;
}

}  // namespace platform::gdi
