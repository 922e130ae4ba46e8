#include "platform/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <list>
#include <mutex>
#include <utility>

namespace platform::gdi {

namespace {

// Enough for every size a window of text uses at once; beyond that the
// least recently used face is closed.
constexpr size_t kMaxOpenFaces = 32;

struct OpenFace {
  FaceSize size;
  FT_Face face = nullptr;
};

struct FaceCache {
  std::mutex mutex;
  FT_Library library = nullptr;
  bool library_failed = false;
  std::list<OpenFace> faces;  // most recently used first
};

FaceCache& Cache() {
  static FaceCache cache;
  return cache;
}

// The callers hold the cache's lock.
FT_Library Library(FaceCache& cache) {
  if (!cache.library && !cache.library_failed) {
    cache.library_failed = FT_Init_FreeType(&cache.library) != 0;
  }
  return cache.library;
}

FT_Face Open(FaceCache& cache, const FaceSize& size) {
  FT_Library library = Library(cache);
  if (!library) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, size.path.c_str(), size.index, &face) != 0) return nullptr;
  if (!FT_IS_SCALABLE(face) ||
      (size.y_pixels > 0 && FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(size.x_pixels),
                                               static_cast<FT_UInt>(size.y_pixels)) != 0)) {
    FT_Done_Face(face);
    return nullptr;
  }
  return face;
}

// The callers hold the cache's lock.
FT_Face Lookup(FaceCache& cache, const FaceSize& size) {
  for (auto it = cache.faces.begin(); it != cache.faces.end(); ++it) {
    if (it->size == size) {
      cache.faces.splice(cache.faces.begin(), cache.faces, it);
      return it->face;
    }
  }
  FT_Face face = Open(cache, size);
  if (!face) return nullptr;
  cache.faces.push_front(OpenFace{size, face});
  if (cache.faces.size() > kMaxOpenFaces) {
    FT_Done_Face(cache.faces.back().face);
    cache.faces.pop_back();
  }
  return face;
}

// Windows' vertical metrics: the OS/2 "win" values when the face has them,
// the horizontal header's otherwise.
void ReadVertical(FT_Face face, FaceDesign& design) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  design.ascent = face->ascender;
  design.descent = -face->descender;
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    design.ascent = os2->usWinAscent;
    design.descent = os2->usWinDescent;
  }
  if (hhea) {
    // Windows' external leading: the line gap less what the win values
    // already add over the horizontal header's ascent and descent.
    const int extra = (design.ascent + design.descent) - (hhea->Ascender - hhea->Descender);
    design.line_gap = std::max(0, hhea->Line_Gap - std::max(0, extra));
  }
  if (os2 && os2->version != 0xFFFF) {
    design.average_width = os2->xAvgCharWidth;
    if (os2->yStrikeoutSize > 0) {
      design.strikeout_position = os2->yStrikeoutPosition;
      design.strikeout_thickness = os2->yStrikeoutSize;
    }
  }
}

FaceDesign Describe(FT_Face face) {
  FaceDesign design;
  design.units_per_em = face->units_per_EM > 0 ? face->units_per_EM : 1000;
  design.strikeout_position = design.units_per_em / 4;
  design.strikeout_thickness = design.units_per_em / 20;
  design.sfnt = FT_IS_SFNT(face);
  design.fixed_pitch = FT_IS_FIXED_WIDTH(face);
  design.max_advance = face->max_advance_width;
  if (face->underline_thickness > 0) {
    design.underline_position = face->underline_position;
    design.underline_thickness = face->underline_thickness;
  } else {
    design.underline_position = -design.units_per_em / 10;
    design.underline_thickness = design.units_per_em / 20;
  }
  ReadVertical(face, design);
  for (int i = 0; i < face->num_fixed_sizes; ++i) {
    design.bitmap_sizes.push_back(static_cast<int>((face->available_sizes[i].y_ppem + 32) >> 6));
  }
  return design;
}

}  // namespace

bool WithFace(const FaceSize& size, const std::function<void(FT_FaceRec_*)>& use) {
  FaceCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  FT_Face face = Lookup(cache, size);
  if (!face) return false;
  use(face);
  return true;
}

std::optional<FaceDesign> ReadFaceDesign(const std::string& path, int index) {
  std::optional<FaceDesign> design;
  WithFace(FaceSize{path, index, 0, 0}, [&](FT_Face face) { design = Describe(face); });
  return design;
}

}  // namespace platform::gdi
