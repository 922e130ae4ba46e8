// Choosing a font file for a logical font, with fontconfig.
//
// fontconfig knows no Chinese Windows face names (it answers "宋体" with
// DejaVu Sans), so those names are mapped here to an installed Chinese face
// found by language (lang=zh-cn). Every other face goes through fontconfig's
// ordinary matching; a face asked for with a Chinese charset that fontconfig
// answers with a face unable to show Chinese is mapped the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/gdi.h"

namespace platform::gdi {

// The kind of Chinese face a name stands for: Song (serif, as SimSun) or Hei
// (sans serif, as SimHei and Microsoft YaHei).
enum class ChineseStyle { kNone, kSong, kHei };

// Known names in GBK or in English (any case), the empty name (the system's
// own face on a Chinese system) and any name holding double-byte characters
// (only a Chinese face can be called that) are Chinese.
ChineseStyle ChineseStyleOfFace(std::string_view gbk_face);

// GB2312 and Big5: charsets whose text only a Chinese face can show.
bool IsChineseCharset(BYTE charset);

struct FontFile {
  std::string path;
  int index = 0;           // the face within a collection file
  std::string family;      // UTF-8, the face's first family name
  int weight = FW_NORMAL;  // OpenType weight class of the face
  bool italic = false;     // the face itself slants
  bool chinese = false;    // the face covers Simplified Chinese
};

struct FaceQuery {
  std::string family;      // UTF-8; empty asks for none in particular
  int weight = FW_NORMAL;  // OpenType weight class
  bool italic = false;
  bool monospace = false;
  bool chinese = false;  // asks for a face covering Simplified Chinese
};

// fontconfig's best scalable face for the query; none only when fontconfig
// knows no usable face at all.
std::optional<FontFile> MatchFace(const FaceQuery& query);

// The installed face whose family is exactly `family` (any case), if any.
std::optional<FontFile> FindFamily(std::string_view family);

// The face that shows Chinese characters a chosen face lacks (Windows' font
// linking); none when no Chinese face is installed.
std::optional<FontFile> ChineseFallbackFace();

// Everything about a logical font that does not depend on its size.
struct FontChoice {
  FontFile file;
  // For Song faces: a face with embedded bitmaps, used for the sizes it has
  // bitmaps for (crisp small text, as SimSun's own bitmaps are).
  std::optional<FontFile> bitmap_face;
  std::string face_name;  // GBK, what GetTextFaceA reports
  bool mapped_to_chinese = false;
};

// None only when no face is installed at all.
std::optional<FontChoice> ChooseFont(const LOGFONTA& logical);

}  // namespace platform::gdi
