#include <gtest/gtest.h>

#include "bom/fetch_pdm_values.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

namespace {

using FetchPdmValuesTest = BomTest;

TEST_F(FetchPdmValuesTest, AnswersByFailureKindAndLeavesTheMapAlone) {
    BomContext context{};
    VxmStringMap values{{u"KEEP", u"me"}};
    EXPECT_EQ(FetchPdmValues(context, nullptr, values, u"S", nullptr), -3);
    EXPECT_EQ(FetchPdmValues(context, u"K", values, nullptr, nullptr), -3);
    EXPECT_EQ(FetchPdmValues(context, u"K", values, u"S", nullptr), -1) << "no mapping file";
    UseMapping({"; comments only"});
    PdmLink::Reset();
    EXPECT_EQ(FetchPdmValues(context, u"K", values, u"S", nullptr), -2) << "no section at all";
    UseMapping({"[S]", "nothing"});
    PdmLink::Reset();
    EXPECT_EQ(FetchPdmValues(context, u"K", values, u"S", nullptr), -2) << "empty section";
    EXPECT_EQ(FetchPdmValues(context, u"K", values, u"T", nullptr), -2) << "missing section";
    EXPECT_EQ(values, (VxmStringMap{{u"KEEP", u"me"}}));
}

TEST_F(FetchPdmValuesTest, SetsEveryAnsweredTargetAndSkipsPdmErrors) {
    sim::pdm::setTable(u"Folder_All_Part",
                       {{{u"ORBKEY", u"P9"}, {u"IDENT", u"4711"}, {u"NAME", u""}}});
    UseMapping({"[KORDANEPartDataToVexa]", "PARTNO=#IDENT", "ALSO=#IDENT", "NAME=#NAME",
                "BROKEN=#(where"});
    BomContext context{};
    VxmStringMap values;
    EXPECT_EQ(FetchPdmValues(context, u"P9", values, u"KORDANEPartDataToVexa", u"Folder_All_Part"),
              0);
    EXPECT_EQ(values, (VxmStringMap{{u"ALSO", u"4711"}, {u"NAME", u""}, {u"PARTNO", u"4711"}}));
}

}  // namespace
