// Lists and combos: rows, selection and the notifications of choosing and clicking rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/control.h"
#include "ui/test_window.h"

namespace vandrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestWindow;

Control& ComboWithThree(TestWindow& test) {
  Control& combo = test.Add(ControlKind::kCombo, "ms_key_fct_combo");
  for (const char* text : {"a", "b", "c"}) combo.AddItem(ListItem::OfText(text));
  return combo;
}

TEST(ItemsTest, SelectingAnItemNotifiesWithNewAndOldIndex) {
  TestWindow test;
  Control& combo = ComboWithThree(test);
  EXPECT_EQ(combo.CurrentIndex(), -1);
  EXPECT_TRUE(combo.SelectItem(1, Notify::kYes));
  EXPECT_TRUE(combo.SelectItem(2, Notify::kYes));
  EXPECT_TRUE(combo.SelectItem(2, Notify::kYes));
  EXPECT_TRUE(combo.SelectItem(0, Notify::kNo));
  EXPECT_THAT(test.Seen(),
              ElementsAre("itemselect ms_key_fct_combo 1 -1", "itemselect ms_key_fct_combo 2 1"));
  EXPECT_EQ(combo.CurrentIndex(), 0);
}

TEST(ItemsTest, OutOfRangeSelectionIsRefused) {
  TestWindow test;
  Control& combo = ComboWithThree(test);
  combo.SelectItem(1, Notify::kNo);
  EXPECT_FALSE(combo.SelectItem(3, Notify::kYes));
  EXPECT_FALSE(combo.SelectItem(-2, Notify::kYes));
  EXPECT_EQ(combo.CurrentIndex(), 1);
  EXPECT_TRUE(combo.SelectItem(-1, Notify::kNo));
  EXPECT_EQ(combo.CurrentIndex(), -1);
  EXPECT_THAT(test.Seen(), IsEmpty());
  EXPECT_EQ(combo.ItemText(7), "");
  EXPECT_TRUE(combo.Item(-1).cells.empty());
}

TEST(ItemsTest, SelectionFollowsItsRowOnInsertAndRemove) {
  TestWindow test;
  Control& list = test.Add(ControlKind::kList, "ms_MacroName_list");
  for (const char* name : {"m0", "m1", "m2"}) list.AddItem(ListItem::OfText(name));
  list.SelectItem(1, Notify::kNo);
  EXPECT_TRUE(list.InsertItem(0, ListItem::OfText("new")));
  EXPECT_EQ(list.CurrentIndex(), 2);
  EXPECT_EQ(list.ItemText(2), "m1");
  EXPECT_TRUE(list.RemoveItem(0));
  EXPECT_EQ(list.CurrentIndex(), 1);
  EXPECT_TRUE(list.RemoveItem(2));
  EXPECT_EQ(list.CurrentIndex(), 1) << "removing a later row leaves the selection";
  EXPECT_TRUE(list.RemoveItem(1));
  EXPECT_EQ(list.CurrentIndex(), -1) << "removing the selected row clears it";
  EXPECT_FALSE(list.RemoveItem(5));
  EXPECT_FALSE(list.InsertItem(3, ListItem::OfText("x")));
  EXPECT_TRUE(list.InsertItem(1, ListItem::OfText("end")));
  list.RemoveAllItems();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_THAT(test.Seen(), IsEmpty());
}

TEST(ItemsTest, ClickingARowSelectsItThenReportsTheClick) {
  TestWindow test;
  Control& list = test.Add(ControlKind::kList, "ms_Macro_list");
  list.AddItem(ListItem::OfText("step"));
  list.AddItem(ListItem::OfText("step"));
  EXPECT_TRUE(list.ClickItem(1));
  EXPECT_TRUE(list.ClickItem(1));
  EXPECT_FALSE(list.ClickItem(2));
  EXPECT_THAT(test.Seen(),
              ElementsAre("itemselect ms_Macro_list 1 -1", "itemclick ms_Macro_list 1 -1",
                          "itemclick ms_Macro_list 1 -1"));
}

TEST(ItemsTest, RowsOfSeveralCellsKeepUserDataAndStyles) {
  TestWindow test;
  Control& list = test.Add(ControlKind::kList, "kb_Macro_list");
  ListItem row;
  row.cells = {{"keyboard_key_A", true, "macro_label_keyboard_style"},
               {"", false, "macro_label_down_style"},
               {"50", false, "macro_label_text_style"}};
  row.user_data = "7";
  row.height = 25;
  row.style = "listex_item_style";
  list.AddItem(row);
  test.texts().SetLanguage("en", {{"keyboard_key_A", "A key"}});
  EXPECT_EQ(list.Item(0), row);
  EXPECT_EQ(list.ItemText(0), "A key");
  EXPECT_TRUE(list.SetItem(0, ListItem::OfText("other")));
  EXPECT_EQ(list.ItemText(0), "other");
}

TEST(ItemsTest, OnlyAListWithRowsScrollsToItsLastRow) {
  TestWindow test;
  Control& list = test.Add(ControlKind::kList, "ms_Macro_list");
  Control& combo = ComboWithThree(test);
  list.ScrollToEnd();
  EXPECT_EQ(list.ScrolledTo(), -1) << "no rows";
  for (const int rows : {1, 3}) {
    while (list.ItemCount() < rows) list.AddItem(ListItem::OfText("row"));
    list.ScrollToEnd();
    EXPECT_EQ(list.ScrolledTo(), rows - 1);
  }
  list.RemoveAllItems();
  EXPECT_EQ(list.ScrolledTo(), -1) << "the rows went";
  combo.ScrollToEnd();
  EXPECT_EQ(combo.ScrolledTo(), -1) << "a combo shows one row";
}

}  // namespace
}  // namespace vandrel
