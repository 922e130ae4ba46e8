#include "runtime/pictures/picture_list.h"

#include <gtest/gtest.h>

#include "runtime/pictures/decoders.h"
#include "runtime/pictures/test_support.h"

namespace runtime {
namespace {

using namespace testing_pictures;

Picture* NewPixels() { return NewPicture(PictureKind::kBmp, 1, 1, 3); }

TEST(PictureList, HandlesAreSmallNonZeroNumbersAndAPictureIsAddedOnce) {
  PictureList list;
  Picture* a = NewPixels();
  Picture* b = NewPixels();
  int32_t ha = list.Add(a);
  int32_t hb = list.Add(b);
  EXPECT_EQ(ha, 1);
  EXPECT_EQ(hb, 2);
  EXPECT_EQ(list.Add(a), ha) << "no duplicates";
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.Find(ha), a);
  EXPECT_EQ(list.Find(hb), b);
  EXPECT_TRUE(list.Contains(hb));
  EXPECT_EQ(list.Add(nullptr), 0);
}

TEST(PictureList, UnknownHandlesFindNothing) {
  PictureList list;
  int32_t handle = list.Add(NewPixels());
  for (int32_t h : {0, -1, handle + 1, 0x7FFFFFFF}) {
    EXPECT_FALSE(list.Contains(h)) << h;
    EXPECT_EQ(list.Find(h), nullptr) << h;
    EXPECT_FALSE(list.Remove(h)) << h;
  }
  EXPECT_EQ(list.size(), 1u);
}

TEST(PictureList, RemoveReleasesAndTheHandleIsNotReused) {
  PictureList list;
  Picture* icon = DecodeIcon(AsBytes(TestFile("icon_mixed.ico")));
  ASSERT_NE(icon, nullptr);
  HICON handle_of_icon = icon->icon;
  int32_t first = list.Add(icon);
  EXPECT_TRUE(list.Remove(first));
  EXPECT_FALSE(list.Contains(first));
  EXPECT_FALSE(DestroyIcon(handle_of_icon)) << "the picture was released with its icon";
  EXPECT_FALSE(list.Remove(first)) << "removed once only";
  int32_t next = list.Add(NewPixels());
  EXPECT_NE(next, first);
  EXPECT_FALSE(list.Contains(first)) << "a stale handle does not name the newer picture";
}

TEST(PictureList, ClearReleasesEverything) {
  PictureList list;
  Picture* icon = DecodeIcon(AsBytes(TestFile("cursor_32.cur")));
  ASSERT_NE(icon, nullptr);
  HICON handle_of_icon = icon->icon;
  int32_t handle = list.Add(icon);
  list.Add(NewPixels());
  list.Clear();
  EXPECT_EQ(list.size(), 0u);
  EXPECT_FALSE(list.Contains(handle));
  EXPECT_FALSE(DestroyIcon(handle_of_icon));
}

TEST(PictureList, TheRuntimeKeepsOneList) { EXPECT_EQ(&RuntimePictures(), &RuntimePictures()); }

TEST(ReleasePicture, NullIsIgnored) { ReleasePicture(nullptr); }

}  // namespace
}  // namespace runtime
