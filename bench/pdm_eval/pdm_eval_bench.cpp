// Speed of the stand-in PDM: the queries the module sends most (per BOM row and per part
// reference) over tables of realistic size, with call logging off as in a long run.
#include <string>

#include <benchmark/benchmark.h>

#include "host/kordane.h"
#include "sim/pdm/pdm_control.h"

namespace {

std::u16string number(int n) {
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

// A drawing with `parts` positions, and as many parts in the part folder.
void fill(int parts) {
    sim::pdm::reset();
    sim::pdm::setLogging(false);
    sim::pdm::setEnv(sim::pdm::currentDocument(), u"ORBKEY", u"D1.1");
    sim::pdm::setTable(u"Folder_All_Document", {{{u"ORBKEY", u"D1.1"}}});
    sim::pdm::Table part, xref, child;
    for (int i = 0; i < parts; ++i) {
        part.push_back(
            {{u"ORBKEY", u"P" + number(i)}, {u"IDENT", u"ID-" + number(i)}, {u"REVISION", u"A"}});
        xref.push_back({{u"PARENT_ORBKEY", u"D1.1"},
                        {u"CHILD_ORBKEY", u"C" + number(i)},
                        {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"}});
        child.push_back({{u"X_PARENT_ORBKEY", u"C" + number(i)},
                         {u"X_POSITION", number(i + 1)},
                         {u"IDENT", u"ID-" + number(i)}});
    }
    sim::pdm::setTable(u"Folder_All_Part", std::move(part));
    sim::pdm::setTable(u"XREF_ELEMENT", std::move(xref));
    sim::pdm::setTable(u"Folder_Xref_Child_Part_General", std::move(child));
}

void BM_FieldByKey(benchmark::State& state) {
    fill(static_cast<int>(state.range(0)));
    const VxString query(u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P7\" @(IDENT:t))");
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbdPrep(query));
    }
}
BENCHMARK(BM_FieldByKey)->Arg(100)->Arg(1000);

// The write-back query: the document's children, each with a nested query of its own.
void BM_ChildIdentByPosition(benchmark::State& state) {
    fill(static_cast<int>(state.range(0)));
    const VxString query(
        u"#(where db=XREF_ELEMENT (PARENT_ORBKEY=#ORBKEY AND "
        u"RELATIONSHIP_ID='ORB.XREF.DOC.PART') #(where db=Folder_Xref_Child_Part_General "
        u"(X_PARENT_ORBKEY=#CHILD_ORBKEY AND X_POSITION=7) #IDENT))");
    for (auto _ : state) {
        benchmark::DoNotOptimize(orbdPrep(query));
    }
}
BENCHMARK(BM_ChildIdentByPosition)->Arg(10)->Arg(100);

}  // namespace
