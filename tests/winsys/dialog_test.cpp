#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_support.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/winsys/window_control.h"

namespace {

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetWindows();
        sim::setEventSink([this](const sim::Event& event) {
            if (event["ev"] == "dialog") {
                dialogs_.push_back(event);
            }
        });
#if defined(_WIN32)
        ASSERT_TRUE(resources_.loaded()) << "orbdvmbom16.vmx must lie beside the test";
#endif
    }
    void TearDown() override {
        sim::resetWindows();
        sim::setEventSink({});
        sim::clearFaults();
    }

    std::vector<sim::Event> dialogs_;
#if defined(_WIN32)
    ModuleResources resources_;
#endif
};

#if defined(_WIN32)
// The dialog on the screen, read back through the window system while the hook answers.
struct ShownDialog {
    std::wstring caption;
    std::wstring question;
    std::wstring checkBox;
    std::wstring cancel;
    bool checked = false;
    std::vector<std::pair<int, RECT>> controls;  // as placed, in pixels of the client area
    std::vector<std::pair<int, RECT>> layout;    // resource_ids.h, turned into pixels
};

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

ShownDialog ReadShownDialog() {
    ShownDialog shown;
    HWND dialog = GetActiveWindow();
    shown.caption = TextOf(dialog);
    shown.question = TextOf(GetDlgItem(dialog, IDC_PARTREF_QUESTION));
    shown.checkBox = TextOf(GetDlgItem(dialog, IDC_PARTREF_DELETE_INSERTED));
    shown.cancel = TextOf(GetDlgItem(dialog, IDCANCEL));
    shown.checked = IsDlgButtonChecked(dialog, IDC_PARTREF_DELETE_INSERTED) == BST_CHECKED;
    const std::vector<std::pair<int, RECT>> layout = {
        {IDOK, {PARTREF_OK_RECT}},
        {IDCANCEL, {PARTREF_CANCEL_RECT}},
        {IDC_PARTREF_QUESTION, {PARTREF_QUESTION_RECT}},
        {IDC_PARTREF_DELETE_INSERTED, {PARTREF_DELETE_INSERTED_RECT}},
        {IDC_PARTREF_GROUP, {PARTREF_GROUP_RECT}},
    };
    for (auto [id, rect] : layout) {
        rect.right += rect.left;  // x, y, width, height
        rect.bottom += rect.top;
        MapDialogRect(dialog, &rect);
        shown.layout.emplace_back(id, rect);
        RECT placed{};
        HWND control = GetDlgItem(dialog, id);
        GetWindowRect(control, &placed);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
        shown.controls.emplace_back(id, placed);
    }
    return shown;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
#endif

TEST_F(DialogTest, AnswerIsReportedWithTheTextsShown) {
#if defined(_WIN32)
    ShownDialog shown;
#endif
    winsys::DialogRequest seen;
    sim::setDialogAnswerHook([&](const winsys::DialogRequest& request) {
        seen = request;
#if defined(_WIN32)
        shown = ReadShownDialog();
#endif
        return sim::DialogAnswer{winsys::kIdOk, true};
    });
    const winsys::DialogOutcome outcome =
        winsys::runModalDialog(nullptr, PartRefDialogRequest(false));
    EXPECT_EQ(outcome.result, winsys::kIdOk);
    EXPECT_TRUE(outcome.checked);
    EXPECT_EQ(seen.caption, u"Teilereferenzen");
    EXPECT_EQ(seen.checkBoxId, IDC_PARTREF_DELETE_INSERTED);

    ASSERT_EQ(dialogs_.size(), 1u);
    const sim::Event& event = dialogs_[0];
    EXPECT_EQ(event["id"], 210);
    EXPECT_EQ(event["caption"], "Teilereferenzen");
    EXPECT_EQ(event["texts"]["201"], "Soll eine Teilreferenz eingefügt werden?");
    EXPECT_EQ(event["texts"]["2"], "Abbrechen");
    EXPECT_EQ(event["check"], true);
    EXPECT_EQ(event["result"], 1);

#if defined(_WIN32)
    EXPECT_EQ(shown.caption, L"Teilereferenzen") << "the resource's caption is replaced";
    EXPECT_EQ(shown.question, L"Soll eine Teilreferenz eingefügt werden?");
    EXPECT_EQ(shown.checkBox, L"Teilereferenzen der eingefügten Zeichnung löschen");
    EXPECT_EQ(shown.cancel, L"Abbrechen");
    EXPECT_FALSE(shown.checked) << "the box opens as the request says";
    ASSERT_EQ(shown.controls.size(), shown.layout.size());
    for (std::size_t i = 0; i < shown.layout.size(); ++i) {
        EXPECT_TRUE(shown.controls[i].second == shown.layout[i].second)
            << "control " << shown.layout[i].first << " is not where resource_ids.h puts it";
    }
#endif
}

TEST_F(DialogTest, CancelAndDefaultKeepTheCheckBoxState) {
    EXPECT_EQ(winsys::runModalDialog(nullptr, PartRefDialogRequest(true)).result, winsys::kIdCancel)
        << "no answer: Cancel";
    EXPECT_TRUE(winsys::runModalDialog(nullptr, PartRefDialogRequest(true)).checked);

    sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
        return sim::DialogAnswer{winsys::kIdCancel, true};
    });
    const winsys::DialogOutcome ticked =
        winsys::runModalDialog(nullptr, PartRefDialogRequest(false));
    EXPECT_EQ(ticked.result, winsys::kIdCancel);
    EXPECT_TRUE(ticked.checked) << "Cancel still reports the box as it was left";

    sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
        return sim::DialogAnswer{winsys::kIdOk, false};
    });
    const winsys::DialogOutcome cleared =
        winsys::runModalDialog(nullptr, PartRefDialogRequest(true));
    EXPECT_EQ(cleared.result, winsys::kIdOk);
    EXPECT_FALSE(cleared.checked);
    ASSERT_EQ(dialogs_.size(), 4u);
    EXPECT_EQ(dialogs_[3]["check"], false);

    sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
        return sim::DialogAnswer{winsys::kIdYes, std::nullopt};
    });
    EXPECT_EQ(winsys::runModalDialog(nullptr, PartRefDialogRequest(false)).result,
              winsys::kIdCancel)
        << "a button the dialog does not have closes it as Cancel";
}

TEST_F(DialogTest, DialogThatCannotBeCreatedAnswersMinusOne) {
    sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
        return sim::DialogAnswer{-1, true};
    });
    const winsys::DialogOutcome failed =
        winsys::runModalDialog(nullptr, PartRefDialogRequest(false));
    EXPECT_EQ(failed.result, -1);
    EXPECT_FALSE(failed.checked) << "the box was never shown, so its state is the request's";

    sim::setDialogAnswerHook({});
    sim::armFault("runModalDialog", 1, 8);
    EXPECT_EQ(winsys::runModalDialog(nullptr, PartRefDialogRequest(true)).result, -1);
    ASSERT_EQ(dialogs_.size(), 2u);
    EXPECT_EQ(dialogs_[1]["result"], -1);
    EXPECT_EQ(dialogs_[1]["check"], true);

#if defined(_WIN32)
    winsys::DialogRequest missing = PartRefDialogRequest(false);
    missing.resourceId = 4711;
    EXPECT_EQ(winsys::runModalDialog(nullptr, missing).result, -1)
        << "no module in the chain holds that dialog";
#endif
}

#if defined(_WIN32)
TEST(ModuleResourcesTest, StringTableHoldsTheModuleName) {
    HMODULE file = LoadLibraryExW(L"orbdvmbom16.vmx", nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(file, nullptr);
    wchar_t text[132] = {};
    EXPECT_EQ(LoadStringW(file, IDS_MODULE_NAME, text, 132), 11);
    EXPECT_EQ(std::wstring(text), L"" IDS_MODULE_NAME_TEXT);
    EXPECT_EQ(LoadStringW(file, IDS_MODULE_NAME + 1, text, 132), 0) << "the only string";
    FreeLibrary(file);
}
#endif

}  // namespace
