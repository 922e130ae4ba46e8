#include "platform/gdi/font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/base/gbk.h"

namespace platform::gdi {

namespace {

// The face the layer prefers for small Song text: its embedded bitmaps are
// drawn for 12 to 16 pixels, like SimSun's.
constexpr const char* kBitmapSongFamily = "WenQuanYi Zen Hei Sharp";

struct KnownFace {
  const char* utf8;
  ChineseStyle style;
};

constexpr std::array<KnownFace, 11> kKnownFaces{{
    {"宋体", ChineseStyle::kSong},
    {"新宋体", ChineseStyle::kSong},
    {"SimSun", ChineseStyle::kSong},
    {"NSimSun", ChineseStyle::kSong},
    // On a Chinese system the system font and the dialog font are SimSun.
    {"System", ChineseStyle::kSong},
    {"MS Shell Dlg", ChineseStyle::kSong},
    {"MS Shell Dlg 2", ChineseStyle::kSong},
    {"黑体", ChineseStyle::kHei},
    {"微软雅黑", ChineseStyle::kHei},
    {"SimHei", ChineseStyle::kHei},
    {"Microsoft YaHei", ChineseStyle::kHei},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
           return lower(x) == lower(y);
         });
}

std::mutex& FontconfigMutex() {
  static std::mutex mutex;
  return mutex;
}

// Guarded by FontconfigMutex().
bool fontconfig_ready = false;
bool fontconfig_done = false;  // failed to start, or already shut down at exit

// fontconfig keeps its configuration until FcFini; releasing it at exit lets
// leak checkers tell its memory from real leaks. A thread still asking after
// that gets no face rather than a fontconfig started again.
void FinishFontconfig() {
  std::lock_guard lock(FontconfigMutex());
  if (fontconfig_ready) FcFini();
  fontconfig_ready = false;
  fontconfig_done = true;
}

// The callers hold FontconfigMutex().
bool EnsureFontconfig() {
  if (!fontconfig_ready && !fontconfig_done) {
    fontconfig_ready = FcInit() == FcTrue;
    fontconfig_done = !fontconfig_ready;
    if (fontconfig_ready) std::atexit(FinishFontconfig);
  }
  return fontconfig_ready;
}

FcPattern* QueryPattern(const FaceQuery& query) {
  FcPattern* pattern = FcPatternCreate();
  if (!query.family.empty()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(query.family.c_str()));
  }
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(query.weight));
  FcPatternAddInteger(pattern, FC_SLANT, query.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (query.monospace) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
  if (query.chinese)
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

bool CoversChinese(const FcPattern* font) {
  FcLangSet* languages = nullptr;
  if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) != FcResultMatch) return false;
  return FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("zh-cn")) == FcLangEqual;
}

std::optional<FontFile> DescribeFont(const FcPattern* font) {
  FcChar8* path = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch) return std::nullopt;
  FontFile file;
  file.path = reinterpret_cast<const char*>(path);
  int index = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) file.index = index;
  FcChar8* family = nullptr;
  if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch) {
    file.family = reinterpret_cast<const char*>(family);
  }
  int weight = FC_WEIGHT_REGULAR;
  if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch) {
    file.weight = FcWeightToOpenType(weight);
  }
  int slant = FC_SLANT_ROMAN;
  if (FcPatternGetInteger(font, FC_SLANT, 0, &slant) == FcResultMatch) {
    file.italic = slant != FC_SLANT_ROMAN;
  }
  file.chinese = CoversChinese(font);
  return file;
}

// The best face FreeType can draw at any size: fontconfig's order, skipping
// faces with bitmaps only.
std::optional<FontFile> BestScalable(FcFontSet* fonts) {
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    FcBool scalable = FcFalse;
    FcPatternGetBool(fonts->fonts[i], FC_SCALABLE, 0, &scalable);
    if (scalable == FcTrue) return DescribeFont(fonts->fonts[i]);
  }
  return std::nullopt;
}

bool HasFamily(const FcPattern* font, std::string_view family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (EqualsIgnoringCase(reinterpret_cast<const char*>(name), family)) return true;
  }
  return false;
}

std::string FaceNameOf(const LOGFONTA& logical) {
  const char* face = logical.lfFaceName;
  return std::string(face, strnlen(face, LF_FACESIZE));
}

FaceQuery QueryFor(const LOGFONTA& logical) {
  FaceQuery query;
  query.weight = logical.lfWeight <= 0 ? FW_NORMAL : std::min<LONG>(logical.lfWeight, 1000);
  query.italic = logical.lfItalic != 0;
  query.monospace = (logical.lfPitchAndFamily & 3) == FIXED_PITCH;
  return query;
}

// A Chinese face by its style; without a serif Chinese face the generic
// family alone can land on a Latin one, so then any Chinese face will do.
std::optional<FontFile> MatchChinese(FaceQuery query, ChineseStyle style) {
  query.chinese = true;
  query.family = style == ChineseStyle::kHei ? "sans-serif" : "serif";
  auto file = MatchFace(query);
  if (file && file->chinese) return file;
  query.family.clear();
  return MatchFace(query);
}

}  // namespace

ChineseStyle ChineseStyleOfFace(std::string_view gbk_face) {
  if (gbk_face.empty()) return ChineseStyle::kSong;
  const std::string utf8 = gbk::ToUtf8(gbk_face);
  for (const KnownFace& known : kKnownFaces) {
    if (EqualsIgnoringCase(utf8, known.utf8)) return known.style;
  }
  const bool double_byte = std::any_of(gbk_face.begin(), gbk_face.end(), [](char c) {
    return gbk::IsLeadByte(static_cast<unsigned char>(c));
  });
  return double_byte ? ChineseStyle::kSong : ChineseStyle::kNone;
}

bool IsChineseCharset(BYTE charset) {
  return charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET;
}

std::optional<FontFile> MatchFace(const FaceQuery& query) {
  std::lock_guard lock(FontconfigMutex());
  if (!EnsureFontconfig()) return std::nullopt;
  FcPattern* pattern = QueryPattern(query);
  FcResult result = FcResultNoMatch;
  FcFontSet* fonts = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
  std::optional<FontFile> file = BestScalable(fonts);
  if (fonts) FcFontSetDestroy(fonts);
  FcPatternDestroy(pattern);
  return file;
}

std::optional<FontFile> FindFamily(std::string_view family) {
  std::lock_guard lock(FontconfigMutex());
  if (!EnsureFontconfig()) return std::nullopt;
  FaceQuery query;
  query.family = std::string(family);
  FcPattern* pattern = QueryPattern(query);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(nullptr, pattern, &result);
  std::optional<FontFile> file;
  if (font && HasFamily(font, family)) file = DescribeFont(font);
  if (font) FcPatternDestroy(font);
  FcPatternDestroy(pattern);
  return file;
}

std::optional<FontFile> ChineseFallbackFace() {
  static const std::optional<FontFile> fallback = [] {
    auto file = MatchChinese(FaceQuery{}, ChineseStyle::kSong);
    return file && file->chinese ? file : std::nullopt;
  }();
  return fallback;
}

std::optional<FontChoice> ChooseFont(const LOGFONTA& logical) {
  const std::string face = FaceNameOf(logical);
  const FaceQuery query = QueryFor(logical);
  ChineseStyle style = ChineseStyleOfFace(face);
  const bool by_name = style != ChineseStyle::kNone;
  FontChoice choice;
  if (!by_name) {
    FaceQuery named = query;
    named.family = gbk::ToUtf8(face);
    auto file = MatchFace(named);
    if (!file) return std::nullopt;
    if (file->chinese || !IsChineseCharset(logical.lfCharSet)) {
      choice.file = *file;
      choice.face_name = gbk::FromUtf8(file->family);
      return choice;
    }
    style = ChineseStyle::kSong;  // what a Chinese system shows GB2312 text in
  }
  auto file = MatchChinese(query, style);
  if (!file) return std::nullopt;
  choice.file = *file;
  choice.mapped_to_chinese = true;
  choice.face_name =
      by_name ? (face.empty() ? gbk::Gbk("宋体") : face) : gbk::FromUtf8(file->family);
  if (style == ChineseStyle::kSong && !query.monospace && !query.italic) {
    choice.bitmap_face = FindFamily(kBitmapSongFamily);
  }
  return choice;
}

}  // namespace platform::gdi
