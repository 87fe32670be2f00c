#include <string>
#include <vector>

#include "host/vx_docman.h"
#include "host/vx_editor.h"
#include "host_test_support.h"
#include "sim/host/command_line.h"
#include "sim/host/editor.h"
#include "sim/host/faults.h"
#include "sim/host/lisp.h"
#include "test_commands.h"

namespace {

class LispRecorder : public VxEditorReactor {
  public:
    void onLispStart(const char16_t* line) override {
        log.push_back("start:" + VxString(line).toUtf8());
    }
    void onLispEnd() override { log.push_back("end"); }
    void onLispCancel() override { log.push_back("cancel"); }
    void onCommandStart(const char16_t* name) override {
        log.push_back("command:" + VxString(name).toUtf8());
    }
    std::vector<std::string> log;
};

using LispTest = HostTest;

TEST_F(LispTest, BuiltListsHoldTheirValuesAndOwnTheirStrings) {
    const double point[3] = {1, 2, 3};
    std::u16string text = u"name";
    VxResBuf* list = vxutBuildList(kRtStr, text.c_str(), kRtShort, 7, kRtReal, 2.5, kRtPoint, point,
                                   kRtLong, -9, kRtNone);
    text[0] = u'X';  // the list keeps its own copy
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->restype, kRtStr);
    EXPECT_EQ(std::u16string(list->resval.rstring), u"name");
    const VxResBuf* e = list->rbnext;
    EXPECT_EQ(e->resval.rint, 7);
    e = e->rbnext;
    EXPECT_EQ(e->resval.rreal, 2.5);
    e = e->rbnext;
    EXPECT_EQ(e->resval.rpoint[2], 3.0);
    e = e->rbnext;
    EXPECT_EQ(e->restype, kRtLong);
    EXPECT_EQ(e->resval.rint, -9);
    EXPECT_EQ(e->rbnext, nullptr);
    EXPECT_EQ(vxutRelRb(list), kRtNorm);

    EXPECT_EQ(vxutBuildList(kRtStr, u"a", kRtStr, nullptr, kRtNone), nullptr);
    EXPECT_EQ(vxutBuildList(kRtStr, u"a", 4711, 1, kRtNone), nullptr);
    EXPECT_EQ(vxutBuildList(kRtNone), nullptr);
    EXPECT_EQ(vxutRelRb(nullptr), kRtNorm);
}

TEST_F(LispTest, InvokeCallsRegisteredHostFunctions) {
    std::vector<std::u16string> seenArgs;
    sim::defineHostFunction(u"workspace", [&](const VxResBuf* args) {
        for (; args != nullptr; args = args->rbnext) {
            seenArgs.push_back(args->resval.rstring);
        }
        return sim::HostFunctionResult{kRtNorm, vxutBuildList(kRtStr, u"C:/ws/", kRtNone)};
    });
    sim::defineHostFunction(u"refuses",
                            [](const VxResBuf*) { return sim::HostFunctionResult{kRtError}; });

    VxResBuf* args = vxutBuildList(kRtStr, u"WORKSPACE", kRtStr, u"arg", kRtNone);
    VxResBuf* result = nullptr;
    ASSERT_EQ(vxedInvoke(args, &result), kRtNorm);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(std::u16string(result->resval.rstring), u"C:/ws/");
    EXPECT_EQ(seenArgs, std::vector<std::u16string>{u"arg"});
    vxutRelRb(result);
    vxutRelRb(args);

    for (const char16_t* name : {u"refuses", u"unknown"}) {
        args = vxutBuildList(kRtStr, name, kRtNone);
        EXPECT_EQ(vxedInvoke(args, &result), kRtError);
        EXPECT_EQ(result, nullptr);
        vxutRelRb(args);
    }
    sim::armFault("vxedInvoke", 1, kRtError);
    args = vxutBuildList(kRtStr, u"workspace", kRtNone);
    EXPECT_EQ(vxedInvoke(args, &result), kRtError);
    vxutRelRb(args);
}

TEST_F(LispTest, LoadedModulesAreListed) {
    EXPECT_EQ(vxedVmxLoaded(), nullptr);
    sim::setLoadedModules({VxString(u"vmcomp.vmx"), VxString(u"orbdvmbom16.vmx")});
    VxResBuf* list = vxedVmxLoaded();
    std::vector<std::u16string> names;
    for (const VxResBuf* e = list; e != nullptr; e = e->rbnext) {
        ASSERT_EQ(e->restype, kRtStr);
        names.push_back(e->resval.rstring);
    }
    vxutRelRb(list);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"vmcomp.vmx", u"orbdvmbom16.vmx"}));
}

TEST_F(LispTest, EvaluationFiresEventsThenRunsQueuedStrings) {
    LispRecorder recorder;
    sim::editor().addReactor(&recorder);
    std::vector<int> received;
    sim::defineHostFunction(u"orbdexternfinish2", [&](const VxResBuf* args) {
        received.push_back(args != nullptr && args->restype == kRtLong ? args->resval.rint : -1);
        VxApDocManager* manager = vxDocManagerPtr();
        manager->sendStringToExecute(manager->curDocument(), u"AFTER ");
        return sim::HostFunctionResult{};
    });
    test_commands::add(0, u"AFTER", [] {});

    EXPECT_TRUE(sim::runLisp(u"(orbdexternfinish2 1)\n; second line"));
    EXPECT_FALSE(sim::runLisp(u"(nosuchfunction)"));
    EXPECT_FALSE(sim::runLisp(u"(broken"));
    sim::typeText(u"(orbdexternfinish2 \"x)\")\n");  // typed lisp: a string may hold ")"
    sim::runCommandLine();

    EXPECT_EQ(recorder.log, (std::vector<std::string>{
                                "start:(orbdexternfinish2 1)", "end", "command:AFTER",
                                "start:(nosuchfunction)", "cancel", "start:(broken", "cancel",
                                "start:(orbdexternfinish2 \"x)\")", "end", "command:AFTER"}));
    EXPECT_EQ(received, (std::vector<int>{1, -1}));
    EXPECT_EQ(eventsOf("print")[0]["text"], "; error: no function definition: NOSUCHFUNCTION");
    sim::editor().removeReactor(&recorder);
    test_commands::removeAll();
}

}  // namespace
