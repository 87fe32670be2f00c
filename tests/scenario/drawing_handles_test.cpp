// Names bound both ways must be found again whether they lie where the names are dense or far
// from them, and a name or id bound twice must leave the first binding as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "sim/scenario/drawing_handles.h"

namespace {

VxDbObjectId id(std::uint64_t value) {
    return VxDbObjectId::fromInt64(value);
}

TEST(DrawingHandles, NamesNearAndFarAreFoundBothWays) {
    sim::DrawingHandles handles;
    constexpr std::int64_t kFar = std::numeric_limits<std::int64_t>::max();
    // The first name is not the smallest: names below it, and far above, are kept apart.
    const std::int64_t names[] = {5, 1, 6, 7, 100000, kFar, 4};
    std::uint64_t next = 0x2000;
    for (const std::int64_t name : names) {
        handles.bindEntity(name, id(next++));
    }
    next = 0x2000;
    for (const std::int64_t name : names) {
        EXPECT_EQ(handles.entity(name), id(next)) << name;
        EXPECT_EQ(handles.handleOf(id(next)), name) << name;
        ++next;
    }
    EXPECT_TRUE(handles.entity(2).isNull());
    EXPECT_TRUE(handles.entity(0).isNull());
    EXPECT_TRUE(handles.entity(-5).isNull());
    EXPECT_EQ(handles.handleOf(id(0x1fff)), std::nullopt);
    EXPECT_EQ(handles.handleOf(id(next)), std::nullopt);
    EXPECT_THROW(handles.handleFor(id(next)), std::overflow_error) << "no name above the largest";
}

TEST(DrawingHandles, AFarNameIsFoundOnceTheNamesAroundItAreBound) {
    sim::DrawingHandles handles;
    handles.bindEntity(1, id(1));
    handles.bindEntity(100000, id(2));  // far from the one name before it
    for (std::int64_t name = 2; name <= 20000; ++name) {
        handles.bindEntity(name, id(static_cast<std::uint64_t>(name) + 1));
    }
    handles.bindEntity(100001, id(30000));  // the names near 100000 are dense now
    EXPECT_EQ(handles.entity(100000), id(2));
    EXPECT_EQ(handles.handleOf(id(2)), 100000);
    EXPECT_THROW(handles.bindEntity(100000, id(30001)), std::logic_error);
    EXPECT_EQ(handles.entity(100000), id(2));
    EXPECT_EQ(handles.handleOf(id(30001)), std::nullopt);
}

TEST(DrawingHandles, BindingTwiceKeepsTheFirstBinding) {
    sim::DrawingHandles handles;
    handles.bindDataEntry(1, id(10));
    handles.bindDataEntry(1000000000, id(11));
    EXPECT_THROW(handles.bindDataEntry(1, id(12)), std::logic_error);
    EXPECT_THROW(handles.bindDataEntry(1000000000, id(12)), std::logic_error);
    // The id is taken: the name tried with it stays free, near the others or far from them.
    EXPECT_THROW(handles.bindDataEntry(2, id(11)), std::logic_error);
    EXPECT_THROW(handles.bindDataEntry(2000000000, id(10)), std::logic_error);
    EXPECT_TRUE(handles.dataEntry(2).isNull());
    EXPECT_TRUE(handles.dataEntry(2000000000).isNull());
    EXPECT_EQ(handles.dataEntry(1), id(10));
    EXPECT_EQ(handles.numberOf(id(12)), std::nullopt);
    // Fresh names go above the largest.
    EXPECT_EQ(handles.numberFor(id(12)), 1000000001);
    EXPECT_EQ(handles.numberFor(id(10)), 1);
}

}  // namespace
