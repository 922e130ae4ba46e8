// The handlers against a stand-in runtime: which properties and commands
// they reach, with which argument records, and that every block they are
// handed goes back.
#include "app/handlers.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_constants.h"
#include "app/app_routines.h"
#include "app/fake_runtime.h"
#include "app/main_window_units.h"
#include "runtime/core/byte_set.h"

namespace app {
namespace {

using runtime::RuntimeCommand;
using testing::SeenArgument;

constexpr uint32_t kPink = 0x008050FF;
constexpr uint32_t kMouse[3] = {30, 40, 0};

class HandlersTest : public ::testing::Test {
 protected:
  void SetUp() override { Globals() = {}; }
  void TearDown() override {
    CleanUp();
    EXPECT_TRUE(fake.live_blocks.empty()) << "every block handed out is freed";
    EXPECT_EQ(fake.foreign_frees, 0);
  }

  std::vector<SeenArgument> Command(RuntimeCommand command, size_t occurrence = 0) {
    size_t seen = 0;
    for (const auto& call : fake.CallsOf("command")) {
      if (call.number == command && seen++ == occurrence) return call.arguments;
    }
    ADD_FAILURE() << "command " << command << " not called";
    return {};
  }
  int CountOf(RuntimeCommand command) {
    int n = 0;
    for (const auto& call : fake.CallsOf("command")) n += call.number == command;
    return n;
  }

  testing::FakeRuntime fake;
};

void ExpectPanel(const SeenArgument& argument) {
  EXPECT_EQ(argument.record.low, kMainWindow);
  EXPECT_EQ(argument.record.high, kDrawPanel);
  EXPECT_EQ(argument.record.type, 0x00010008u);
}
void ExpectInt(const SeenArgument& argument, int32_t value) {
  EXPECT_EQ(argument.record.type, runtime::type::kInt);
  EXPECT_EQ(argument.record.AsInt32(), value);
}

TEST_F(HandlersTest, MouseMovePaintsOnlyBetweenDownAndUp) {
  fake.integers[{kColorPicker, property::kColor}] = kPink;
  OnPanelMouseMove(kMouse, 3);
  EXPECT_TRUE(fake.calls.empty()) << "no button held: nothing at all";

  OnPanelMouseDown(kMouse, 3);
  OnPanelMouseMove(kMouse, 3);
  const auto writes = fake.CallsOf("write");
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].number, property::kPenWidth);
  EXPECT_EQ(writes[0].value, 4u);
  EXPECT_EQ(writes[1].number, property::kPenColor);
  EXPECT_EQ(writes[1].value, kPink) << "the colour with a zero extra word";
  const auto line = Command(runtime::kCommandDrawLine);
  ASSERT_EQ(line.size(), 5u);
  ExpectPanel(line[0]);
  ExpectInt(line[1], 30), ExpectInt(line[2], 40), ExpectInt(line[3], 30), ExpectInt(line[4], 40);

  OnPanelMouseUp(kMouse, 3);
  OnPanelMouseMove(kMouse, 3);
  EXPECT_EQ(CountOf(runtime::kCommandDrawLine), 1);
  EXPECT_FALSE(OnPanelMouseMove(kMouse, 3).returned) << "the panel keeps its mouse messages";
}

TEST_F(HandlersTest, AddTextPassesTheEmptyTextForAnEmptyEditBox) {
  OnAddText(nullptr, 0);
  EXPECT_EQ(fake.CallsOf("write").at(0).number, property::kTextColor);
  const auto write = Command(runtime::kCommandWriteText);
  ASSERT_EQ(write.size(), 2u);
  ExpectPanel(write[0]);
  EXPECT_EQ(write[1].record.type, runtime::type::kText);
  EXPECT_EQ(write[1].record.AsText(), Constants().empty_text) << "never an absent text";

  fake.texts[{kTextEdit, property::kEditContent}] = "hello";
  OnAddText(nullptr, 0);
  EXPECT_EQ(Command(runtime::kCommandWriteText, 1).at(1).text, "hello");
}

TEST_F(HandlersTest, PlaceTextConvertsBothCoordinatesAndWritesThere) {
  fake.texts[{kTextXEdit, property::kEditContent}] = "22";
  fake.texts[{kTextYEdit, property::kEditContent}] = "abc";
  fake.texts[{kTextEdit, property::kEditContent}] = "t";
  fake.commands[runtime::kCommandToInteger] = [](int32_t, const runtime::ArgumentRecord* args) {
    return runtime::IntValue(std::string(args[0].AsText()) == "22" ? 22 : 0);
  };
  OnPlaceText(nullptr, 0);
  EXPECT_EQ(Command(runtime::kCommandToInteger, 0).at(0).text, "22");
  EXPECT_EQ(Command(runtime::kCommandToInteger, 1).at(0).text, "abc");
  const auto write = Command(runtime::kCommandWriteTextAt);
  ASSERT_EQ(write.size(), 4u);
  ExpectPanel(write[0]);
  ExpectInt(write[1], 22), ExpectInt(write[2], 0);
  EXPECT_EQ(write[3].text, "t");
}

TEST_F(HandlersTest, CancelledOpenDialogChangesNothing) {
  Globals().loaded_picture = 7;
  OnOpenPicture(nullptr, 0);
  OnAddSmallPicture(nullptr, 0);
  const auto writes = fake.CallsOf("write");
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].unit, kCommonDlg);
  EXPECT_EQ(writes[0].number, property::kFilter);
  EXPECT_EQ(reinterpret_cast<const char*>(static_cast<uintptr_t>(writes[0].value)),
            Constants().picture_filter);
  EXPECT_EQ(Command(runtime::kCommandOpen).at(0).record.type, 0x0001001Fu);
  EXPECT_TRUE(fake.CallsOf("read").empty()) << "the file name is not even read";
  EXPECT_EQ(CountOf(runtime::kCommandLoadPicture), 0);
  EXPECT_EQ(Globals().loaded_picture, 7);
  EXPECT_EQ(Globals().picture_file_name, nullptr);
}

TEST_F(HandlersTest, OpenPictureKeepsTheNameLoadsItAndStretchesItOverThePanel) {
  fake.commands[runtime::kCommandOpen] = [](int32_t, const runtime::ArgumentRecord*) {
    return runtime::BoolValue(true);
  };
  fake.commands[runtime::kCommandLoadPicture] = [](int32_t, const runtime::ArgumentRecord*) {
    return runtime::IntValue(5);
  };
  fake.texts[{kCommonDlg, property::kFileName}] = "/pics/a.jpg";
  fake.integers[{kDrawPanel, property::kWidth}] = 852;
  fake.integers[{kDrawPanel, property::kHeight}] = 630;
  OnOpenPicture(nullptr, 0);
  EXPECT_STREQ(Globals().picture_file_name, "/pics/a.jpg");
  EXPECT_EQ(Globals().loaded_picture, 5);
  EXPECT_EQ(Command(runtime::kCommandLoadPicture).at(0).text, "/pics/a.jpg");
  const auto draw = Command(runtime::kCommandDrawPicture);
  ASSERT_EQ(draw.size(), 7u);
  ExpectPanel(draw[0]);
  ExpectInt(draw[1], 5), ExpectInt(draw[2], 0), ExpectInt(draw[3], 0);
  ExpectInt(draw[4], 852), ExpectInt(draw[5], 630);
  EXPECT_TRUE(draw[6].record.IsOmitted()) << "copy mode omitted";

  // A second pick replaces the name (the first one is freed, which the
  // fixture's leak check sees) and draws at the typed size.
  fake.texts[{kCommonDlg, property::kFileName}] = "/pics/b.png";
  fake.texts[{kWidthEdit, property::kEditContent}] = "33";
  fake.commands[runtime::kCommandToInteger] = [](int32_t, const runtime::ArgumentRecord*) {
    return runtime::IntValue(33);
  };
  OnAddSmallPicture(nullptr, 0);
  EXPECT_STREQ(Globals().picture_file_name, "/pics/b.png");
  const auto small = Command(runtime::kCommandDrawPicture, 1);
  ASSERT_EQ(small.size(), 7u);
  ExpectInt(small[4], 33), ExpectInt(small[5], 33);
  EXPECT_EQ(Command(runtime::kCommandToInteger, 1).at(0).record.AsText(), Constants().empty_text)
      << "the empty height box is passed as the empty text";
}

TEST_F(HandlersTest, SaveFileWritesThePanelPictureUnderTheJoinedPathAndConfirms) {
  fake.commands[runtime::kCommandGetRunDirectory] = [this](int32_t count,
                                                           const runtime::ArgumentRecord*) {
    EXPECT_EQ(count, 0);
    runtime::ValueRecord result;
    result.SetPointer(fake.NewText("/opt/mienzo"));
    return result;
  };
  fake.commands[runtime::kCommandGetPicture] = [this](int32_t, const runtime::ArgumentRecord*) {
    runtime::ValueRecord result;
    result.SetPointer(fake.NewByteSet("BM.."));
    return result;
  };
  fake.commands[runtime::kCommandWriteToFile] = [](int32_t, const runtime::ArgumentRecord* args) {
    return runtime::BoolValue(runtime::ByteSetBytes(args[1].AsPointer()).size() == 4);
  };
  fake.texts[{kNameEdit, property::kEditContent}] = "Kerlo";
  fake.texts[{kExtensionCombo, property::kComboContent}] = ".jpg";
  OnSaveFile(nullptr, 0);

  const auto picture = Command(runtime::kCommandGetPicture);
  ASSERT_EQ(picture.size(), 3u);
  EXPECT_TRUE(picture[1].record.IsOmitted() && picture[2].record.IsOmitted());
  const auto write = Command(runtime::kCommandWriteToFile);
  ASSERT_EQ(write.size(), 2u);
  EXPECT_EQ(write[0].text, "/opt/mienzo/Kerlo.jpg");
  EXPECT_EQ(write[1].record.type, runtime::type::kByteSet);
  const auto box = Command(runtime::kCommandShowMessageBox);
  ASSERT_EQ(box.size(), 4u);
  EXPECT_EQ(box[0].record.AsText(), Constants().saved_message);
  ExpectInt(box[1], 0);
  EXPECT_TRUE(box[2].record.IsOmitted() && box[3].record.IsOmitted());
}

TEST_F(HandlersTest, FailedWriteShowsNothingAndAbsentValuesAreReplaced) {
  // Nothing answered: no run directory, no name, no extension, no picture,
  // and the write fails.
  OnSaveFile(nullptr, 0);
  const auto write = Command(runtime::kCommandWriteToFile);
  ASSERT_EQ(write.size(), 2u);
  EXPECT_EQ(write[0].text, "/") << "an empty name leaves the separator alone";
  EXPECT_EQ(write[1].record.AsPointer(), static_cast<const void*>(Constants().empty_byte_set));
  EXPECT_EQ(CountOf(runtime::kCommandShowMessageBox), 0);
}

TEST_F(HandlersTest, SavePicBoxWritesThePictureBoxBytes) {
  fake.byte_sets[{kPicBox, property::kPicture}] = std::string("\xFF\xD8\xFF\xE1", 4);
  fake.commands[runtime::kCommandWriteToFile] = [](int32_t, const runtime::ArgumentRecord* args) {
    const auto bytes = runtime::ByteSetBytes(args[1].AsPointer());
    return runtime::BoolValue(bytes.size() == 4 && bytes[0] == 0xFF);
  };
  OnSavePicBox(nullptr, 0);
  EXPECT_EQ(CountOf(runtime::kCommandGetPicture), 0);
  EXPECT_EQ(CountOf(runtime::kCommandShowMessageBox), 1);
}

TEST_F(HandlersTest, ClearAllOnlyRedrawsThePanel) {
  Globals().loaded_picture = 3;
  OnClearAll(nullptr, 0);
  ASSERT_EQ(fake.calls.size(), 1u);
  const auto redraw = Command(runtime::kCommandRedraw);
  ASSERT_EQ(redraw.size(), 1u);
  ExpectPanel(redraw[0]);
  EXPECT_EQ(Globals().loaded_picture, 3);
}

}  // namespace
}  // namespace app
