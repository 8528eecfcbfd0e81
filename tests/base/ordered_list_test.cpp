// Tests of the object lists and the walk's cursor rule.
#include "base/ordered_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Item {
  int id;
  float weight;
};

ObjectList<Item> MakeList(int count) {
  ObjectList<Item> list;
  for (int id = 1; id <= count; ++id) list.Append().id = id;
  return list;
}

std::vector<int> Ids(const ObjectList<Item>& list) {
  std::vector<int> ids;
  for (int i = 0; i < list.Count(); ++i) ids.push_back(list.At(i).id);
  return ids;
}

// Walks the list, removing the items whose id is in `remove`; gives the ids visited.
std::vector<int> WalkRemoving(ObjectList<Item>& list, const std::vector<int>& remove) {
  std::vector<int> visited;
  list.Walk([&](Item& item) {
    visited.push_back(item.id);
    return std::find(remove.begin(), remove.end(), item.id) != remove.end();
  });
  return visited;
}

}  // namespace

TEST(ObjectList, RemovingTheFirstPassesOverTheNext) {
  ObjectList<Item> list = MakeList(5);
  EXPECT_EQ(WalkRemoving(list, {1}), (std::vector<int>{1, 3, 4, 5}))
      << "after removing the first element its follower is passed over";
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 3, 4, 5}));

  // 2 becomes first when 1 goes; removing 2 is again removing the first.
  list = MakeList(5);
  EXPECT_EQ(WalkRemoving(list, {1, 3}), (std::vector<int>{1, 3, 4, 5}))
      << "3 is not first when it goes (2 is), so 4 is not passed over";
  EXPECT_EQ(Ids(list), (std::vector<int>{2, 4, 5}));

  list = MakeList(4);
  EXPECT_EQ(WalkRemoving(list, {1, 2, 3, 4}), (std::vector<int>{1, 3, 4}))
      << "removing everything visited still passes over the element after the first";
  EXPECT_EQ(Ids(list), (std::vector<int>{2}));
}

TEST(ObjectList, RemovingAnotherPassesOverNothing) {
  ObjectList<Item> list = MakeList(5);
  EXPECT_EQ(WalkRemoving(list, {3}), (std::vector<int>{1, 2, 3, 4, 5}))
      << "after removing an element that is not first the walk goes on with its follower";
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 4, 5}));

  list = MakeList(5);
  EXPECT_EQ(WalkRemoving(list, {2, 3, 5}), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 4}));
}

TEST(ObjectList, RemovingTheOnlyElementEndsTheWalk) {
  ObjectList<Item> list = MakeList(1);
  EXPECT_EQ(WalkRemoving(list, {1}), (std::vector<int>{1}));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(WalkRemoving(list, {}).empty()) << "an empty list visits nothing";
}

TEST(ObjectList, AppendingToAnotherListDuringAWalk) {
  ObjectList<Item> walked = MakeList(3);
  ObjectList<Item> other = MakeList(2);
  walked.Walk([&](Item& item) {
    Item& added = other.Append();
    added.id = 10 * item.id;
    return item.id == 2;
  });
  EXPECT_EQ(Ids(other), (std::vector<int>{1, 2, 10, 20, 30})) << "appended elements come last, in order";
  EXPECT_EQ(WalkRemoving(other, {}), (std::vector<int>{1, 2, 10, 20, 30}))
      << "elements appended during another walk are visited when this list is walked";
}

TEST(ObjectList, AppendedRecordsStartAtZero) {
  ObjectList<Item> list;
  Item& first = list.Append();
  first.id = 7;
  first.weight = 2.5f;
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  const Item& again = list.Append();
  EXPECT_EQ(again.id, 0) << "every field of a new record is 0, also where an old one was";
  EXPECT_EQ(again.weight, 0.0f);
}
