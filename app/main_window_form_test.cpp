// The main window's compiled segment read back field by field: the window
// record, the unit table in creation order, bindings by handler position,
// the stored property records through the unit types' schemas, and the
// embedded picture. The dumper's text must compile back to the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "app/main_window_segment.h"
#include "platform/base/gbk.h"
#include "runtime/forms/record_schema.h"
#include "runtime/forms/template_segment.h"
#include "runtime/forms/unit_record.h"
#include "runtime/units/unit_schemas.h"
#include "tools/form_text/form_parser.h"
#include "tools/form_text/form_printer.h"

namespace {

using platform::gbk::Gbk;
using runtime::forms::RecordValues;
using runtime::forms::RecordWord;
using runtime::forms::UnitTable;
using runtime::forms::WindowTemplate;

constexpr uint32_t kWindowId = 0x52010001;
constexpr uint32_t kNoHandler = 0xFFFFFFFF;

std::span<const uint8_t> Segment() { return {kMainWindowSegment, kMainWindowSegment_size}; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Position of `name` in the compiled handler table, or -1.
int32_t HandlerAt(std::string_view name) {
  for (size_t i = 0; i < kMainWindowSegment_handler_count; ++i) {
    if (name == kMainWindowSegment_handler_names[i]) return static_cast<int32_t>(i);
  }
  return -1;
}

struct Entry {
  uint32_t id;
  uint32_t type;
  const char* name;  // UTF-8
  int32_t left, top, width, height;
  uint32_t flags;
  std::vector<std::pair<int32_t, const char*>> bindings;  // event -> handler name
};

constexpr uint32_t kVisibleTab = runtime::forms::kUnitVisible | runtime::forms::kUnitTabStop;
constexpr uint32_t kVisible = runtime::forms::kUnitVisible;

// The unit table in entry order, which the loader creates the units in.
const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = {
      {0x06010000, 0x00010001, "", 50, 50, 1155, 673, kVisible, {}},
      {0x16010049, 0x0001000B, "按钮7", 960, 161, 80, 24, kVisibleTab, {{0, "OnSavePicBox"}}},
      {0x16010048, 0x00010006, "图片框1", 864, 192, 274, 392, kVisible, {}},
      {0x16010046, 0x0001000B, "按钮6", 886, 162, 64, 24, kVisibleTab, {{0, "OnClearAll"}}},
      {0x1601003B, 0x0001000A, "标签3", 962, 133, 70, 24, kVisible, {}},
      {0x1601003A, 0x00010005, "编辑框6", 1093, 132, 44, 24, kVisibleTab, {}},
      {0x16010039, 0x00010005, "编辑框5", 1041, 132, 45, 24, kVisibleTab, {}},
      {0x16010038, 0x0001000B, "按钮5", 883, 132, 74, 24, kVisibleTab, {{0, "OnAddSmallPicture"}}},
      {0x1601001F, 0x0001000A, "标签2", 969, 590, 88, 12, kVisible, {}},
      {0x1601001E, 0x0001000E, "组合框1", 1087, 608, 50, 20, kVisibleTab, {}},
      {0x1601001C, 0x00010005, "编辑框4", 955, 606, 120, 24, kVisibleTab, {}},
      {0x16010019, 0x0001000B, "按钮4", 889, 608, 56, 24, kVisibleTab, {{0, "OnSaveFile"}}},
      {0x16010018, 0x0001000A, "标签1", 962, 86, 76, 24, kVisible, {}},
      {0x16010017, 0x0001000B, "按钮3", 885, 86, 72, 24, kVisibleTab, {{0, "OnPlaceText"}}},
      {0x16010016, 0x00010005, "编辑框3", 1095, 86, 40, 24, kVisibleTab, {}},
      {0x16010015, 0x00010005, "编辑框2", 1040, 86, 40, 24, kVisibleTab, {}},
      {0x16010013, 0x0001000B, "按钮2", 977, 55, 64, 24, kVisibleTab, {{0, "OnAddText"}}},
      {0x16010012, 0x0001001C, "颜色选择器1", 1081, 55, 56, 24, kVisibleTab, {}},
      {0x16010011, 0x00010005, "编辑框1", 891, 10, 248, 32, kVisibleTab, {}},
      {0x16010008, 0x0001000B, "按钮1", 884, 55, 72, 24, kVisibleTab, {{0, "OnOpenPicture"}}},
      {0x16010005,
       0x00010008,
       "画板1",
       1,
       2,
       852,
       630,
       kVisible,
       {{-6, "OnPanelMouseMove"}, {-1, "OnPanelMouseDown"}, {-2, "OnPanelMouseUp"}}},
      {0x16010004, 0x0001001F, "通用对话框1", 857, 48, 40, 24, 0, {}},
  };
  return entries;
}

class MainWindowSegmentTest : public testing::Test {
 protected:
  void SetUp() override {
    auto windows = runtime::forms::ReadTemplateSegment(Segment());
    ASSERT_TRUE(windows.has_value()) << "the segment reads back";
    ASSERT_EQ(windows->size(), 1u);
    window_ = std::move(windows->front());
  }

  const UnitTable& Units() const { return window_.units; }

  // Entry `id`'s stored property record, read through its type's schema.
  std::optional<RecordValues> Properties(uint32_t id) const {
    const int32_t index = Units().IndexOf(id);
    const auto* schema = runtime::units::SchemaForType(Units().TypeCodeAt(index));
    if (schema == nullptr) return std::nullopt;
    return runtime::forms::ReadRecord(*schema, Units().StoredProperties(index));
  }

  WindowTemplate window_;
};

TEST_F(MainWindowSegmentTest, TheWindowRecordHoldsTheMainWindow) {
  EXPECT_EQ(window_.window_id, kWindowId);
  EXPECT_EQ(window_.word_a, 0u);
  EXPECT_TRUE(window_.text_c.empty());
  EXPECT_TRUE(window_.text_d.empty());

  const auto record = Units().RecordAt(0);
  const auto layout = runtime::forms::LocateUnitFields(record);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->left)), 50);
  EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->top)), 50);
  EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->width)), 1155);
  EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->height)), 673);
  EXPECT_EQ(RecordWord(record, layout->flags), 1u) << "visible, no tab stop";
  EXPECT_EQ(layout->binding_count_value, 0u);

  const auto values = Properties(0x06010000);
  ASSERT_TRUE(values.has_value());
  const auto& schema = values->schema();
  EXPECT_EQ(values->version(), 6u);
  EXPECT_EQ(values->Text(schema.IndexOf("Caption")), "Mienzo");
  EXPECT_EQ(values->Int(schema.IndexOf("Border")), 2);
  EXPECT_EQ(static_cast<uint32_t>(values->Int(schema.IndexOf("BackColor"))), 0x00C080FFu);
  for (const char* on : {"ControlBox", "MaxButton", "MinButton", "Movable", "EscCloses",
                         "ShowInTaskbar", "DragAnywhere", "StartPosition", "BackPictureMode"}) {
    EXPECT_EQ(values->Int(schema.IndexOf(on)), 1) << on;
  }
  for (const char* off : {"EnterMovesFocus", "F1OpensHelp", "AlwaysOnTop", "KeepTitleActive",
                          "Shape", "BackMusicMode", "HelpContext"}) {
    EXPECT_EQ(values->Int(schema.IndexOf(off)), 0) << off;
  }
  for (const char* empty : {"BackPicture", "Icon", "BackMusic", "HelpFile", "ClassName"}) {
    EXPECT_TRUE(values->Text(schema.IndexOf(empty)).empty()) << empty;
  }
}

TEST_F(MainWindowSegmentTest, UnitsStandInCreationOrderWithTheirPlacesAndFlags) {
  ASSERT_EQ(Units().Count(), static_cast<int32_t>(Entries().size()));
  for (int32_t i = 0; i < Units().Count(); ++i) {
    const Entry& expected = Entries()[static_cast<size_t>(i)];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(Units().IdAt(i), expected.id);
    EXPECT_EQ(Units().TypeCodeAt(i), expected.type);
    const auto record = Units().RecordAt(i);
    const auto layout = runtime::forms::LocateUnitFields(record);
    ASSERT_TRUE(layout.has_value());
    const char* name = reinterpret_cast<const char*>(record.data() + layout->name);
    EXPECT_EQ(std::string(name), Gbk(expected.name));
    EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->left)), expected.left);
    EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->top)), expected.top);
    EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->width)), expected.width);
    EXPECT_EQ(static_cast<int32_t>(RecordWord(record, layout->height)), expected.height);
    EXPECT_EQ(RecordWord(record, layout->flags), expected.flags);
    EXPECT_EQ(RecordWord(record, layout->tab_order), 0u);
    EXPECT_EQ(RecordWord(record, layout->parent_id), 0u) << "no containers";
    EXPECT_EQ(layout->child_count_value, 0u);
    EXPECT_EQ(layout->pointer_length_value, 4u);
    EXPECT_EQ(RecordWord(record, layout->pointer_data), 0u) << "the default pointer";
    EXPECT_EQ(layout->tag_length, 1u) << "an empty tag";
    EXPECT_EQ(RecordWord(record, runtime::forms::kEventSourceAt), 0u);

    ASSERT_EQ(layout->binding_count_value, expected.bindings.size());
    for (size_t b = 0; b < expected.bindings.size(); ++b) {
      const size_t at = layout->bindings + 8 * b;
      EXPECT_EQ(static_cast<int32_t>(RecordWord(record, at)), expected.bindings[b].first);
      const int32_t handler = HandlerAt(expected.bindings[b].second);
      ASSERT_GE(handler, 0) << expected.bindings[b].second;
      EXPECT_EQ(RecordWord(record, at + 4), static_cast<uint32_t>(handler));
    }
  }
}

TEST_F(MainWindowSegmentTest, HandlerTableStartsWithThePanelMouseMove) {
  ASSERT_EQ(kMainWindowSegment_handler_count, 10u);
  EXPECT_EQ(HandlerAt("OnPanelMouseMove"), 0) << "the code base names it";
  EXPECT_EQ(kMainWindowSegment_handler_names[10], nullptr);
  // Every handler is bound exactly once, and nothing is bound to "none".
  std::map<uint32_t, int> uses;
  for (int32_t i = 0; i < Units().Count(); ++i) {
    const auto record = Units().RecordAt(i);
    const auto layout = runtime::forms::LocateUnitFields(record);
    ASSERT_TRUE(layout.has_value());
    for (uint32_t b = 0; b < layout->binding_count_value; ++b) {
      const uint32_t handler = RecordWord(record, layout->bindings + 8 * b + 4);
      EXPECT_NE(handler, kNoHandler);
      ++uses[handler];
    }
  }
  EXPECT_EQ(uses.size(), 10u);
  for (const auto& [handler, count] : uses) EXPECT_EQ(count, 1) << "handler " << handler;
}

TEST_F(MainWindowSegmentTest, ClearButtonRecordIsLaidOutExactly) {
  const int32_t index = Units().IndexOf(0x16010046);
  const auto record = Units().RecordAt(index);
  ASSERT_EQ(record.size(), 152u);
  const auto layout = runtime::forms::LocateUnitFields(record);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->properties, 116u);
  ASSERT_EQ(layout->binding_count_value, 1u);
  EXPECT_EQ(RecordWord(record, layout->bindings), 0u);
  EXPECT_EQ(RecordWord(record, layout->bindings + 4),
            static_cast<uint32_t>(HandlerAt("OnClearAll")));
  const std::string name(reinterpret_cast<const char*>(record.data() + 24), 6);
  EXPECT_EQ(name, std::string("\xB0\xB4\xC5\xA5\x36\x00", 6));

  const auto stored = Units().StoredProperties(index);
  ASSERT_EQ(stored.size(), 36u);
  const std::string caption = std::string("\x08\x00\x00\x00", 4) + Gbk("清除所有");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.data()) + 24, 12), caption);
  EXPECT_EQ(RecordWord(stored, 0), 1u) << "record version";
}

TEST_F(MainWindowSegmentTest, PictureBoxCarriesTheJpegUnchanged) {
  const auto values = Properties(0x16010048);
  ASSERT_TRUE(values.has_value());
  const auto& schema = values->schema();
  const std::string& picture = values->Text(schema.IndexOf("Picture"));
  ASSERT_EQ(picture.size(), 87896u);
  EXPECT_EQ(picture, ReadFile(std::string(MIENZO_APP_DIR) + "/assets/harbour.jpg"));
  EXPECT_EQ(picture.substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(values->version(), 2u);
  EXPECT_EQ(values->Int(schema.IndexOf("DisplayMode")), 1);
  EXPECT_EQ(values->Int(schema.IndexOf("PlayAnimation")), 1);
  EXPECT_EQ(values->Int(schema.IndexOf("Border")), 0);
}

// Field values by name for one unit; the others must hold their defaults.
using Fields = std::map<std::string, std::variant<int64_t, std::string, std::vector<std::string>>>;

void ExpectFields(const RecordValues& values, const Fields& expected) {
  const auto& schema = values.schema();
  EXPECT_EQ(values.version(), schema.written_version);
  for (size_t i = 0; i < values.size(); ++i) {
    const std::string name(schema.fields[i].name);
    auto found = expected.find(name);
    if (found == expected.end()) {
      EXPECT_TRUE(values.IsDefault(i)) << name << " keeps its default";
    } else if (const auto* number = std::get_if<int64_t>(&found->second)) {
      EXPECT_EQ(values.Int(i), static_cast<int32_t>(*number)) << name;
    } else if (const auto* text = std::get_if<std::string>(&found->second)) {
      EXPECT_EQ(values.Text(i), *text) << name;
    } else {
      EXPECT_EQ(values.Items(i), std::get<std::vector<std::string>>(found->second)) << name;
    }
  }
}

TEST_F(MainWindowSegmentTest, StoredPropertiesDifferFromDefaultsOnlyWhereMeant) {
  const std::map<uint32_t, Fields> units = {
      {0x16010049, {{"Caption", Gbk("保存美女图")}}},
      {0x16010046, {{"Caption", Gbk("清除所有")}}},
      {0x16010038, {{"Caption", Gbk("添加小图片")}}},
      {0x16010019, {{"Caption", Gbk("保存文件")}}},
      {0x16010017, {{"Caption", Gbk("定位写字")}}},
      {0x16010013, {{"Caption", Gbk("加文字")}}},
      {0x16010008, {{"Caption", Gbk("打开图片")}}},
      {0x1601003B,
       {{"Caption", Gbk("加图片的位置")}, {"TextColor", 0x00800000}, {"BackColor", 0x00C080FF}}},
      {0x1601001F, {{"Caption", Gbk("保存的文件名字")}, {"BackColor", 0x00C080FF}}},
      {0x16010018,
       {{"Caption", Gbk("加文字的位置")}, {"TextColor", 0x00800000}, {"BackColor", 0x00C080FF}}},
      {0x1601003A, {{"Content", std::string("33")}}},
      {0x16010039, {{"Content", std::string("33")}}},
      {0x1601001C, {{"Content", Gbk("Kerlo表情")}}},
      {0x16010016, {{"Content", std::string("22")}}},
      {0x16010015, {{"Content", std::string("22")}}},
      {0x16010011, {{"Content", Gbk("Kerlo制作， 你可以在这里写字")}}},
      {0x1601001E,
       {{"Sorted", 1},
        {"Items", std::vector<std::string>{".bmp", ".png", ".jpg"}},
        {"ItemData", std::string(4, '\0')},
        {"ListIndex", 1},
        {"Content", std::string(".jpg")}}},
      {0x16010012, {{"Color", 0x008050FF}}},
      {0x16010005,
       {{"Border", 1},
        {"PenColor", 0x008050FF},
        {"BrushColor", 0x00C080FF},
        {"TextColor", 0x00C080FF}}},
      {0x16010004, {{"FontColor", 0x00C080FF}}},
  };
  for (const auto& [id, fields] : units) {
    SCOPED_TRACE(testing::Message() << std::hex << id);
    const auto values = Properties(id);
    ASSERT_TRUE(values.has_value()) << "the record reads through its type's schema";
    ExpectFields(*values, fields);
  }
}

TEST_F(MainWindowSegmentTest, DumpedTextCompilesBackToTheSameBytes) {
  tools::form_text::PrintOptions options;
  options.handler_names.assign(kMainWindowSegment_handler_names,
                               kMainWindowSegment_handler_names + kMainWindowSegment_handler_count);
  options.asset_dir = "assets";
  const auto printed = tools::form_text::PrintForm(Segment(), options);
  ASSERT_TRUE(printed.ok) << printed.error;
  ASSERT_EQ(printed.assets.size(), 1u) << "the picture is the only large value";
  std::map<std::string, std::string> files;
  for (const auto& asset : printed.assets) files[asset.path] = asset.bytes;
  const auto again = tools::form_text::CompileForm(
      printed.text, [&files](const std::string& path) -> std::optional<std::string> {
        auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second;
      });
  ASSERT_TRUE(again.form.has_value()) << again.error.line << ": " << again.error.message;
  EXPECT_EQ(again.form->segment, std::string(reinterpret_cast<const char*>(kMainWindowSegment),
                                             kMainWindowSegment_size));
  EXPECT_EQ(again.form->handlers, options.handler_names);
}

TEST_F(MainWindowSegmentTest, LinkedBytesAreTheSegmentFile) {
  EXPECT_EQ(
      ReadFile(MIENZO_APP_SEGMENT),
      std::string(reinterpret_cast<const char*>(kMainWindowSegment), kMainWindowSegment_size));
}

}  // namespace
