// Part data and cells kept as one block must come back exactly as they went in, whatever
// code units the texts hold.
#include <gtest/gtest.h>

#include <vector>

#include "sim/mech/packed_texts.h"

namespace {

TEST(PackedTexts, AnyMapComesBackAsItWasInNameOrder) {
    const std::u16string withNul(u"a\0b", 3);
    const std::u16string longer(70000, u'x');  // its length needs more than one code unit
    const VxmStringMap map{{u"", u"empty name"},
                           {u"EMPTY", u""},
                           {withNul, withNul},
                           {u"LONG", longer},
                           {u"\U0001F600", u"\xD800 lone surrogate"}};
    const sim::PackedTexts packed(map);
    EXPECT_EQ(packed.map(), map);
    EXPECT_FALSE(packed.empty());

    std::vector<std::u16string> names;
    packed.forEach([&](const std::u16string& name, const std::u16string& value) {
        names.push_back(name);
        EXPECT_EQ(map.at(name), value);
    });
    EXPECT_EQ(names, (std::vector<std::u16string>{u"", u"EMPTY", u"LONG", withNul, u"\U0001F600"}));
}

TEST(PackedTexts, LatinOneTextsComeBackAsTheyWentIn) {
    // Kept a byte a unit: the units that fill a byte, and lengths past one byte of length.
    const std::u16string top(u"\u00ff\u0080\u00e9\0", 4);
    const VxmStringMap map{{u"", u""},
                           {u"N", std::u16string(127, u'a')},
                           {top, std::u16string(128, u'\u00ff')},
                           {u"Z", std::u16string(20000, u'z')}};
    EXPECT_EQ(sim::PackedTexts(map).map(), map);
    // One unit above a byte in the last text widens the whole map.
    VxmStringMap wider = map;
    wider[u"Z"].back() = u'\u0100';
    EXPECT_EQ(sim::PackedTexts(wider).map(), wider);
    EXPECT_FALSE(sim::PackedTexts(wider) == sim::PackedTexts(map));
}

TEST(PackedTexts, EmptyMapIsEmptyAndEqualMapsPackEqually) {
    EXPECT_TRUE(sim::PackedTexts(VxmStringMap{}).empty());
    EXPECT_TRUE(sim::PackedTexts(VxmStringMap{}).map().empty());
    EXPECT_FALSE(sim::PackedTexts(VxmStringMap{{u"", u""}}).empty()) << "one empty text is a text";
    EXPECT_EQ(sim::PackedTexts(VxmStringMap{{u"A", u"1"}, {u"B", u"2"}}),
              sim::PackedTexts(VxmStringMap{{u"B", u"2"}, {u"A", u"1"}}));
    EXPECT_FALSE(sim::PackedTexts(VxmStringMap{{u"AB", u""}}) ==
                 sim::PackedTexts(VxmStringMap{{u"A", u"B"}}));
}

}  // namespace
