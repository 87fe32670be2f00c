#include <string>

#include "host/vx_editor.h"
#include "host/winsys.h"
#include "host_test_support.h"
#include "sim/host/faults.h"
#include "sim/winsys/window_control.h"

namespace {

using WindowsTest = HostTest;

// The host's way to come to the front: attach to the foreground thread, set, detach.
bool bringMainWindowToFront() {
    const unsigned long foregroundThread =
        winsys::getWindowThreadProcessId(winsys::getForegroundWindow(), nullptr);
    const unsigned long self = winsys::getCurrentThreadId();
    winsys::attachThreadInput(self, foregroundThread, true);
    const bool done = winsys::setForegroundWindow(vxsw_vexaMainWnd());
    winsys::attachThreadInput(self, foregroundThread, false);
    return done;
}

TEST_F(WindowsTest, ForegroundSwitchAndItsInjectedFailure) {
    EXPECT_EQ(winsys::getForegroundWindow(), sim::otherWindow());
    EXPECT_TRUE(bringMainWindowToFront());
    if (!sim::windowSystemIsWine()) {  // Wine drops the foreground when the input detaches
        EXPECT_EQ(winsys::getForegroundWindow(), sim::mainWindow());
    }
    EXPECT_EQ(sim::threadInputAttachments(), 0);
    EXPECT_EQ(eventsOf("foreground").size(), 1u);
    EXPECT_FALSE(winsys::attachThreadInput(1001, 1001, true)) << "a thread cannot attach to itself";

    sim::setForegroundForTest(sim::otherWindow());
    sim::armFault("setForegroundWindow", 1, 5);
    EXPECT_FALSE(bringMainWindowToFront());
    EXPECT_EQ(winsys::getLastError(), 5u);
    EXPECT_EQ(winsys::getForegroundWindow(), sim::otherWindow());
    EXPECT_EQ(eventsOf("foreground").size(), 1u);
    EXPECT_FALSE(winsys::setForegroundWindow(nullptr));
}

TEST_F(WindowsTest, FormatAndDebugOutputStayInTheirBuffers) {
    char16_t buffer[8];
    EXPECT_EQ(winsys::formatUnsigned(buffer, 8, u"E%u!", 42), 4);
    EXPECT_EQ(std::u16string(buffer), u"E42!");
    EXPECT_EQ(winsys::formatUnsigned(buffer, 4, u"Error %u", 5), 3);
    EXPECT_EQ(std::u16string(buffer), u"Err");
    EXPECT_EQ(winsys::formatUnsigned(buffer, 0, u"x", 1), 0);
    winsys::outputDebugString(u"Error 5 from BringVexaToTop\n");
    ASSERT_EQ(eventsOf("debug").size(), 1u);
    EXPECT_EQ(eventsOf("debug")[0]["text"], "Error 5 from BringVexaToTop\n");
}

TEST_F(WindowsTest, MessageBoxesTakeTheHookAnswerOrTheDefault) {
    const unsigned question = winsys::kMbYesNo | winsys::kMbIconQuestion;
    EXPECT_EQ(winsys::messageBox(nullptr, u"Insert?", u"T", question), winsys::kIdNo);
    EXPECT_EQ(winsys::messageBox(nullptr, u"Done", u"T", 0), winsys::kIdOk);
    std::u16string shown;
    sim::setUiAnswerHook([&](const sim::MessageBoxRequest& request) -> std::optional<int> {
        shown = request.text;
        return winsys::kIdYes;
    });
    EXPECT_EQ(winsys::messageBox(nullptr, u"Ändern?", u"T", question), winsys::kIdYes);
    EXPECT_EQ(shown, u"Ändern?");
    const auto boxes = eventsOf("msgbox");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0]["answer"], "no");
    EXPECT_EQ(boxes[1]["answer"], "ok");
    EXPECT_EQ(boxes[2]["text"], "Ändern?");
    EXPECT_EQ(boxes[2]["style"], 36);
    EXPECT_EQ(boxes[2]["answer"], "yes");
}

}  // namespace
