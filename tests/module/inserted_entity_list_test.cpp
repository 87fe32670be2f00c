#include "module/inserted_entity_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint64_t> Values(const InsertedEntityList& list) {
    std::vector<std::uint64_t> values;
    for (const VxDbObjectId id : list.ids()) {
        values.push_back(id.asInt64());
    }
    return values;
}

VxDbObjectId Id(std::uint64_t value) {
    return VxDbObjectId::fromInt64(value);
}

TEST(InsertedEntityList, RemovingTakesTheFirstOccurrenceAndKeepsTheOrder) {
    InsertedEntityList list;
    for (std::uint64_t v : {1, 2, 3, 2, 4}) {
        list.append(Id(v));
    }
    list.removeFirst(Id(2));
    EXPECT_EQ(Values(list), (std::vector<std::uint64_t>{1, 3, 2, 4}));
    list.removeFirst(Id(9));
    list.append(Id(2));
    list.removeFirst(Id(2));
    EXPECT_EQ(Values(list), (std::vector<std::uint64_t>{1, 3, 4, 2}))
        << "the earlier 2 goes, the one appended last stays";
    list.restart(nullptr);
    list.removeFirst(Id(1));
    EXPECT_TRUE(list.ids().isEmpty());
}

TEST(InsertedEntityList, AnUndoneErasureRestoresOnlyTheInsertionsOwnEntities) {
    InsertedEntityList list;
    list.restart(nullptr);
    list.append(Id(1));
    list.append(Id(2));
    list.restore(Id(9));  // the drawing held it before the insertion
    list.removeFirst(Id(1));
    list.restore(Id(1));
    list.restore(Id(2));  // on the list already
    EXPECT_EQ(Values(list), (std::vector<std::uint64_t>{2, 1}));
    list.restart(nullptr);
    list.restore(Id(1));
    EXPECT_TRUE(list.ids().isEmpty()) << "a new insertion forgets what the last one added";
}

TEST(InsertedEntityList, SqueezingOutGapsKeepsEveryLaterRemovalRight) {
    InsertedEntityList list;
    std::vector<std::uint64_t> expected;
    for (std::uint64_t v = 1; v <= 1000; ++v) {
        list.append(Id(v));
    }
    // Removing most of them squeezes the list several times on the way.
    for (std::uint64_t v = 1; v <= 1000; ++v) {
        if (v % 7 != 0) {
            list.removeFirst(Id(v));
        } else {
            expected.push_back(v);
        }
        if (v == 500) {
            ASSERT_EQ(list.ids().length(), 71 + 500) << "reading between removals";
        }
    }
    list.append(Id(7));
    list.removeFirst(Id(7));
    expected.erase(expected.begin());
    expected.push_back(7);
    EXPECT_EQ(Values(list), expected);
}

}  // namespace
