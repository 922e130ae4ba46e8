// Labels loaded into a real window: stored values, gradients, the frame,
// captions with "&" and the feedback message.
#include "runtime/units/common/controls_test_support.h"
#include "runtime/units/label/gradient.h"
#include "runtime/units/label/label_unit.h"

namespace runtime::units::controls_testing {
namespace {

using forms::RecordValues;

std::string LabelRecord(const std::function<void(RecordValues&)>& change = {}) {
  RecordValues values(LabelSchema());
  values.SetText(label::kCaption, "");
  values.SetInt(label::kBackColor, 0x0000FF);
  if (change) change(values);
  return forms::WriteRecord(values);
}

class LabelTest : public ControlsTest {
 protected:
  void LoadLabel(const std::function<void(RecordValues&)>& change) {
    auto form = Form();
    AddUnit(form, 1, kLabelType, LabelRecord(change), 10, 10, 200, 100).bindings = {{0, 1}};
    LoadForm(form);
  }
};

TEST(Gradient, StopsSkipTheMarkerAndSegmentsInterpolate) {
  EXPECT_EQ(label::GradientStops({0xFF000000, 0x123456, 0xFF000000}).size(), 1u);
  const std::vector<COLORREF> stops = {RGB(0, 0, 0), RGB(200, 100, 0), RGB(0, 0, 0)};
  EXPECT_EQ(label::GradientColour(stops, 0, 100), RGB(0, 0, 0));
  EXPECT_EQ(label::GradientColour(stops, 25, 100), RGB(100, 50, 0));
  EXPECT_EQ(label::GradientColour(stops, 50, 100), RGB(200, 100, 0));
  EXPECT_EQ(label::GradientColour(stops, 99, 100), RGB(4, 2, 0));
  EXPECT_EQ(label::GradientColour(stops, 150, 100), RGB(0, 0, 0)) << "past the end: the last";
  // Mode 7 runs from the bottom-right corner over twice the smaller side.
  EXPECT_EQ(label::GradientPixel(stops, 7, 9, 19, 10, 20), RGB(0, 0, 0));
  EXPECT_EQ(label::GradientPixel(stops, 7, 0, 19, 10, 20), RGB(180, 90, 0));
}

TEST_F(LabelTest, FrameWidthBelowFiveIsStoredAsFiveAndChoicesAreClamped) {
  LoadLabel({});
  WriteInt(1, 11, 3);
  EXPECT_EQ(ReadInt(1, 11), 5);
  WriteInt(1, 20, 12);
  EXPECT_EQ(ReadInt(1, 20), 8);
  WriteText(1, 8, "caption");
  EXPECT_EQ(ReadText(1, 8), "caption");
  char text[32] = {};
  GetWindowTextA(UnitHwnd(1), text, sizeof text);
  EXPECT_STREQ(text, "caption");
}

TEST_F(LabelTest, AOneColourGradientIsNotDrawn) {
  LoadLabel([](RecordValues& v) {
    v.SetInt(label::kGradientMode, 2);
    v.SetInt(label::kGradientColor1, static_cast<int32_t>(0xFF000000));
    v.SetInt(label::kGradientColor2, 0x00FF00);
    v.SetInt(label::kGradientColor3, static_cast<int32_t>(0xFF000000));
  });
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 5, 50), RGB(255, 0, 0));
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 195, 50), RGB(255, 0, 0));
  WriteInt(1, 21, 0x000000);  // now two colours: black to green, left to right
  Pump();
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 0, 50), RGB(0, 0, 0));
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 199, 50), RGB(0, 253, 0));
}

TEST_F(LabelTest, TheGradientFrameSurroundsTheBackground) {
  LoadLabel([](RecordValues& v) {
    v.SetInt(label::kBorder, label::kGradientFrame);
    v.SetInt(label::kFrameWidth, 10);
    v.SetInt(label::kFrameColor1, 0x000000);
    v.SetInt(label::kFrameColor2, 0xFFFFFF);
    v.SetInt(label::kFrameColor3, 0x000000);
  });
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 100, 0), RGB(0, 0, 0)) << "top band, first colour";
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 100, 5), RGB(255, 255, 255)) << "its middle";
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 5, 50), RGB(255, 255, 255)) << "left band runs across";
  EXPECT_EQ(ClientPixel(UnitHwnd(1), 100, 50), RGB(255, 0, 0)) << "background inside";
}

TEST_F(LabelTest, AnAmpersandCaptionShowsTheAmpersand) {
  LoadLabel([](RecordValues& v) {
    v.SetText(label::kCaption, "&");
    v.SetInt(label::kAlignment, 1);
    v.SetInt(label::kTextColor, 0xFFFFFF);
  });
  int ink = 0;
  for (int y = 30; y < 70; ++y) {
    for (int x = 80; x < 120; ++x) ink += ClientPixel(UnitHwnd(1), x, y) == RGB(255, 255, 255);
  }
  EXPECT_GT(ink, 3) << "a lone & would vanish as a prefix";
}

TEST_F(LabelTest, TheFeedbackMessageRaisesEventZeroAndAnswersItsResult) {
  LoadLabel({});
  forms_testing::HandlerResults()[1] = {true, 42};
  EXPECT_EQ(SendMessageA(UnitHwnd(1), label::kFeedbackMessage, 7, 9), 42);
  EXPECT_EQ(CallsOf(1), (std::vector<std::vector<uint32_t>>{{7, 9}}));
}

}  // namespace
}  // namespace runtime::units::controls_testing
