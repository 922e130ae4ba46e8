#include "runtime/core/value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "runtime/core/array_value.h"
#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/core/text_value.h"

namespace runtime {
namespace {

TEST(ValueRecord, PointersAndWideValuesSpanBothWords) {
  int anchor = 0;
  ValueRecord v = TextValue(reinterpret_cast<const char*>(&anchor));
  EXPECT_EQ(v.AsPointer(), &anchor);
  EXPECT_EQ(v.type, type::kText);

  ValueRecord d = DoubleValue(-1.5);
  uint64_t bits;
  std::memcpy(&bits, &d, 8);  // low word first, as the record is laid out
  EXPECT_EQ(bits, 0xBFF8000000000000ull);
  EXPECT_EQ(d.AsDouble(), -1.5);

  ValueRecord l = LongValue(-2);
  EXPECT_EQ(l.low, 0xFFFFFFFEu);
  EXPECT_EQ(l.high, 0xFFFFFFFFu);

  ValueRecord unit = UnitReference(0x52010001, 0x16010005, LibraryType(1, 8));
  EXPECT_EQ(unit.low, 0x52010001u);
  EXPECT_EQ(unit.high, 0x16010005u);
  EXPECT_EQ(unit.type, 0x00010008u);
}

TEST(TypeCode, ClassesArraysAndLibraryTypes) {
  EXPECT_EQ(ClassOf(0), TypeClass::kNone);
  EXPECT_EQ(ClassOf(type::kText), TypeClass::kSystem);
  EXPECT_EQ(ClassOf(0x40000001), TypeClass::kApplication);
  EXPECT_EQ(ClassOf(0x0001001F), TypeClass::kLibrary);
  EXPECT_EQ(LibraryNumberOf(0x0001001F), 1);
  EXPECT_EQ(TypeNumberOf(0x0001001F), 31);
  EXPECT_TRUE(IsArray(ArrayOf(type::kText)));
  EXPECT_EQ(ElementType(ArrayOf(type::kByteSet)), type::kByteSet);
  EXPECT_EQ(ArrayOf(type::kText), 0xA0000004u);
}

void CountArguments(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->SetInt32(count);
  // The third argument is optional; an omitted one is a zero record.
  result->high = ArgumentAt(count, args, 2).IsOmitted() ? 1 : 0;
}

void TouchNothing(ValueRecord*, int32_t, ArgumentRecord*) {}

TEST(CallCommand, ZeroedResultAndOmittedArguments) {
  ValueRecord none = CallCommand(TouchNothing, 0, nullptr);
  EXPECT_EQ(none.low, 0u);
  EXPECT_EQ(none.high, 0u);
  EXPECT_EQ(none.type, 0u);

  ArgumentRecord args[3] = {IntValue(1), IntValue(2), ArgumentRecord{}};
  ValueRecord r = CallCommand(CountArguments, 3, args);
  EXPECT_EQ(r.AsInt32(), 3);
  EXPECT_EQ(r.high, 1u) << "an omitted argument is absent, not the integer 0";
  EXPECT_EQ(CallCommand(CountArguments, 2, args).high, 1u) << "reads stay within the count";
}

TEST(ValueToInteger, ConvertsEveryNumericKind) {
  EXPECT_EQ(ValueToInteger(ByteValue(200)), 200);
  EXPECT_EQ(ValueToInteger(ShortValue(-2)), -2);
  EXPECT_EQ(ValueToInteger(LongValue(0x100000005ll)), 5);
  EXPECT_EQ(ValueToInteger(FloatValue(-12.9f)), -12);
  EXPECT_EQ(ValueToInteger(DoubleValue(4294967296.0 + 7.5)), 7);
  EXPECT_EQ(ValueToInteger(DoubleValue(std::numeric_limits<double>::quiet_NaN())), 0);
  EXPECT_EQ(ValueToInteger(DoubleValue(1e300)), 0);
}

TEST(ValueToIntegerDeathTest, NonNumericValueEndsTheProgram) {
  EXPECT_EXIT(ValueToInteger(TextValue("1")), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：欲转换数据类型不是数值\n$");
}

TEST(Builders, EmptySourcesGiveNull) {
  EXPECT_EQ(MakeText(""), nullptr);
  EXPECT_EQ(MakeText(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(MakeByteSet("abc", 0), nullptr);
  EXPECT_EQ(MakeByteSet("abc", -4), nullptr);
  EXPECT_TRUE(ByteSetBytes(nullptr).empty());
}

TEST(Builders, ByteSetAndTextCopyTheirSource) {
  char source[] = "pixels";
  void* set = MakeByteSet(source, 6);
  char* text = MakeText(source);
  source[0] = 'P';
  ByteSetHeader header;
  std::memcpy(&header, set, sizeof header);
  EXPECT_EQ(header.dimensions, 1);
  EXPECT_EQ(header.count, 6);
  auto bytes = ByteSetBytes(set);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "pixels");
  EXPECT_STREQ(text, "pixels");
  MemFree(set);
  MemFree(text);
}

TEST(Builders, NegativeCountReadsAsEmpty) {
  ByteSetHeader damaged{1, -1};
  EXPECT_TRUE(ByteSetBytes(&damaged).empty());
}

TEST(Arrays, TextArrayReleasesEveryElement) {
  const int32_t sizes[] = {2, 3};
  void* array = MakeArray(type::kText, sizes);
  ASSERT_EQ(ArrayDimensionCount(array), 2);
  ASSERT_EQ(ArrayElementCount(array), 6u);
  for (size_t i = 0; i < 6; ++i) SetArrayElement(array, i, MakeText(std::to_string(i)));
  MemFree(ArrayElementAt<char*>(array, 3));
  SetArrayElement<char*>(array, 3, nullptr);  // a null element is the empty text
  EXPECT_STREQ(ArrayElementAt<char*>(array, 5), "5");
  // The leak checker of the sanitizer build fails this test if an element
  // survives the release.
  FreeArray(array, ArrayOf(type::kText));
}

TEST(Arrays, ElementWidthsFollowTheValueKinds) {
  EXPECT_EQ(ElementWidth(type::kByte), 1u);
  EXPECT_EQ(ElementWidth(type::kShort), 2u);
  EXPECT_EQ(ElementWidth(type::kBool), 4u);
  EXPECT_EQ(ElementWidth(type::kDateTime), 8u);
  EXPECT_EQ(ElementWidth(type::kByteSet), sizeof(void*));
  const int32_t sizes[] = {4};
  void* doubles = MakeArray(type::kDouble, sizes);
  auto* start = static_cast<char*>(ArrayElements(doubles));
  EXPECT_EQ(start - static_cast<char*>(doubles), 8);  // count + one size
  FreeArray(doubles, type::kDouble);
}

}  // namespace
}  // namespace runtime
