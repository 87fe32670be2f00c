// The PDM queries of PdmLink: the exact expressions sent, absent arguments, the host-function
// form, and values that must not change a query's meaning.
#include <optional>
#include <string>

#include "host/vx_resbuf.h"
#include "pdm/pdm_answer.h"
#include "pdm_test_support.h"

namespace {

using Texts = std::vector<std::u16string>;

class PdmQueries : public PdmLinkTest {
  protected:
    void SetUp() override {
        PdmLinkTest::SetUp();
        setEnv(u"ORBKEY", u"D1.1");
        sim::pdm::setTable(u"Folder_All_Document", {{{u"ORBKEY", u"D1.1"}, {u"TITLE", u"Gear"}}});
        sim::pdm::setTable(u"Folder_All_Part",
                           {{{u"ORBKEY", u"P9"}, {u"IDENT", u"4711"}, {u"REVISION", u"B"}},
                            {{u"ORBKEY", u"P10"}, {u"IDENT", u"O'NEIL-12"}, {u"REVISION", u"A"}},
                            {{u"ORBKEY", u"P11"}, {u"IDENT", u"O'NEIL-12"}, {u"REVISION", u"C'"}}});
        sim::pdm::setTable(u"XREF_ELEMENT", {{{u"PARENT_ORBKEY", u"D1.1"},
                                              {u"CHILD_ORBKEY", u"C1"},
                                              {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"}}});
        sim::pdm::setTable(
            u"Folder_Xref_Child_Part_General",
            {{{u"X_PARENT_ORBKEY", u"C1"}, {u"X_POSITION", u"12"}, {u"IDENT", u"4711"}}});
    }
};

TEST_F(PdmQueries, QueryByKeySendsTheFolderTemplates) {
    EXPECT_EQ(link().QueryByKey(u"P9", u"@(IDENT:t)", u"Folder_All_Part"), u"4711");
    EXPECT_EQ(link().QueryByKey(u"D1.1", u"@(TITLE:t)", u""), u"Gear");
    EXPECT_EQ(link().QueryByKey(u"D1.1", u"@(TITLE:t)", nullptr), u"Gear");
    EXPECT_EQ(link().QueryByKey(u"P77", u"@(IDENT:t)", u"Folder_All_Part"), u"");
    EXPECT_EQ(link().QueryByKey(u"P9", u"(NOCLOSE", u"Folder_All_Part").value_or(u"-").substr(0, 1),
              u"!");
    EXPECT_EQ(evaluated(), (Texts{u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P9\" @(IDENT:t))",
                                  u"@(Where \"db=Folder_All_Document\" \"ORBKEY=D1.1\" @(TITLE:t))",
                                  u"@(Where \"db=Folder_All_Document\" \"ORBKEY=D1.1\" @(TITLE:t))",
                                  u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P77\" @(IDENT:t))",
                                  u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P9\" (NOCLOSE)"}));
}

TEST_F(PdmQueries, AbsentArgumentsGiveAbsentWithoutAPdmCall) {
    EXPECT_FALSE(link().QueryByKey(nullptr, u"@(IDENT:t)", u"Folder_All_Part"));
    EXPECT_FALSE(link().QueryByKey(u"P9", nullptr, u"Folder_All_Part"));
    // "ORBKEY=" would match the records that have no key.
    EXPECT_FALSE(link().QueryByKey(u"", u"@(IDENT:t)", u"Folder_All_Part"));
    EXPECT_FALSE(link().QueryByKey(u"", u"@(TITLE:t)", nullptr));
    EXPECT_FALSE(link().FindChildIdentByPosition(nullptr));
    EXPECT_FALSE(link().FindPartKeyByIdent(nullptr));
    EXPECT_FALSE(link().FindPartKeyByIdentAndRevision(nullptr, u"A"));
    EXPECT_TRUE(sim::pdm::callLog().empty());
}

TEST_F(PdmQueries, HostFunctionFormCallsTheHostNotThePdm) {
    std::u16string seenArguments = u"(not called)";
    sim::defineHostFunction(u"PartWeight", [&](const VxResBuf* args) {
        seenArguments = args == nullptr ? u"none" : u"some";
        return sim::HostFunctionResult{kRtNorm, vxutBuildList(kRtStr, u"12.5 kg", kRtNone)};
    });
    sim::defineHostFunction(u"Failing", [](const VxResBuf*) {
        return sim::HostFunctionResult{kRtError, vxutBuildList(kRtStr, u"x", kRtNone)};
    });
    sim::defineHostFunction(u"Number", [](const VxResBuf*) {
        return sim::HostFunctionResult{kRtNorm, vxutBuildList(kRtShort, 7, kRtNone)};
    });
    sim::defineHostFunction(u"Nothing", [](const VxResBuf*) { return sim::HostFunctionResult{}; });

    EXPECT_EQ(link().QueryByKey(u"P9", u"(PartWeight) and more", u"Folder_All_Part"), u"12.5 kg");
    EXPECT_EQ(seenArguments, u"none") << "the name is the only element of the list";
    EXPECT_EQ(link().QueryByKey(u"", u"(PartWeight)", nullptr), u"12.5 kg") << "key not used";
    EXPECT_FALSE(link().QueryByKey(u"P9", u"(Failing)", nullptr));
    EXPECT_FALSE(link().QueryByKey(u"P9", u"(Number)", nullptr));
    EXPECT_FALSE(link().QueryByKey(u"P9", u"(Nothing)", nullptr));
    EXPECT_FALSE(link().QueryByKey(u"P9", u"(Unknown)", nullptr));
    EXPECT_FALSE(link().QueryByKey(u"P9", u"()", nullptr));
    EXPECT_TRUE(sim::pdm::callLog().empty());
}

TEST_F(PdmQueries, ChildIdentByPositionSendsOnlyPlainPositions) {
    EXPECT_EQ(link().FindChildIdentByPosition(u"12"), u"4711");
    EXPECT_EQ(link().FindChildIdentByPosition(u"3"), u"");
    EXPECT_EQ(evaluated(),
              (Texts{u"#(where db=XREF_ELEMENT (PARENT_ORBKEY=#ORBKEY AND "
                     u"RELATIONSHIP_ID='ORB.XREF.DOC.PART') #(where "
                     u"db=Folder_Xref_Child_Part_General (X_PARENT_ORBKEY=#CHILD_ORBKEY AND "
                     u"X_POSITION=12) #IDENT))",
                     u"#(where db=XREF_ELEMENT (PARENT_ORBKEY=#ORBKEY AND "
                     u"RELATIONSHIP_ID='ORB.XREF.DOC.PART') #(where "
                     u"db=Folder_Xref_Child_Part_General (X_PARENT_ORBKEY=#CHILD_ORBKEY AND "
                     u"X_POSITION=3) #IDENT))"}));
    // A position that is not a plain number would stand bare in the query.
    for (const char16_t* position :
         {u"", u"12 AND 1=1", u"12) #ORBKEY) #(HasPart", u"1a", u" 12", u"-1", u"\uff11"}) {
        EXPECT_EQ(link().FindChildIdentByPosition(position), u"");
    }
    EXPECT_EQ(evaluated().size(), 2u);
}

TEST_F(PdmQueries, PartKeyQueriesDoubleApostrophes) {
    EXPECT_EQ(link().FindPartKeyByIdent(u"4711"), u"P9");
    EXPECT_EQ(link().FindPartKeyByIdent(u"O'NEIL-12"), u"P10\nP11");
    EXPECT_EQ(link().FindPartKeyByIdentAndRevision(u"O'NEIL-12", u"C'"), u"P11");
    EXPECT_EQ(link().FindPartKeyByIdentAndRevision(u"4711", u"A"), u"");
    EXPECT_EQ(link().FindPartKeyByIdent(u"x' OR IDENT='4711"), u"")
        << "a quote in the value cannot end the literal";
    EXPECT_EQ(evaluated(),
              (Texts{u"#(where db=Folder_All_Part IDENT=N'4711' #ORBKEY)",
                     u"#(where db=Folder_All_Part IDENT=N'O''NEIL-12' #ORBKEY)",
                     u"#(where db=Folder_All_Part (IDENT=N'O''NEIL-12' AND REVISION=N'C''') "
                     u"#ORBKEY)",
                     u"#(where db=Folder_All_Part (IDENT=N'4711' AND REVISION=N'A') #ORBKEY)",
                     u"#(where db=Folder_All_Part IDENT=N'x'' OR IDENT=''4711' #ORBKEY)"}));
}

}  // namespace

namespace {

TEST_F(PdmQueries, KeyOrFolderWithADoubleQuoteIsNeverSent) {
    // Sent as it stands, this key would end the quoted ORBKEY literal and add a condition.
    const std::optional<std::u16string> byKey =
        link().QueryByKey(u"P9\" \"IDENT=4711", u"@(IDENT:t)", u"Folder_All_Part");
    ASSERT_TRUE(byKey.has_value());
    EXPECT_TRUE(IsPdmErrorAnswer(*byKey)) << "it counts as the PDM's error answer";
    const std::optional<std::u16string> byFolder =
        link().QueryByKey(u"P9", u"@(IDENT:t)", u"Folder_All_Part\" \"IDENT=4711");
    ASSERT_TRUE(byFolder.has_value());
    EXPECT_TRUE(IsPdmErrorAnswer(*byFolder));
    EXPECT_TRUE(evaluated().empty()) << "no PDM call";

    // Anything else the quoted literal carries as it is.
    EXPECT_EQ(link().QueryByKey(u"P10' (x) #y", u"@(IDENT:t)", u"Folder_All_Part"), u"");
    EXPECT_EQ(evaluated().size(), 1u);
}

}  // namespace
