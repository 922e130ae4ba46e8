// The DrawPanel unit type as the framework and the runtime library see it:
// its descriptor, its stored record, its handlers that work without a
// window, and its commands in the runtime library's table.
#include "runtime/units/drawpanel/drawpanel_type.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/runtime_library.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/drawpanel_schema.h"
#include "runtime/units/drawpanel/panel_properties.h"
#include "runtime/units/unit_type_table.h"

namespace runtime::units {
namespace {

TEST(DrawPanelType, DescriptorDeclaresTypeEightWithItsTwentyFiveProperties) {
  const UnitTypeDescriptor type = DrawPanelTypeDescriptor();
  EXPECT_STREQ(type.chinese_name, "\xBB\xAD\xB0\xE5") << "画板 in GBK";
  EXPECT_STREQ(type.english_name, "DrawPanel");
  EXPECT_EQ(type.state_flags, 0x800200C0u);
  ASSERT_EQ(type.property_count, 25);
  const int16_t codes[25] = {1000, 1000, 1000, 1000, 1005, 1003, 1003, 1011, 1006,
                             1017, 1009, 1006, 1003, 1006, 1006, 1006, 1001, 1014,
                             1006, 1014, 1014, 1015, 1013, 1001, 1001};
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(type.property_types[i].type_code, codes[i]) << "property " << i;
    uint16_t flags = i < 8 ? 0xE000 : 0x8000;
    if (i == 11) flags = 0x8001;
    if (i == 12 || i == 22) flags = 0x8002;
    if (i == 23 || i == 24) flags = 0x8004;
    EXPECT_EQ(type.property_types[i].flags, flags) << "property " << i;
  }
}

TEST(DrawPanelType, RuntimeLibraryCarriesTheTypeAndItsMethods) {
  const UnitTypeDescriptor& slot = RuntimeUnitTypes()[kDrawPanelTypeNumber - 1];
  EXPECT_TRUE(IsDrawPanelType(&slot));
  const CommandRoutine* commands = RuntimeLibrary().command_routines;
  EXPECT_EQ(commands[kCommandDrawLine], &DrawLine);
  EXPECT_EQ(commands[kCommandWriteText], &WriteText);
  EXPECT_EQ(commands[kCommandWriteTextAt], &WriteTextAt);
  EXPECT_EQ(commands[kCommandDrawPicture], &DrawPicture);
  EXPECT_EQ(commands[kCommandGetPicture], &GetPicture);
  EXPECT_EQ(commands[kCommandRedraw], &Redraw);
}

std::string Record(const std::vector<uint32_t>& words, const std::string& font = {},
                   const std::string& picture = {}) {
  std::string record;
  const auto word = [&](uint32_t value) {
    for (int i = 0; i < 4; ++i) record.push_back(static_cast<char>(value >> (8 * i)));
  };
  for (uint32_t value : words) word(value);
  word(static_cast<uint32_t>(font.size()));
  record += font;
  word(static_cast<uint32_t>(picture.size()));
  return record + picture;
}

std::optional<forms::RecordValues> Read(const std::string& record) {
  return drawpanel::ReadPanelRecord(reinterpret_cast<const uint8_t*>(record.data()),
                                    static_cast<int32_t>(record.size()));
}

TEST(DrawPanelRecord, FieldsComeInTheirStoredOrder) {
  const std::string record =
      Record({1, 3, 0x123456, 2, 1, 4, 5, 7, 9, 0x0000FF, 20, 0x00FF00, 0xFF0000, 0xFF000000},
             std::string(60, 'f'), "pic");
  const auto values = Read(record);
  ASSERT_TRUE(values);
  using namespace drawpanel;
  const std::vector<std::pair<Field, int32_t>> expected = {
      {kBorder, 3},
      {kBackColor, 0x123456},
      {kBackPictureMode, 2},
      {kAutoRedraw, 1},
      {kCoordinateUnit, 4},
      {kPenStyle, 5},
      {kDrawMode, 7},
      {kPenWidth, 9},
      {kPenColor, 0xFF},
      {kBrushStyle, 20},
      {kBrushColor, 0xFF00},
      {kTextColor, 0xFF0000},
      {kTextBackColor, static_cast<int32_t>(0xFF000000)}};
  for (const auto& [field, value] : expected) EXPECT_EQ(values->Int(field), value) << field;
  EXPECT_EQ(values->Bytes(kFont).size(), 60u);
  EXPECT_EQ(values->Text(kBackPicture), "pic");
}

TEST(DrawPanelRecord, NoBytesGiveTheDefaults) {
  const auto values = drawpanel::ReadPanelRecord(nullptr, 0);
  ASSERT_TRUE(values);
  using namespace drawpanel;
  EXPECT_EQ(values->Int(kBorder), 0);
  EXPECT_EQ(static_cast<uint32_t>(values->Int(kBackColor)), 0xFF000000u);
  EXPECT_EQ(values->Int(kBackPictureMode), 1);
  EXPECT_EQ(values->Int(kAutoRedraw), 0);
  EXPECT_EQ(values->Int(kPenStyle), 1);
  EXPECT_EQ(values->Int(kDrawMode), 12);
  EXPECT_EQ(values->Int(kPenWidth), 0);
  EXPECT_EQ(values->Int(kBrushStyle), 1);
  EXPECT_EQ(values->Int(kBrushColor), 0xFFFFFF);
  EXPECT_EQ(static_cast<uint32_t>(values->Int(kTextBackColor)), 0xFF000000u);
  EXPECT_TRUE(values->Bytes(kFont).empty());
  EXPECT_TRUE(drawpanel::ReadPanelRecord(nullptr, -5)) << "a negative length reads nothing";
}

TEST(DrawPanelRecord, LaterVersionsAndShortRecordsAreRejected) {
  const std::vector<uint32_t> fields = {0, 0xFF000000, 1, 0,        0, 1,         12,
                                        0, 0,          1, 0xFFFFFF, 0, 0xFF000000};
  std::vector<uint32_t> version0 = {0};
  version0.insert(version0.end(), fields.begin(), fields.end());
  std::vector<uint32_t> version2 = {2};
  version2.insert(version2.end(), fields.begin(), fields.end());
  EXPECT_TRUE(Read(Record(version0))) << "version 0 reads like version 1";
  EXPECT_FALSE(Read(Record(version2)));
  std::string cut = Record(version0, {}, "picture");
  cut.pop_back();
  EXPECT_FALSE(Read(cut)) << "a picture count running past the end";
}

TEST(DrawPanelRecord, ValuesOutOfRangeAreBroughtIntoRange) {
  const auto values =
      Read(Record({1, 9, 0, static_cast<uint32_t>(-4), 1, 77, 12, 99, 40000, 0, 300, 0, 0, 0}));
  ASSERT_TRUE(values);
  using namespace drawpanel;
  EXPECT_EQ(values->Int(kBorder), 5);
  EXPECT_EQ(values->Int(kBackPictureMode), 0);
  EXPECT_EQ(values->Int(kCoordinateUnit), 5);
  EXPECT_EQ(values->Int(kPenStyle), 6);
  EXPECT_EQ(values->Int(kDrawMode), 15);
  EXPECT_EQ(values->Int(kPenWidth), 32767);
  EXPECT_EQ(values->Int(kBrushStyle), 55);
}

HGLOBAL ListPanelTextsForTest(const std::string& record, forms::ListTextCallback callback) {
  return drawpanel::ListPanelTexts(reinterpret_cast<const uint8_t*>(record.data()),
                                   static_cast<int32_t>(record.size()), callback, nullptr);
}

std::vector<std::string>* g_texts = nullptr;
void CollectText(const char* text, void*) { g_texts->push_back(text); }

std::string TakeBlock(HGLOBAL block) {
  if (block == nullptr) return "(none)";
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  std::string copy(bytes, GlobalSize(block));
  GlobalUnlock(block);
  GlobalFree(block);
  return copy;
}

TEST(DrawPanelRecord, ListTextsReportsTheFontFaceOfAWholeFontRecord) {
  std::vector<std::string> texts;
  g_texts = &texts;
  LOGFONTA font{};
  std::memcpy(font.lfFaceName, "\xBA\xDA\xCC\xE5", 5);  // 黑体
  const std::string font_bytes(reinterpret_cast<const char*>(&font), sizeof font);
  const std::string whole = Record({1, 0, 0, 1, 0, 0, 1, 12, 0, 0, 1, 0, 0, 0}, font_bytes);
  const std::string written = TakeBlock(ListPanelTextsForTest(whole, CollectText));
  EXPECT_EQ(texts, std::vector<std::string>{"\xBA\xDA\xCC\xE5"});
  EXPECT_EQ(written, whole) << "the record written out again";

  texts.clear();
  TakeBlock(ListPanelTextsForTest(Record({1, 0, 0, 1, 0, 0, 1, 12, 0, 0, 1, 0, 0, 0}, "short"),
                                  CollectText));
  EXPECT_TRUE(texts.empty()) << "a font of another length is no font";
  EXPECT_EQ(TakeBlock(ListPanelTextsForTest(Record({2}), CollectText)), "(none)");
}

}  // namespace
}  // namespace runtime::units
