// The stand-in PDM's expression evaluator, on every template the module sends and on
// nested and malformed expressions.
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/vx_string.h"
#include "sim/pdm/pdm_control.h"

namespace {

using sim::pdm::evaluate;

class PdmEvaluator : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::pdm::reset();
        sim::pdm::setEnv(sim::pdm::currentDocument(), u"ORBKEY", u"D1.1");
        sim::pdm::setTable(u"Folder_All_Document",
                           {{{u"ORBKEY", u"D0.1"}, {u"TITLE", u"Other drawing"}},
                            {{u"ORBKEY", u"D1.1"}, {u"TITLE", u"Gear box"}, {u"IDENT", u"DOC-7"}}});
        sim::pdm::setTable(u"Folder_All_Part",
                           {{{u"ORBKEY", u"P9"}, {u"IDENT", u"4711"}, {u"REVISION", u"B"}},
                            {{u"ORBKEY", u"P10"}, {u"IDENT", u"O'NEIL-12"}, {u"REVISION", u"A"}},
                            {{u"ORBKEY", u"P11"}, {u"IDENT", u"O'NEIL-12"}, {u"REVISION", u"C"}}});
        // D1.1 holds two parts at positions 1 and 2; D0.1 holds another part at position 1.
        sim::pdm::setTable(u"XREF_ELEMENT", {{{u"PARENT_ORBKEY", u"D1.1"},
                                              {u"CHILD_ORBKEY", u"C1"},
                                              {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"}},
                                             {{u"PARENT_ORBKEY", u"D1.1"},
                                              {u"CHILD_ORBKEY", u"C2"},
                                              {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"}},
                                             {{u"PARENT_ORBKEY", u"D1.1"},
                                              {u"CHILD_ORBKEY", u"C3"},
                                              {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.DOC"}},
                                             {{u"PARENT_ORBKEY", u"D0.1"},
                                              {u"CHILD_ORBKEY", u"C4"},
                                              {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"}}});
        sim::pdm::setTable(
            u"Folder_Xref_Child_Part_General",
            {{{u"X_PARENT_ORBKEY", u"C1"}, {u"X_POSITION", u"1"}, {u"IDENT", u"4711"}},
             {{u"X_PARENT_ORBKEY", u"C2"}, {u"X_POSITION", u"2"}, {u"IDENT", u"815"}},
             {{u"X_PARENT_ORBKEY", u"C3"}, {u"X_POSITION", u"3"}, {u"IDENT", u"DOC"}},
             {{u"X_PARENT_ORBKEY", u"C4"}, {u"X_POSITION", u"1"}, {u"IDENT", u"999"}}});
    }
};

std::u16string childIdentAt(const std::u16string& position) {
    return evaluate(
        u"#(where db=XREF_ELEMENT (PARENT_ORBKEY=#ORBKEY AND "
        u"RELATIONSHIP_ID='ORB.XREF.DOC.PART') #(where db=Folder_Xref_Child_Part_General "
        u"(X_PARENT_ORBKEY=#CHILD_ORBKEY AND X_POSITION=" +
            position + u") #IDENT))",
        false);
}

TEST_F(PdmEvaluator, PlainTextIsItself) {
    EXPECT_EQ(evaluate(u"Material", false), u"Material");
    EXPECT_EQ(evaluate(u"Stock number", false), u"Stock number");
    EXPECT_EQ(evaluate(u"Weight (kg) 50% @home # 1", false), u"Weight (kg) 50% @home # 1");
    EXPECT_EQ(evaluate(u"", false), u"");
}

TEST_F(PdmEvaluator, KeyedFieldTemplatesReadTheRecordsField) {
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P9\" @(IDENT:t))", false),
              u"4711");
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P9\" @(REVISION))", false), u"B");
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Document\" \"ORBKEY=D1.1\" @(TITLE:t))", false),
              u"Gear box");
    // No such record, and a field the record lacks: both empty.
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P77\" @(IDENT:t))", false), u"");
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P9\" @(WEIGHT:t))", false), u"");
    // The value of a quoted condition is taken as it stands, blanks included.
    sim::pdm::addRecord(u"Folder_All_Part", {{u"ORBKEY", u"K 1=x"}, {u"IDENT", u"odd"}});
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=K 1=x\" @(IDENT:t))", false),
              u"odd");
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_Unknown\" \"ORBKEY=P9\" @(IDENT:t))", false)[0], u'!');
}

TEST_F(PdmEvaluator, ChildIdentFollowsTheDocumentsStructure) {
    EXPECT_EQ(childIdentAt(u"1"), u"4711");
    EXPECT_EQ(childIdentAt(u"2"), u"815");
    EXPECT_EQ(childIdentAt(u"3"), u"") << "a drawing child is not a part";
    EXPECT_EQ(childIdentAt(u"4"), u"");
    sim::pdm::setEnv(sim::pdm::currentDocument(), u"ORBKEY", u"D0.1");
    EXPECT_EQ(childIdentAt(u"1"), u"999") << "the document record follows the environment";
    sim::pdm::setEnv(sim::pdm::currentDocument(), u"ORBKEY", u"");
    EXPECT_EQ(childIdentAt(u"1"), u"") << "no document record, no children";
}

TEST_F(PdmEvaluator, IdentTemplatesMatchLiteralsWithDoubledApostrophes) {
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part IDENT=N'4711' #ORBKEY)", false), u"P9");
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part (IDENT=N'O''NEIL-12' AND REVISION=N'C') "
                       u"#ORBKEY)",
                       false),
              u"P11");
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part IDENT='4711' #ORBKEY)", false), u"P9");
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part IDENT=N'O' #ORBKEY)", false), u"");
    // Several matches: their results joined by a line feed, in table order.
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part IDENT=N'O''NEIL-12' #ORBKEY)", false),
              u"P10\nP11");
    // Comparisons are exact.
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part IDENT=N'o''neil-12' #ORBKEY)", false), u"");
}

TEST_F(PdmEvaluator, NestingKeywordCaseAndConcatenation) {
    EXPECT_EQ(
        evaluate(u"#(WHERE db=Folder_All_Part ((IDENT=4711) and (REVISION=B)) #ORBKEY)", false),
        u"P9");
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part IDENT=4711 #ORBKEY '/' @(REVISION:t))", false),
              u"P9/B");
    EXPECT_EQ(evaluate(u"Key: #(where db=Folder_All_Part IDENT=4711 #ORBKEY) of #TITLE", false),
              u"Key: P9 of Gear box")
        << "outside a query #FIELD reads the document's record";
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part ORBKEY=#(where db=Folder_All_Part "
                       u"IDENT=815 #ORBKEY) #IDENT)",
                       false)[0],
              u'!')
        << "a comparison value is a literal or a field, not a query";
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part #ORBKEY)", false), u"P9\nP10\nP11");
    sim::pdm::addRecord(u"Folder_All_Part", {{u"ORBKEY", u"P12"}, {u"Where", u"odd name"}});
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part ORBKEY=P12 @(Where:t))", false), u"odd name");
}

TEST_F(PdmEvaluator, SettingsHasPartAndSelectionDialog) {
    sim::pdm::setSetting(u"BOMTransferFor2DStructure", u"1");
    EXPECT_EQ(evaluate(u"#(Appl:BOMTransferFor2DStructure)", false), u"1");
    EXPECT_EQ(evaluate(u"#(Appl:Unset)", false), u"");
    EXPECT_EQ(evaluate(u"#(HasPart)", false), u"0");
    sim::pdm::setHasPart(u"1 yes");
    EXPECT_EQ(evaluate(u"#(HasPart)", false), u"1 yes");

    sim::pdm::queueSelection(u"P9");
    sim::pdm::queueSelection(u"P10");
    EXPECT_EQ(evaluate(u"#(call SelectItem \"'Select item'\")", false)[0], u'!')
        << "the dialog needs the modal evaluation";
    EXPECT_EQ(sim::pdm::pendingSelections(), 2u);
    EXPECT_EQ(evaluate(u"#(call SelectItem \"'Select item'\")", true), u"P9");
    EXPECT_EQ(evaluate(u"#(call SelectItem \"''\")", true), u"P10");
    EXPECT_EQ(evaluate(u"#(call SelectItem \"'Select item'\")", true), u"") << "cancelled";

    // With the queue empty the selection hook answers, asked with the dialog's title.
    std::vector<std::u16string> titles;
    sim::pdm::setSelectItemHook([&](const std::u16string& title) -> std::optional<std::u16string> {
        titles.push_back(title);
        return titles.size() == 1 ? std::optional<std::u16string>(u"P11") : std::nullopt;
    });
    sim::pdm::queueSelection(u"P12");
    EXPECT_EQ(evaluate(u"#(call SelectItem \"'Select item'\")", true), u"P12")
        << "the queue answers before the hook";
    EXPECT_EQ(evaluate(u"#(call SelectItem \"'Select item'\")", true), u"P11");
    EXPECT_EQ(evaluate(u"#(call SelectItem \"'Other'\")", true), u"") << "the hook cancelled";
    EXPECT_EQ(titles, (std::vector<std::u16string>{u"'Select item'", u"'Other'"}));
    sim::pdm::setSelectItemHook({});
    EXPECT_EQ(evaluate(u"#(call DeleteItem \"'x'\")", true)[0], u'!');
}

TEST_F(PdmEvaluator, MalformedExpressionsAnswerAnError) {
    const char16_t* malformed[] = {
        u"#(",
        u"#(where",
        u"#(where db=Folder_All_Part",
        u"#(where db=Folder_All_Part IDENT=N'4711 #ORBKEY)",
        u"#(where db=Folder_All_Part IDENT=4711)",
        u"#(where db=Folder_All_Part (IDENT=4711 OR REVISION=B) #ORBKEY)",
        u"#(where db=Folder_All_Part (IDENT=4711 AND) #ORBKEY)",
        u"#(where db=Folder_All_Part (IDENT=4711 #ORBKEY)",
        u"#(where db=Folder_All_Part IDENT= #ORBKEY)",
        u"#(where db=Folder_All_Part IDENT=4711 ORBKEY)",
        u"#(where table=Folder_All_Part #ORBKEY)",
        u"#(where db=Nowhere #ORBKEY)",
        u"#(Appl:)",
        u"#(HasPart",
        u"#(call SelectItem 'x')",
        u"#(frobnicate)",
        u"@(IDENT:x)",
        u"@(IDENT",
        u"@(Where \"db=Folder_All_Part\" \"ORBKEY\" @(IDENT))",
        u"@(Where \"Folder_All_Part\" @(IDENT))",
        u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P9 @(IDENT))",
        u"@()",
    };
    for (std::size_t i = 0; i < std::size(malformed); ++i) {
        const std::u16string answer = evaluate(malformed[i], true);
        EXPECT_TRUE(!answer.empty() && answer[0] == u'!') << "malformed expression #" << i;
    }
}

TEST_F(PdmEvaluator, DeepNestingIsRefusedNotOverflowed) {
    std::u16string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += u"#(where db=Folder_All_Part (";
    }
    EXPECT_EQ(evaluate(deep, false)[0], u'!');
    std::u16string nested = u"#ORBKEY";
    for (int i = 0; i < 10; ++i) {
        nested = u"#(where db=Folder_All_Part IDENT=4711 " + nested + u")";
    }
    EXPECT_EQ(evaluate(nested, false), u"P9") << "modest nesting still works";

    // Unconditioned nesting multiplies the work by the table size at every level.
    std::u16string explosive = u"#ORBKEY";
    for (int i = 0; i < 40; ++i) {
        explosive = u"#(where db=Folder_All_Part " + explosive + u")";
    }
    EXPECT_EQ(evaluate(explosive, false)[0], u'!');
}

}  // namespace

namespace {

// Queries by a literal field go through an index; it must follow every change of a table
// and keep the table's row order.
TEST_F(PdmEvaluator, IndexedQueriesFollowTableChangesAndRowOrder) {
    const std::u16string byIdent = u"#(where db=Folder_All_Part IDENT=N'O''NEIL-12' #ORBKEY)";
    EXPECT_EQ(evaluate(byIdent, false), u"P10\nP11");
    sim::pdm::addRecord(u"Folder_All_Part", {{u"ORBKEY", u"P12"}, {u"IDENT", u"O'NEIL-12"}});
    EXPECT_EQ(evaluate(byIdent, false), u"P10\nP11\nP12") << "a record added later is found";
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part (IDENT=N'O''NEIL-12' AND REVISION=N'C') "
                       u"#ORBKEY)",
                       false),
              u"P11");
    EXPECT_EQ(evaluate(u"#(where db=Folder_All_Part REVISION=N'' #ORBKEY)", false), u"P12")
        << "a record without the field holds the empty text";
    sim::pdm::setTable(u"Folder_All_Part", {{{u"ORBKEY", u"Q1"}, {u"IDENT", u"4711"}}});
    EXPECT_EQ(evaluate(byIdent, false), u"") << "a replaced table is indexed anew";
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=Q1\" @(IDENT:t))", false),
              u"4711");

    // A keyed query in a table larger than one evaluation may walk still finds its record.
    sim::pdm::Table large;
    for (int i = 0; i < 150000; ++i) {
        large.push_back({{u"ORBKEY", u"K" + VxString::format(u"%d", i).str()}});
    }
    large.back()[u"IDENT"] = u"LAST";
    sim::pdm::setTable(u"Folder_All_Part", std::move(large));
    EXPECT_EQ(evaluate(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=K149999\" @(IDENT:t))", false),
              u"LAST");
}

}  // namespace
