// The system service routine as units reach it, code by code.
#include "runtime/forms/system_services.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "runtime/core/app_state.h"
#include "runtime/core/array_value.h"
#include "runtime/core/heap.h"
#include "runtime/core/idle.h"
#include "runtime/core/value.h"
#include "runtime/forms/event_record.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/window_object.h"
#include "runtime/pictures/picture_list.h"

namespace runtime::forms_testing {
namespace {

using forms::LoadWindowRequest;

constexpr uint32_t kBox = 0x16010001;

intptr_t Call(int32_t code, intptr_t first = 0, intptr_t second = 0) {
  return Services(code, first, second);
}

template <class T>
intptr_t Arg(T* pointer) {
  return reinterpret_cast<intptr_t>(pointer);
}

forms::WindowTemplate WindowWithBox() {
  FormBuilder form;
  form.Window();
  form.Unit(kBox, kBoxType, "box", 10, 10, 50, 20);
  return form.Build();
}

class SystemServicesTest : public LoaderTest {};

TEST_F(SystemServicesTest, FixedAnswersAndCodesLeftOpenAnswerZero) {
  EXPECT_EQ(Call(1004), 1);
  EXPECT_EQ(Call(1005), 0x00030005);
  App().run_mode = 3;
  EXPECT_EQ(Call(2030), 3);
  for (int32_t code : {1000, 1003, 1010, 1014, 2002, 2011, 2016, 2034, 2040, 7, 3000}) {
    EXPECT_EQ(Call(code, 1, 2), 0) << code;
  }
  EXPECT_EQ(Call(1001), Arg(&forms::Registry()));
}

TEST_F(SystemServicesTest, PathServiceWritesTheRunDirectoryOrTheFileNameAndNeverOverruns) {
  App().run_directory = "/opt/mienzo";
  App().program_file_name = "mienzo.exe";
  char buffer[forms::kPathBufferSize + 8];
  auto path = [&](intptr_t which) {
    std::memset(buffer, 'x', sizeof buffer);
    Call(1006, which, Arg(buffer));
    return std::string(buffer);
  };
  EXPECT_EQ(path(1), "/opt/mienzo\\");
  EXPECT_EQ(path(2001), "/opt/mienzo\\");
  EXPECT_EQ(path(2002), "mienzo.exe");
  EXPECT_EQ(path(5), "");
  App().run_directory = std::string(400, 'd');
  EXPECT_EQ(Call(1006, 1, Arg(buffer)), forms::kPathBufferSize - 1);
  EXPECT_EQ(buffer[forms::kPathBufferSize - 1], '\0');
  EXPECT_EQ(buffer[forms::kPathBufferSize], 'x') << "nothing beyond the buffer is touched";

  char* directory = reinterpret_cast<char*>(Call(2003));
  EXPECT_EQ(std::string(directory), App().run_directory);
  MemFree(directory);
  char* name = reinterpret_cast<char*>(Call(2004));
  EXPECT_EQ(std::string(name), "mienzo.exe");
  MemFree(name);
}

TEST_F(SystemServicesTest, LoadWindowAndLiveUnitsByWindowAndUnitId) {
  Register({WindowWithBox(), PlainWindow(kSecondWindow, 300)});
  EXPECT_EQ(Call(2006, kMainWindow, 0), 0) << "not loaded yet";
  LoadWindowRequest request{kMainWindow, nullptr, 0};
  EXPECT_EQ(Call(2005, Arg(&request)), 0);
  forms::LoadedWindow& window = Window();
  EXPECT_EQ(Call(2006, kMainWindow, 0), Arg(window.WindowObject()));
  EXPECT_EQ(Call(2006, kMainWindow, 0x06010000), Arg(window.WindowObject()));
  EXPECT_EQ(Call(2006, kMainWindow, kBox), Arg(window.LiveAt(1)));
  EXPECT_EQ(Call(2007, kMainWindow, kBox), Arg(window.LiveAt(1)));
  EXPECT_EQ(Call(2006, kMainWindow, 0x16019999), 0);
  EXPECT_EQ(Call(2006, 0x52019999, 0), 0);
  EXPECT_EQ(Call(2022, kMainWindow, kBox), kBoxType);
  EXPECT_EQ(Call(2022, kMainWindow, 0), kWindowType);
  EXPECT_EQ(Call(2022, kMainWindow, 0x16019999), 0);

  // An owner given by its object: the window is owned by it.
  LoadWindowRequest owned{kSecondWindow, window.WindowObject(), 0};
  EXPECT_EQ(Call(2005, Arg(&owned)), 0);
  EXPECT_EQ(GetWindow(Window(kSecondWindow).Window(), GW_OWNER), window.Window());

  LoadWindowRequest unknown{0x52019999, nullptr, 0};
  EXPECT_EQ(Call(2005, Arg(&unknown)), -1);
  FailingUnits() = {kBox};
  DestroyWindow(window.Window());
  EXPECT_EQ(Call(2005, Arg(&request)), -1);
}

TEST_F(SystemServicesTest, RegistryByPositionAnswersOnlyLiveWindows) {
  Register({PlainWindow(kMainWindow), PlainWindow(kSecondWindow, 300)});
  EXPECT_EQ(Call(2032), 2);
  ASSERT_TRUE(Load(kSecondWindow));
  EXPECT_EQ(Call(2033, 0), 0);
  EXPECT_EQ(Call(2033, 1), Arg(Window(kSecondWindow).Window()));
  EXPECT_EQ(Call(2033, 2), 0);
  EXPECT_EQ(Call(2033, -1), 0);
}

using SystemServicesDeathTest = SystemServicesTest;

TEST_F(SystemServicesDeathTest, AMissingUnitIsARuntimeErrorFor2007) {
  Register({WindowWithBox()});
  EXPECT_EXIT(Call(2007, kMainWindow, kBox), testing::ExitedWithCode(255),
              "^MessageBox: 错误: 运行时出错! 错误信息：指定窗口或窗口组件不存在或尚未载入\n$");
}

TEST_F(SystemServicesTest, SuspensionCountsUpAndDownButNeverBelowZero) {
  Call(2009);
  Call(2009);
  EXPECT_EQ(App().event_suppression, 2);
  Call(2010);
  Call(2010);
  Call(2010);
  EXPECT_EQ(App().event_suppression, 0);
}

TEST_F(SystemServicesTest, PendingMessagesAreDispatchedBeforeTheCounterMoves) {
  Register({PlainWindow(kMainWindow)});
  ASSERT_TRUE(Load());
  HWND window = Window().Window();
  PostMessageA(window, 0x8065, 0, 0);
  Call(2009);
  EXPECT_EQ(PrivateMessageLog().back(), std::make_pair(0x06010000u, UINT{0x8065}));
  PostMessageA(window, 0x8004, 0, 0);
  Call(2018);
  EXPECT_EQ(PrivateMessageLog().back(), std::make_pair(0x06010000u, UINT{0x8004}));
  PostQuitMessage(4);
  Call(2010);
  EXPECT_EQ(App().event_suppression, 0);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "a quit meanwhile stays for the loop";
  EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(SystemServicesTest, TypeClassificationFollowsTheEventFlags) {
  // A second library whose type 1 raises events through flag 0x04.
  static UnitTypeDescriptor types[kUnitTypeSlots] = {};
  types[0] = TestLibrary().unit_types[0];
  types[0].state_flags = 0x80000044;
  LibraryDescriptor second = TestLibrary();
  second.unit_types = types;
  Register({});
  App().libraries.push_back({&second, 0});
  EXPECT_EQ(Call(2029, 0x00020001), 2);
  EXPECT_EQ(Call(2029, kBoxType), 1);
  EXPECT_EQ(Call(2029, kMuteType), 0);
  EXPECT_EQ(Call(2029, kMissingType), 0);
  EXPECT_EQ(Call(1002, kBoxType), Arg(&TestLibrary().unit_types[1]));
  EXPECT_EQ(Call(1002, kMissingType), 0);
}

TEST_F(SystemServicesTest, WindowObjectsWrapDetachAndAttachHandles) {
  Register({PlainWindow(kMainWindow)});
  ASSERT_TRUE(Load());
  HWND window = Window().Window();
  intptr_t object = Call(1007, Arg(window));
  ASSERT_NE(object, 0);
  EXPECT_EQ(reinterpret_cast<forms::UnitObject*>(object)->window, window);
  EXPECT_EQ(Call(1011, object, Arg(window)), 0) << "it holds a handle already";
  EXPECT_EQ(Call(1009, object), Arg(window));
  EXPECT_EQ(Call(1009, object), 0);
  EXPECT_EQ(Call(1011, object, 0x7FF0), 0) << "not a window";
  EXPECT_EQ(Call(1011, object, Arg(window)), 1);
  EXPECT_EQ(Call(1008, Arg(Window().WindowObject())), 0) << "a unit object is not deleted";
  EXPECT_EQ(Call(1008, object), 1);
  EXPECT_EQ(Call(1008, object), 0) << "deleted once";
  EXPECT_EQ(Call(1009, object), 0);
}

TEST_F(SystemServicesTest, ValuesMemoryAndPictures) {
  ValueRecord number = DoubleValue(-7.9);
  EXPECT_EQ(Call(2001, Arg(&number)), -7);

  void* block = reinterpret_cast<void*>(Call(2024, 16, 0));
  ASSERT_NE(block, nullptr);
  block = reinterpret_cast<void*>(Call(2026, Arg(block), 64));
  ASSERT_NE(block, nullptr);
  Call(2025, Arg(block));
  void* plain = reinterpret_cast<void*>(Call(2024, 8, 1));
  ASSERT_NE(plain, nullptr);
  Call(2025, Arg(plain));

  const std::array<int32_t, 1> sizes = {2};
  void* texts = MakeArray(type::kText, sizes);
  SetArrayElement<void*>(texts, 0, MemAlloc(4));
  Call(2023, Arg(texts), ArrayOf(type::kText));  // the leak checker watches the element

  Picture* picture = NewPicture(PictureKind::kBmp, 1, 1, 3);
  ASSERT_NE(picture, nullptr);
  const intptr_t handle = Call(2019, Arg(picture));
  EXPECT_GT(handle, 0);
  EXPECT_EQ(Call(2021, handle), 1);
  EXPECT_EQ(Call(2020, handle), 1);
  EXPECT_EQ(Call(2021, handle), 0);
  EXPECT_EQ(Call(2020, handle), 0);
}

void CountIdle(intptr_t counter) { ++*reinterpret_cast<int*>(counter); }

TEST_F(SystemServicesTest, IdleCallbacksAreAddedAndRemovedByWindow) {
  Register({PlainWindow(kMainWindow)});
  ASSERT_TRUE(Load());
  int count = 0;
  IdleCallback callback{Window().Window(), CountIdle, Arg(&count)};
  Call(1012, Arg(&callback));
  RunIdleCallbacks();
  EXPECT_EQ(count, 1);
  Call(1013, Arg(Window().Window()));
  RunIdleCallbacks();
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace runtime::forms_testing
