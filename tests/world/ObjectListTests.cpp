#include "WorldTesting.h"

#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{

// Lists never look inside their objects, so distinct addresses stand in for them.
Object* fake(int n)
{
    static char storage[10000];
    return reinterpret_cast<Object*>(&storage[n]);
}

std::vector<Object*> walk(const ObjectList& list)
{
    std::vector<Object*> seen;
    for (ov::ObjectListIterator it(&list); !it.isDone(); it.next())
        seen.push_back(it.currentObject());
    return seen;
}

const char DUPLICATE[] = "Insert failed due to element already in list.";

} // namespace

TEST(ObjectList, GrowsByDoublingOnlyWhenFull)
{
    ObjectList list;
    EXPECT_EQ(list.getCapacity(), 1);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_TRUE(ov::ObjectListIterator(&list).isDone());

    std::vector<int> capacities;
    for (int i = 1; i <= 3; ++i)
    {
        ASSERT_EQ(list.insert(fake(i)), 0);
        capacities.push_back(list.getCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(list.remove(fake(2)), 0);
    EXPECT_EQ(list.remove(fake(2)), -1);
    EXPECT_EQ(walk(list), (std::vector<Object*>{fake(1), fake(3)}));
    list.insert(fake(4));
    list.insert(fake(5));
    EXPECT_EQ(list.getCapacity(), 4);
    EXPECT_EQ(list.insert(nullptr), -1);

    list.clear();
    EXPECT_EQ(list.getCount(), 0);
    EXPECT_EQ(list.getCapacity(), 1);

    // Long lists too keep filling their free slots before growing.
    for (int i = 0; i < 8192; ++i)
        ASSERT_EQ(list.insert(fake(i)), 0);
    EXPECT_EQ(list.getCapacity(), 8192);
    list.insert(fake(8192));
    EXPECT_EQ(list.getCapacity(), 16384);
    EXPECT_EQ(list.get(8192), fake(8192));
}

TEST(ObjectList, DuplicateIsRefusedWithAWarning)
{
    ObjectList list;
    list.insert(fake(1));
    const int mark = test::logMark();
    EXPECT_EQ(list.insert(fake(1)), 0);
    EXPECT_EQ(list.getCount(), 1);
    std::vector<test::LogLine> lines = test::GameLog().linesOf("ObjectList", mark);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, "WARN");
    EXPECT_EQ(lines[0].message, DUPLICATE);
}

TEST(ObjectList, CopiesAreIndependent)
{
    ObjectList source;
    source.setAllowDuplicates(true);
    for (int i = 1; i <= 3; ++i)
        source.insert(fake(i));

    ObjectList copy(source);
    EXPECT_FALSE(copy.getAllowDuplicates());
    EXPECT_EQ(copy.getCapacity(), 4);
    std::vector<Object*> seen;
    for (ov::ObjectListIterator it(&copy); !it.isDone(); it.next())
    {
        seen.push_back(it.currentObject());
        source.remove(it.currentObject());
    }
    EXPECT_EQ(seen, (std::vector<Object*>{fake(1), fake(2), fake(3)}));
    EXPECT_TRUE(source.isEmpty());

    ObjectList assigned;
    assigned.insert(fake(9));
    assigned = copy;
    copy.remove(fake(2));
    EXPECT_EQ(assigned.getCount(), 3);

    // A moved-from list is empty and still usable.
    ObjectList moved(std::move(assigned));
    EXPECT_EQ(moved.getCount(), 3);
    EXPECT_EQ(assigned.insert(fake(4)), 0);
    EXPECT_EQ(walk(assigned), (std::vector<Object*>{fake(4)}));
}

TEST(ObjectList, SumHoldsEachObjectOnce)
{
    ObjectList left;
    left.insert(fake(1));
    left.insert(fake(2));
    ObjectList right;
    right.insert(fake(2));
    right.insert(fake(3));

    const int mark = test::logMark();
    EXPECT_EQ(walk(left + right), (std::vector<Object*>{fake(1), fake(2), fake(3)}));
    EXPECT_EQ(test::GameLog().count("", DUPLICATE, mark), 1);
    EXPECT_EQ(left.getCount(), 2);
}
