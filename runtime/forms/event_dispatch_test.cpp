#include "runtime/forms/event_dispatch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/app_state.h"
#include "runtime/core/error_report.h"
#include "runtime/core/type_code.h"
#include "runtime/forms/event_test_support.h"

namespace runtime::forms_testing {
namespace {

using forms::EventRecord;
using forms::TypedEventRecord;
using Words = std::vector<uint32_t>;

constexpr uint32_t kWindowId = 0x52010001;
constexpr uint32_t kOwnId = 0x06010000;
constexpr uint32_t kFirst = 0x16010001;
constexpr uint32_t kSecond = 0x16010002;
constexpr uint32_t kThird = 0x16010003;
constexpr uint32_t kMenu = 0x26010004;

EventRecord Event(uint32_t unit_id, int32_t event, Words arguments = {}) {
  EventRecord record;
  record.window_id = kWindowId;
  record.unit_id = unit_id;
  record.event = event;
  record.argument_count = static_cast<int32_t>(arguments.size());
  for (size_t i = 0; i < arguments.size() && i < 5; ++i) record.arguments[i] = arguments[i];
  return record;
}

int32_t Raise(uint32_t unit_id, int32_t event, Words arguments = {}) {
  EventRecord record = Event(unit_id, event, std::move(arguments));
  return forms::RaiseEvent(record);
}

std::vector<int32_t> CalledPositions() {
  std::vector<int32_t> positions;
  for (const HandlerCall& call : HandlerCalls()) positions.push_back(call.position);
  return positions;
}

class EventDispatchTest : public EventTest {
 protected:
  // A window with `window_bindings` (event 5 to handler 6 unless told),
  // with units filled in by `build`.
  template <class Build>
  void RegisterForm(Build build, std::vector<forms::EventBinding> window_bindings = {{5, 6}}) {
    FormBuilder form;
    form.Window().bindings = std::move(window_bindings);
    build(form);
    Register({form.Build()});
  }
};

TEST_F(EventDispatchTest, BindingsDecideWhichHandlerRunsIfAny) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kBoxType, "none", 0, 0, 10, 10);
    // Offset 0 names the first handler; only 0xFFFFFFFF means none; the first
    // binding of an event wins.
    form.Unit(kSecond, kBoxType, "bound", 0, 0, 10, 10).bindings = {
        {-6, kNoHandler}, {-1, 0}, {0, 3}, {0, 4}};
    form.MenuItem(kMenu, "item", 0).handler = 2;
  });
  EXPECT_EQ(Raise(kFirst, -1), 0) << "a unit without bindings";
  EXPECT_EQ(Raise(kSecond, -6), 0) << "bound to no handler";
  EXPECT_EQ(Raise(kSecond, -2), 0) << "an event it does not bind";
  EXPECT_TRUE(HandlerCalls().empty());
  EXPECT_EQ(App().current_event_source.window_id, 0u) << "no handler, no event source";

  EXPECT_EQ(Raise(kSecond, -1, {7, 8, 9}), 1);
  EXPECT_EQ(Raise(kSecond, 0), 1);
  EXPECT_EQ(Raise(kMenu, 123), 1) << "a menu item's one handler answers any event";
  EXPECT_EQ(Raise(0, 5), 1) << "unit id 0 is the window itself";
  EXPECT_EQ(CalledPositions(), (std::vector<int32_t>{0, 3, 2, 6}));
  EXPECT_EQ(HandlerCalls()[0].arguments, (Words{7, 8, 9}));
}

TEST_F(EventDispatchTest, ArgumentsGoInOrderAndTheAnswerComesBackWithItsFlag) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kBoxType, "one", 0, 0, 10, 10).bindings = {{0, 1}, {1, 2}};
  });
  EventRecord nothing = Event(kFirst, 0, {1, 2, 3, 4, 5});
  EXPECT_EQ(forms::RaiseEvent(nothing), 1);
  EXPECT_EQ(nothing.returned, 0u) << "no value returned";

  HandlerResults()[2] = {true, 0};
  EventRecord zero = Event(kFirst, 1);
  forms::RaiseEvent(zero);
  EXPECT_EQ(zero.returned, 1u) << "0 is a value too";
  EXPECT_EQ(zero.returned_value, 0u);

  HandlerResults()[2] = {true, -7};
  EventRecord seven = Event(kFirst, 1);
  forms::RaiseEvent(seven);
  EXPECT_EQ(seven.returned_value, static_cast<uint32_t>(-7));

  EventRecord too_many = Event(kFirst, 0, {1, 2, 3, 4, 5});
  too_many.argument_count = 40;
  forms::RaiseEvent(too_many);
  EventRecord negative = Event(kFirst, 0, {1});
  negative.argument_count = -1;
  forms::RaiseEvent(negative);
  ASSERT_EQ(HandlerCalls().size(), 5u);
  EXPECT_EQ(HandlerCalls()[0].arguments, (Words{1, 2, 3, 4, 5}));
  EXPECT_EQ(HandlerCalls()[3].arguments, (Words{1, 2, 3, 4, 5})) << "never past the record";
  EXPECT_EQ(HandlerCalls()[4].arguments, Words{});
}

TypedEventRecord Typed(std::vector<forms::TypedArgument> arguments) {
  TypedEventRecord record;
  record.window_id = kWindowId;
  record.unit_id = kFirst;
  record.argument_count = static_cast<int32_t>(arguments.size());
  for (size_t i = 0; i < arguments.size() && i < 12; ++i) record.arguments[i] = arguments[i];
  return record;
}

TEST_F(EventDispatchTest, TypedArgumentsBecomeOneOrTwoWordsByStateAndType) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kBoxType, "one", 0, 0, 10, 10).bindings = {{0, 1}};
  });
  TypedEventRecord record = Typed({
      {0x11, 0x12, type::kLong, 1},      // by address: one word, whatever the type
      {0x21, 0x22, type::kInt, 2},       // state bit 1: two words
      {0x31, 0x32, 0x00010003, 0},       // a menu-item reference: two words
      {0x1FF, 9, type::kByte, 0},        // byte: zero-extended low byte
      {0x18001, 9, type::kShort, 0},     // short: sign-extended low half
      {0x41, 0x42, type::kDateTime, 0},  // 64-bit kinds: low then high
      {0x51, 0x52, type::kOther8, 0},    //
      {0x61, 0x62, type::kLong, 0},      //
      {0x71, 0x72, type::kDouble, 0},    //
      {0x81, 0x82, type::kInt, 0},       // everything else: the low word
      {0x91, 0x92, type::kText, 0},      //
      {0xA1, 0xA2, type::kFloat, 4},     // unknown state bits change nothing
  });
  EXPECT_EQ(forms::RaiseTypedEvent(record), 1);
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].arguments,
            (Words{0x11, 0x21, 0x22, 0x31, 0x32, 0xFF, 0xFFFF8001, 0x41, 0x42, 0x51, 0x52, 0x61,
                   0x62, 0x71, 0x72, 0x81, 0x91, 0xA1}));
  EXPECT_EQ(record.returned, 0u);

  HandlerResults()[1] = {true, 0x123456789};
  TypedEventRecord wide = Typed({});
  wide.argument_count = 99;  // held to the record's twelve
  forms::RaiseTypedEvent(wide);
  EXPECT_EQ(HandlerCalls()[1].arguments.size(), 12u);
  EXPECT_EQ(wide.returned, 1u);
  EXPECT_EQ(wide.returned_low, 0x23456789u);
  EXPECT_EQ(wide.returned_high, 0x1u);

  HandlerResults()[1] = {true, -2};
  TypedEventRecord negative = Typed({});
  forms::RaiseTypedEvent(negative);
  EXPECT_EQ(negative.returned_low, 0xFFFFFFFEu);
  EXPECT_EQ(negative.returned_high, 0xFFFFFFFFu) << "a 32-bit answer keeps its sign";
}

Words SourceNow() {
  uint32_t source[2] = {0xDEAD, 0xBEEF};
  if (!forms::CopyEventSource(source)) return {};
  return {source[0], source[1]};
}

TEST_F(EventDispatchTest, EventSourceHoldsWhileTheHandlerRunsAndNestedEventsClearIt) {
  RegisterForm(
      [](FormBuilder& form) {
        form.Unit(kFirst, kBoxType, "outer", 0, 0, 10, 10).bindings = {{0, 0}};
        form.Unit(kSecond, kBoxType, "inner", 0, 0, 10, 10).bindings = {{0, 1}};
      },
      {{0, 3}});
  std::vector<Words> seen;
  HandlerActions()[0] = [&] {
    seen.push_back(SourceNow());
    Raise(kSecond, 0);
    seen.push_back(SourceNow());
  };
  HandlerActions()[1] = [&] { seen.push_back(SourceNow()); };
  HandlerActions()[3] = [&] { seen.push_back(SourceNow()); };

  EXPECT_EQ(SourceNow(), Words{});
  Raise(kFirst, 0);
  Raise(0, 0);
  EXPECT_EQ(seen, (std::vector<Words>{{kWindowId, kFirst},
                                      {kWindowId, kSecond},
                                      {},  // the nested handler cleared it for the outer one
                                      {kWindowId, kOwnId}}));
  EXPECT_EQ(SourceNow(), Words{}) << "cleared after the handler";
  EXPECT_FALSE(forms::CopyEventSource(nullptr));
}

TEST_F(EventDispatchTest, SuppressionCounterHidesEveryHandlerUntilItIsBackToZero) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kBoxType, "one", 0, 0, 10, 10).bindings = {{-1, 1}};
  });
  App().event_suppression = 2;  // a load inside a re-creation, say
  EXPECT_EQ(Raise(kFirst, -1), 0);
  EXPECT_EQ(Raise(0x16FFFFFF, -1), 0) << "suppressed before anything is looked up";
  App().event_suppression = 1;
  EXPECT_EQ(Raise(kFirst, -1), 0);
  EXPECT_EQ(App().current_event_source.window_id, 0u);
  App().event_suppression = 0;
  EXPECT_EQ(Raise(kFirst, -1), 1);
  EXPECT_EQ(HandlerCalls().size(), 1u);
}

TEST_F(EventDispatchTest, EventSourceChainsFollowUnitsOfTheSameTypeOnly) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kBoxType, "uses second", 0, 0, 10, 10).event_source = kSecond;
    form.Unit(kSecond, kBoxType, "uses third", 0, 0, 10, 10).event_source = kThird;
    form.Unit(kThird, kBoxType, "third", 0, 0, 10, 10).bindings = {{0, 3}};
    auto& other = form.Unit(0x16010005, kBoxType, "names another type", 0, 0, 10, 10);
    other.event_source = 0x16010006;
    other.bindings = {{0, 5}};
    form.Unit(0x16010006, kOtherType, "other type", 0, 0, 10, 10).bindings = {{0, 6}};
    auto& missing = form.Unit(0x16010007, kBoxType, "names nothing", 0, 0, 10, 10);
    missing.event_source = 0x160100FF;
    missing.bindings = {{0, 7}};
  });
  EXPECT_EQ(Raise(kFirst, 0), 1);
  EXPECT_EQ(App().current_event_source.window_id, 0u);
  Raise(0x16010005, 0);
  Raise(0x16010007, 0);
  EXPECT_EQ(CalledPositions(), (std::vector<int32_t>{3, 5, 7}));
}

TEST_F(EventDispatchTest, EventSourceChainThatLoopsStopsInsteadOfHanging) {
  RegisterForm([](FormBuilder& form) {
    auto& first = form.Unit(kFirst, kBoxType, "a", 0, 0, 10, 10);
    first.event_source = kSecond;
    first.bindings = {{0, 1}};
    auto& second = form.Unit(kSecond, kBoxType, "b", 0, 0, 10, 10);
    second.event_source = kFirst;
    second.bindings = {{0, 2}};
    auto& self = form.Unit(kThird, kBoxType, "itself", 0, 0, 10, 10);
    self.event_source = kThird;
    self.bindings = {{0, 3}};
  });
  Raise(kFirst, 0);   // a -> b, which names a again: b's bindings
  Raise(kSecond, 0);  // b -> a, which names b again: a's bindings
  Raise(kThird, 0);
  EXPECT_EQ(CalledPositions(), (std::vector<int32_t>{2, 1, 3}));
}

void ExpectReportEnds(const std::function<void()>& raise, const char* text) {
  EXPECT_EXIT(raise(), testing::ExitedWithCode(255),
              std::string("^MessageBox: 错误: 运行时出错! 错误信息：") + text + "\n$");
}

TEST_F(EventDispatchTest, MissingWindowOrUnitAndTypesWithoutEventsAreRunTimeErrors) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kMuteType, "mute", 0, 0, 10, 10).bindings = {{0, 1}};
    form.Unit(kSecond, kMissingType, "no type", 0, 0, 10, 10);
    form.Unit(kThird, kMuteType, "mute, names a box", 0, 0, 10, 10).event_source = 0x16010005;
    form.Unit(0x16010005, kBoxType, "box", 0, 0, 10, 10).bindings = {{0, 1}};
  });
  ExpectReportEnds(
      [] {
        EventRecord record = Event(kFirst, 0);
        record.window_id = 0x52010002;
        forms::RaiseEvent(record);
      },
      "未找到引发事件的窗口");
  ExpectReportEnds([] { Raise(0x16010009, 0); }, "未找到引发事件的窗口组件");
  ExpectReportEnds([] { Raise(kFirst, 0); }, "引发事件的窗口组件无效");
  ExpectReportEnds([] { Raise(kSecond, 0); }, "引发事件的窗口组件无效");
  ExpectReportEnds([] { Raise(kThird, 0); }, "引发事件的窗口组件无效");
}

int32_t RaiseFromHook(int32_t, const char*) {
  std::fprintf(stderr, "raised %d\n", Raise(kFirst, 0));
  return 1;
}

TEST_F(EventDispatchTest, NoHandlerRunsOnceAnErrorWasReported) {
  RegisterForm([](FormBuilder& form) {
    form.Unit(kFirst, kBoxType, "one", 0, 0, 10, 10).bindings = {{0, 1}};
  });
  EXPECT_EXIT(
      {
        App().error_hook = RaiseFromHook;
        ReportRuntimeError("x", 0);
      },
      testing::ExitedWithCode(255), "^raised 0\n$");
}

}  // namespace
}  // namespace runtime::forms_testing
