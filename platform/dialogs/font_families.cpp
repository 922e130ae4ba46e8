#include "platform/dialogs/font_families.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <optional>

#include "platform/base/gbk.h"
#include "platform/gdi/font_match.h"

namespace platform::dialogs {

namespace {

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string String(const FcPattern* font, const char* object, int n) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(font, object, n, &value) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(value);
}

// The family name a Chinese system shows: the zh-cn one where the font
// names one (families and their languages come in pairs), else the first.
std::string ShownFamily(const FcPattern* font) {
  const std::string first = String(font, FC_FAMILY, 0);
  for (int i = 0;; ++i) {
    const std::string language = String(font, FC_FAMILYLANG, i);
    if (language.empty()) break;
    if (language == "zh-cn") {
      const std::string chinese = String(font, FC_FAMILY, i);
      if (!chinese.empty()) return chinese;
    }
  }
  return first;
}

// GBK for the list, or none when GBK cannot hold the name or it does not
// fit a LOGFONTA's face name.
std::optional<std::string> GbkName(const std::string& utf8) {
  std::string name = gbk::FromUtf8(utf8);
  if (name.empty() || name.size() >= LF_FACESIZE || gbk::ToUtf8(name) != utf8) return std::nullopt;
  return name;
}

std::optional<std::string> ListedName(const FcPattern* font) {
  const std::string shown = ShownFamily(font);
  if (shown.empty() || shown[0] == '.') return std::nullopt;  // hidden system faces
  if (auto name = GbkName(shown)) return name;
  return GbkName(String(font, FC_FAMILY, 0));
}

int Integer(const FcPattern* font, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(font, object, 0, &value);
  return value;
}

bool CoversChinese(const FcPattern* font) {
  FcLangSet* languages = nullptr;
  if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) != FcResultMatch) return false;
  return FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>("zh-cn")) == FcLangEqual;
}

void AddFace(std::map<std::string, FontFamily>& families, const FcPattern* font) {
  const std::optional<std::string> name = ListedName(font);
  if (!name) return;
  FontFamily& family = families[*name];
  family.name = *name;
  family.monospace |= Integer(font, FC_SPACING, FC_PROPORTIONAL) >= FC_DUAL;
  family.chinese |= CoversChinese(font);
  const bool bold = Integer(font, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_BOLD;
  const bool italic = Integer(font, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  family.has_style[static_cast<size_t>(StyleOf(bold, italic))] = true;
}

}  // namespace

bool FontNameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Folded(x)) < static_cast<unsigned char>(Folded(y));
  });
}

std::vector<FontFamily> ListFontFamilies() {
  std::vector<FontFamily> listed;
  // The text code starts fontconfig and releases it at exit (so leak
  // checking stays clean); asking it for any face starts it. No face at
  // all: nothing to list.
  if (!gdi::MatchFace(gdi::FaceQuery{})) return listed;
  FcPattern* scalable = FcPatternCreate();
  FcPatternAddBool(scalable, FC_SCALABLE, FcTrue);
  FcObjectSet* objects =
      FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_WEIGHT, FC_SLANT, FC_SPACING, FC_LANG, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, scalable, objects);
  std::map<std::string, FontFamily> families;
  for (int i = 0; fonts != nullptr && i < fonts->nfont; ++i) AddFace(families, fonts->fonts[i]);
  if (fonts) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(scalable);
  for (auto& entry : families) listed.push_back(std::move(entry.second));
  std::sort(listed.begin(), listed.end(),
            [](const FontFamily& a, const FontFamily& b) { return FontNameLess(a.name, b.name); });
  return listed;
}

}  // namespace platform::dialogs
