// The list model without windows: GBK ordering, sorted and positional
// insertion, item data, searching and the selection.
#include "platform/controls/list_box_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/gbk.h"

namespace platform::controls {
namespace {

using gbk::Gbk;
using Match = ListBoxModel::Match;
using Order = ListBoxModel::Order;

std::vector<std::string> Texts(const ListBoxModel& m) {
  std::vector<std::string> texts;
  for (int i = 0; i < m.count(); ++i) texts.push_back(*m.Text(i));
  return texts;
}

TEST(CompareItemText, FoldsAsciiCaseAndPutsSymbolsBeforeLetters) {
  EXPECT_EQ(CompareItemText("JPG", "jpg"), 0);
  EXPECT_LT(CompareItemText("bmp", "JPG"), 0) << "not byte order, where 'J' < 'b'";
  EXPECT_LT(CompareItemText("_x", "a"), 0) << "'_' folds below the lower-case letters";
  EXPECT_LT(CompareItemText("ab", "abc"), 0);
  EXPECT_GT(CompareItemText("abc", "ab"), 0);
  EXPECT_EQ(CompareItemText("", ""), 0);
}

TEST(CompareItemText, ComparesDoubleByteCharactersWhole) {
  // GB2312 level 1 runs in pinyin order: 北 B1B1 < 上 C9CF < 中 D6D0.
  EXPECT_LT(CompareItemText(Gbk("北京"), Gbk("上海")), 0);
  EXPECT_LT(CompareItemText(Gbk("上海"), Gbk("中国")), 0);
  EXPECT_LT(CompareItemText("zzz", Gbk("中")), 0) << "Latin before Chinese";
  // A trail byte in the ASCII letter range is part of its character, not
  // a letter to fold: 81 41 and 81 61 are different characters.
  const std::string upper_trail = "\x81\x41";  // trail byte 'A'
  const std::string lower_trail = "\x81\x61";  // trail byte 'a'
  EXPECT_NE(CompareItemText(upper_trail, lower_trail), 0);
}

TEST(StartsWithItemText, MatchesWholeCharactersWithoutCase) {
  EXPECT_TRUE(StartsWithItemText("Bitmap", "bIT"));
  EXPECT_TRUE(StartsWithItemText(Gbk("中国"), Gbk("中")));
  EXPECT_TRUE(StartsWithItemText("anything", ""));
  EXPECT_FALSE(StartsWithItemText("bi", "bit"));
  // The lead byte alone is not the start of the character.
  EXPECT_FALSE(StartsWithItemText(Gbk("中国"), std::string(1, Gbk("中")[0]) + "x"));
}

TEST(ListBoxModel, SortedListOrdersLatinAndGbkItems) {
  ListBoxModel m(Order::kSorted);
  for (const char* t : {"png", "中国", "BMP", "北京", "jpg", "Gif", "上海"}) m.Add(Gbk(t));
  const std::vector<std::string> expected = {"BMP",       "Gif",       "jpg",      "png",
                                             Gbk("北京"), Gbk("上海"), Gbk("中国")};
  EXPECT_EQ(Texts(m), expected);
}

TEST(ListBoxModel, EqualTextsKeepTheOrderTheyCameIn) {
  ListBoxModel m(Order::kSorted);
  m.Add("b");
  const int first = m.Add("Same");
  m.SetData(first, 1);
  const int second = m.Add("same");
  m.SetData(second, 2);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(*m.Text(1), "Same");
  EXPECT_EQ(m.Data(2), 2);
}

TEST(ListBoxModel, ItemDataFollowsItsItemThroughSortedInserts) {
  ListBoxModel m(Order::kSorted);
  m.SetData(m.Add("m"), 13);
  m.SetData(m.Add("z"), 26);
  const int a = m.Add("a");
  EXPECT_EQ(a, 0);
  m.SetData(a, 1);
  m.Add(Gbk("中"));
  m.Add("n");
  EXPECT_EQ(m.Data(0), 1);
  EXPECT_EQ(m.Data(1), 13);
  EXPECT_EQ(*m.Text(3), "z");
  EXPECT_EQ(m.Data(3), 26);
  EXPECT_EQ(m.Data(4), 0) << "an item without data reads 0";
  EXPECT_EQ(m.Data(5), LB_ERR);
  EXPECT_FALSE(m.SetData(-1, 5));
}

TEST(ListBoxModel, InsertIgnoresTheOrderAndChecksTheIndex) {
  ListBoxModel m(Order::kSorted);
  m.Add("b");
  m.Add("c");
  EXPECT_EQ(m.Insert(0, "z"), 0);
  EXPECT_EQ(m.Insert(-1, "a"), 3) << "-1 appends";
  EXPECT_EQ(m.Insert(5, "x"), LB_ERR) << "past the end";
  EXPECT_EQ(m.Insert(-2, "x"), LB_ERR);
  EXPECT_EQ(m.Insert(4, "end"), 4) << "at the end itself";
  EXPECT_EQ(m.count(), 5);
}

TEST(ListBoxModel, SelectionMovesWithInsertsAndDeletes) {
  ListBoxModel m;
  for (const char* t : {"a", "b", "c", "d"}) m.Add(t);
  ASSERT_TRUE(m.Select(2));
  m.Insert(0, "front");
  EXPECT_EQ(m.selection(), 3) << "still on \"c\"";
  EXPECT_EQ(m.Delete(0), 4);
  EXPECT_EQ(m.selection(), 2);
  m.Delete(3);
  EXPECT_EQ(m.selection(), 2) << "a later item leaves it";
  EXPECT_EQ(m.Delete(2), 2);
  EXPECT_EQ(m.selection(), -1) << "deleting it clears it";
  EXPECT_EQ(m.Delete(7), LB_ERR);
}

TEST(ListBoxModel, SelectingOutOfRangeClearsTheSelection) {
  ListBoxModel m;
  m.Add("a");
  m.Add("b");
  ASSERT_TRUE(m.Select(1));
  EXPECT_FALSE(m.Select(2));
  EXPECT_EQ(m.selection(), -1);
  m.Select(0);
  EXPECT_TRUE(m.Select(-1));
  EXPECT_EQ(m.selection(), -1);
  m.Select(1);
  m.Clear();
  EXPECT_EQ(m.selection(), -1);
  EXPECT_EQ(m.count(), 0);
}

TEST(ListBoxModel, FindStartsAfterAnItemAndGoesRound) {
  ListBoxModel m;
  for (const char* t : {"apple", "Banana", "apricot", "banana"}) m.Add(t);
  EXPECT_EQ(m.Find("ap", -1, Match::kPrefix), 0);
  EXPECT_EQ(m.Find("ap", 0, Match::kPrefix), 2);
  EXPECT_EQ(m.Find("ap", 2, Match::kPrefix), 0) << "round to the start";
  EXPECT_EQ(m.Find("AP", 0, Match::kPrefix), 2) << "without case";
  EXPECT_EQ(m.Find("apple", 0, Match::kPrefix), 0) << "back to the start item itself";
  EXPECT_EQ(m.Find("banana", 1, Match::kExact), 3);
  EXPECT_EQ(m.Find("ban", -1, Match::kExact), LB_ERR);
  EXPECT_EQ(m.Find("cherry", -1, Match::kPrefix), LB_ERR);
  EXPECT_EQ(m.Find("ap", 99, Match::kPrefix), 0) << "an index out of range searches all";
  EXPECT_EQ(ListBoxModel().Find("a", -1, Match::kPrefix), LB_ERR);
}

}  // namespace
}  // namespace platform::controls
