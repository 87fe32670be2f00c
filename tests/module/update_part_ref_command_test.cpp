// "ORBDUPDATEPARTREF" as the reactor queues it or a user types it, with the module loaded
// from its file: the silent update of an inserted external drawing, the dialog after an
// insertion and the message box otherwise.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/vx_db.h"
#include "host/vx_editor.h"
#include "resources/resource_ids.h"
#include "sim/host/editor_events.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"
#include "sim/winsys/window_control.h"
#include "tests/module/loaded_module_test.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

const std::u16string kText58 = u"The entity has no part data.";
const std::u16string kText59 = u"Insert a part reference?";

class UpdatePartRefCommandTest : public LoadedModuleTest {
  protected:
    void SetUp() override {
        LoadedModuleTest::SetUp();
        const std::pair<int, std::u16string> texts[] = {
            {58, kText58},        {59, kText59},   {77, u"Part references"},
            {78, u"Delete them"}, {79, u"Insert"}, {80, u"Do not insert"}};
        for (const auto& [number, text] : texts) {
            sim::pdm::setCatalogueText(u"VM20" + VxString::fromUtf8(std::to_string(number)).str(),
                                       text);
        }
        sim::setDialogAnswerHook([this](const winsys::DialogRequest& request) {
            requests_.push_back(request);
            return dialogAnswer_;
        });
        sim::setUiAnswerHook([this](const sim::MessageBoxRequest&) { return boxAnswer_; });
    }
    void TearDown() override {
        sim::setDialogAnswerHook({});
        sim::setUiAnswerHook({});
        LoadedModuleTest::TearDown();
    }

    VxDbObjectId AddBlockReference(const std::u16string& block, const std::u16string& xrefPath) {
        const VxDbObjectId record = db().addBlock(block, xrefPath);
        return db().appendEntity(db().modelSpaceId(), new VxDbBlockReference({}, record));
    }
    VxDbObjectId AddPartRef() { return db().appendEntity(db().modelSpaceId(), new VxmPartRef()); }
    // An insertion as the reactor sees it: the entities are added while "ORBDDWGINSERT" runs.
    std::vector<VxDbObjectId> Insert(int partRefs) {
        sim::fireCommandStart(u"ORBDDWGINSERT");
        std::vector<VxDbObjectId> added;
        for (int i = 0; i < partRefs; ++i) {
            added.push_back(AddPartRef());
        }
        db().appendEntity(db().modelSpaceId(), new VxDbLine());
        sim::fireCommandEnd(u"ORBDDWGINSERT");
        return added;
    }
    std::size_t ErasedAmong(const std::vector<VxDbObjectId>& ids) {
        std::size_t erased = 0;
        for (const VxDbObjectId id : ids) {
            erased += db().lookup(id)->isErased() ? 1 : 0;
        }
        return erased;
    }
    std::size_t LiveEntities() { return ModelSpaceEntities().size(); }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const sim::Event& event : EventsOf("msgbox")) {
            texts.push_back(event.value("text", ""));
        }
        return texts;
    }
    static std::string Utf8(const std::u16string& text) { return VxString(text).toUtf8(); }

    std::vector<winsys::DialogRequest> requests_;
    sim::DialogAnswer dialogAnswer_{winsys::kIdCancel, std::nullopt};
    std::optional<int> boxAnswer_ = winsys::kIdNo;
};

TEST_F(UpdatePartRefCommandTest, AnInsertedExternalDrawingWithPartDataIsFilledSilently) {
    const VxDbObjectId gear = AddBlockReference(u"GEAR", u"parts/gear.dwg");
    const VxDbObjectId block = db().blockIds().back();
    sim::setBlockPartData(db(), block, {{u"ORBKEY", u"OLD"}});
    Run(u"ORBDUPDATEPARTREF D7 entlast ");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"ORBKEY: =D7", "Entity: =entlast"}));
    EXPECT_EQ(EventsOf("foreground").size(), 1u);
    EXPECT_TRUE(requests_.empty() && BoxTexts().empty()) << "no question asked";
    EXPECT_EQ(sim::blockPartData(db(), block)->at(u"DESCRIPTION"), u"Washer");
    EXPECT_EQ(sim::blockPartData(db(), block)->at(u"ORBKEY"), u"D7");

    // The same by its id, as the reactor queues it when the PDM names the entity.
    sim::setBlockPartData(db(), block, {{u"ORBKEY", u"OLD"}});
    Run(u"ORBDUPDATEPARTREF D8 " + VxString::fromUtf8(std::to_string(gear.asInt64())).str() + u" ");
    EXPECT_EQ(sim::blockPartData(db(), block)->at(u"DESCRIPTION"), u"Bolt");
    EXPECT_EQ(sim::openObjectCount(), 0u);
}

TEST_F(UpdatePartRefCommandTest, TheDialogShowsTheCatalogueTextsAndOkInsertsAPartReference) {
    AddBlockReference(u"BOLT", u"");  // an ordinary block: no part data to update
    dialogAnswer_ = {winsys::kIdOk, std::nullopt};
    Run(u"ORBDUPDATEPARTREF D7 entlast 1,2\n");
    ASSERT_EQ(requests_.size(), 1u);
    const winsys::DialogRequest& request = requests_[0];
    EXPECT_EQ(request.resourceId, IDD_PARTREF);
    EXPECT_EQ(request.caption, u"Part references");
    EXPECT_EQ(request.texts, (std::vector<std::pair<int, std::u16string>>{
                                 {IDC_PARTREF_QUESTION, kText59},
                                 {IDC_PARTREF_DELETE_INSERTED, u"Delete them"},
                                 {winsys::kIdOk, u"Insert"},
                                 {winsys::kIdCancel, u"Do not insert"}}));
    EXPECT_EQ(request.checkBoxId, IDC_PARTREF_DELETE_INSERTED);
    EXPECT_FALSE(request.checked) << "unticked when the module was loaded";
    EXPECT_TRUE(EventsOf("regen").empty()) << "nothing erased, no regeneration";
    const std::vector<VxDbObjectId> entities = ModelSpaceEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(PartDataOf(entities[1]).at(u"ORBKEY"), u"D7");
    EXPECT_TRUE(sim::resourceHandleStack().empty());
    EXPECT_EQ(sim::unbalancedResourcePops(), 0);
}

TEST_F(UpdatePartRefCommandTest,
       ATickedBoxErasesTheInsertedPartRefsWhicheverButtonAndIsRemembered) {
    const VxDbObjectId earlier = AddPartRef();
    std::vector<VxDbObjectId> inserted = Insert(3);
    std::vector<void*> resourcesDuringDialog;
    sim::setDialogAnswerHook([&](const winsys::DialogRequest& request) {
        requests_.push_back(request);
        resourcesDuringDialog = sim::resourceHandleStack();
        return dialogAnswer_;
    });
    dialogAnswer_ = {winsys::kIdCancel, true};
    Run(u"ORBDUPDATEPARTREF D7 entlast ");
    EXPECT_EQ(ErasedAmong(inserted), 3u);
    EXPECT_FALSE(db().lookup(earlier)->isErased()) << "only what the insertion brought";
    EXPECT_EQ(EventsOf("regen").size(), 1u);
    EXPECT_EQ(LiveEntities(), 2u) << "Cancel inserts no part reference";
    ASSERT_EQ(resourcesDuringDialog.size(), 1u) << "the module's resources while it is shown";
    EXPECT_NE(resourcesDuringDialog[0], nullptr);
    EXPECT_TRUE(sim::resourceHandleStack().empty());

    // The next showing opens ticked; closing it unticked is remembered in turn.
    inserted = Insert(1);
    dialogAnswer_ = {winsys::kIdOk, false};
    Run(u"ORBDUPDATEPARTREF D7 entlast 5,5\n");
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_TRUE(requests_[1].checked);
    EXPECT_EQ(ErasedAmong(inserted), 0u);
    EXPECT_EQ(EventsOf("regen").size(), 1u);
    dialogAnswer_ = {winsys::kIdCancel, std::nullopt};
    Run(u"ORBDUPDATEPARTREF D7 entlast ");
    ASSERT_EQ(requests_.size(), 3u);
    EXPECT_FALSE(requests_[2].checked);
    EXPECT_EQ(sim::openObjectCount(), 0u);
}

#if defined(_WIN32)
// The real dialog: the box ticked with a click and the dialog left with the Escape key.
TEST_F(UpdatePartRefCommandTest, EscapeOnTheRealDialogActsAsCancel) {
    const std::vector<VxDbObjectId> inserted = Insert(2);
    bool shownUnticked = false;
    sim::setDialogAnswerHook([&](const winsys::DialogRequest&) -> std::optional<sim::DialogAnswer> {
        HWND dialog = GetActiveWindow();
        HWND box = GetDlgItem(dialog, IDC_PARTREF_DELETE_INSERTED);
        shownUnticked = IsDlgButtonChecked(dialog, IDC_PARTREF_DELETE_INSERTED) == BST_UNCHECKED;
        SendMessageW(box, BM_CLICK, 0, 0);
        MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        IsDialogMessageW(dialog, &escape);
        return sim::DialogAnswer{winsys::kIdOk, false};  // too late: Escape closed it
    });
    Run(u"ORBDUPDATEPARTREF D7 entlast 1,1\n");
    EXPECT_TRUE(shownUnticked);
    EXPECT_EQ(ErasedAmong(inserted), 2u) << "the click ticked the real box";
    EXPECT_EQ(LiveEntities(), 1u) << "Escape inserts no part reference";
    const std::vector<sim::Event> dialogs = EventsOf("dialog");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0]["result"], winsys::kIdCancel);
    EXPECT_EQ(dialogs[0]["check"], true);
}
#endif

// Both questions are owned by the host's main window: no input reaches the host while one is
// up, so no other command can run in the middle of this one; the host is itself again after,
// however the question was closed.
TEST_F(UpdatePartRefCommandTest, TheHostTakesNoInputWhileTheDialogOrTheMessageBoxIsUp) {
    std::vector<bool> hostEnabled;
    const auto hostEnabledNow = [&] {
        hostEnabled.push_back(sim::windowEnabled(vxsw_vexaMainWnd()));
    };
    sim::setDialogAnswerHook([&](const winsys::DialogRequest&) {
        hostEnabledNow();
        return dialogAnswer_;
    });
    sim::setUiAnswerHook([&](const sim::MessageBoxRequest&) {
        hostEnabledNow();
        return boxAnswer_;
    });
    struct Closing {
        const char* name;
        sim::DialogAnswer answer;
        std::u16string_view typed;
    };
    const Closing closings[] = {
        {"OK", {winsys::kIdOk, true}, u"ORBDUPDATEPARTREF D7 entlast 1,1\n"},
        {"Cancel", {winsys::kIdCancel, false}, u"ORBDUPDATEPARTREF D7 entlast "},
        {"not created", {-1, std::nullopt}, u"ORBDUPDATEPARTREF D7 entlast "},
    };
    for (const Closing& closing : closings) {
        Insert(1);
        dialogAnswer_ = closing.answer;
        Run(closing.typed);
        ASSERT_EQ(hostEnabled.size(), 1u) << closing.name;
        EXPECT_FALSE(hostEnabled[0]) << "host enabled under the dialog, closed by " << closing.name;
        EXPECT_TRUE(sim::windowEnabled(vxsw_vexaMainWnd())) << "after " << closing.name;
        hostEnabled.clear();
    }
#if defined(_WIN32)
    Insert(1);
    sim::setDialogAnswerHook([&](const winsys::DialogRequest&) -> std::optional<sim::DialogAnswer> {
        hostEnabledNow();
        MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        IsDialogMessageW(GetActiveWindow(), &escape);
        return std::nullopt;
    });
    Run(u"ORBDUPDATEPARTREF D7 entlast ");
    EXPECT_EQ(hostEnabled, std::vector<bool>{false}) << "under the dialog closed by Escape";
    EXPECT_TRUE(sim::windowEnabled(vxsw_vexaMainWnd())) << "after Escape";
    hostEnabled.clear();
#endif
    for (const int answer : {winsys::kIdYes, winsys::kIdNo}) {
        boxAnswer_ = answer;
        Run(answer == winsys::kIdYes ? u"ORBDUPDATEPARTREF D7 0 2,2\n"
                                     : u"ORBDUPDATEPARTREF D7 0 ");
        EXPECT_EQ(hostEnabled, std::vector<bool>{false})
            << "under the message box, answer " << answer;
        EXPECT_TRUE(sim::windowEnabled(vxsw_vexaMainWnd())) << "after answer " << answer;
        hostEnabled.clear();
    }
}

TEST_F(UpdatePartRefCommandTest, ADialogThatCannotBeCreatedChangesNothing) {
    const std::vector<VxDbObjectId> inserted = Insert(2);
    dialogAnswer_ = {winsys::kIdOk, true};
    Run(u"ORBDUPDATEPARTREF D7 entlast ");  // ticks the box for the next showing
    const std::vector<VxDbObjectId> again = Insert(2);
    const std::size_t live = LiveEntities();
    sim::armFault("runModalDialog", 1, 1);
    Run(u"ORBDUPDATEPARTREF D7 entlast 1,1\n");
    EXPECT_EQ(ErasedAmong(again), 0u) << "the member keeps 0 when the dialog fails";
    EXPECT_EQ(LiveEntities(), live);
    EXPECT_TRUE(sim::resourceHandleStack().empty());
    EXPECT_EQ(sim::unbalancedResourcePops(), 0);
    EXPECT_EQ(ErasedAmong(inserted), 2u);
}

TEST_F(UpdatePartRefCommandTest, TheMessageBoxNamesTheEntityOnlyWhenThereIsOne) {
    const VxDbObjectId bolt = AddBlockReference(u"BOLT", u"");
    const VxDbObjectId line = db().appendEntity(db().modelSpaceId(), new VxDbLine());
    const auto idText = [](VxDbObjectId id) {
        return VxString::fromUtf8(std::to_string(id.asInt64())).str();
    };
    Run(u"ORBDUPDATEPARTREF D7 0 ");
    Run(u"ORBDUPDATEPARTREF D7 " + idText(line) + u" ");
    Run(u"ORBDUPDATEPARTREF D7 " + idText(bolt) + u" ");
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{Utf8(kText59), Utf8(kText59),
                                                    Utf8(kText58 + u"\n" + kText59)}));
    for (const sim::Event& event : EventsOf("msgbox")) {
        EXPECT_EQ(event.value("style", 0), 36);
    }
    EXPECT_EQ(LiveEntities(), 2u) << "No changes nothing";
    EXPECT_TRUE(requests_.empty());

    boxAnswer_ = winsys::kIdYes;
    Run(u"ORBDUPDATEPARTREF P1 0 3,4\n");
    ASSERT_EQ(LiveEntities(), 3u);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[2]).at(u"ORBKEY"), u"P1");
}

TEST_F(UpdatePartRefCommandTest, OnlyAnUnsignedNumberNamingABlockReferenceOfTheDrawingIsAnEntity) {
    const VxDbObjectId bolt = AddBlockReference(u"BOLT", u"");
    const std::string boltText = std::to_string(bolt.asInt64());
    sim::openDocument(u"other.dwg");
    const VxDbObjectId elsewhere = AddBlockReference(u"OTHER", u"");
    sim::closeDocument(sim::documents().back());
    sim::openDocument(u"third.dwg");
    const VxDbObjectId inThird = AddBlockReference(u"THIRD", u"");
    const std::string texts[] = {
        boltText + "x",
        "-" + boltText,
        "+" + boltText,
        "18446744073709551616",               // 2^64
        "1" + std::string(25, '0'),           // far past it
        "18446744073709551615",               // fits, names nothing
        std::to_string(elsewhere.asInt64()),  // gone with its drawing
        std::to_string(bolt.asInt64()),       // in a drawing that is not current
    };
    for (const std::string& text : texts) {
        Run(u"ORBDUPDATEPARTREF D7 " + VxString::fromUtf8(text).str() + u" ");
    }
    Run(u"ORBDUPDATEPARTREF D7  ");  // an empty answer
    const std::vector<std::string> shown = BoxTexts();
    ASSERT_EQ(shown.size(), std::size(texts) + 1);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i], Utf8(kText59)) << (i < std::size(texts) ? texts[i] : "empty");
    }
    Run(u"ORBDUPDATEPARTREF D7 " + VxString::fromUtf8(std::to_string(inThird.asInt64())).str() +
        u" ");
    EXPECT_EQ(BoxTexts().back(), Utf8(kText58 + u"\n" + kText59));
    EXPECT_EQ(sim::openObjectCount(), 0u);
}

TEST_F(UpdatePartRefCommandTest, LongCatalogueTextsAreJoinedWhole) {
    const std::u16string first(1000, u'a');
    const std::u16string second(1000, u'b');
    sim::pdm::setCatalogueText(u"VM2058", first);
    sim::pdm::setCatalogueText(u"VM2059", second);
    const VxDbObjectId bolt = AddBlockReference(u"BOLT", u"");
    Run(u"ORBDUPDATEPARTREF D7 " + VxString::fromUtf8(std::to_string(bolt.asInt64())).str() + u" ");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{Utf8(first + u"\n" + second)});
}

TEST_F(UpdatePartRefCommandTest, AFailingLastEntityQueryMeansNoEntity) {
    const VxDbObjectId block = db().addBlock(u"GEAR", u"parts/gear.dwg");
    sim::setBlockPartData(db(), block, {{u"ORBKEY", u"OLD"}});
    db().appendEntity(db().modelSpaceId(), new VxDbBlockReference({}, block));
    sim::armFault("vxdbEntLast", 1, kRtError);
    Run(u"ORBDUPDATEPARTREF D7 entlast ");
    EXPECT_EQ(requests_.size(), 1u) << "the dialog, not the silent update";
    EXPECT_EQ(sim::blockPartData(db(), block)->at(u"ORBKEY"), u"OLD");
}

TEST_F(UpdatePartRefCommandTest, ACancelledPromptEndsTheCommandQuietly) {
    Run(u"ORBDUPDATEPARTREF \x1b");
    Run(u"ORBDUPDATEPARTREF D7 \x1b");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"ORBKEY:  cancelled", "ORBKEY: =D7",
                                                   "Entity:  cancelled"}));
    EXPECT_TRUE(EventsOf("foreground").empty());
    EXPECT_TRUE(requests_.empty() && BoxTexts().empty() && Prints().empty());
}

}  // namespace
