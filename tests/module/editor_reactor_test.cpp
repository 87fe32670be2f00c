// The drawing-event reactor as the host drives it: the PDM integration's commands, its lisp
// call and saves, with the module loaded from its file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/vx_db.h"
#include "sim/host/editor_events.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_control.h"
#include "sim/winsys/window_control.h"
#include "tests/module/loaded_module_test.h"

namespace {

class EditorReactorTest : public LoadedModuleTest {
  protected:
    void SetPending(const std::u16string& key, const std::u16string& id) {
        SetEnv(u"PARTREF", key);
        SetEnv(u"PARTREFID", id);
    }
    std::u16string Env(const std::u16string& name) {
        return sim::pdm::env(sim::pdm::currentDocument(), name);
    }
    // The pending values as "PARTREF|PARTREFID".
    std::u16string Pending() { return Env(u"PARTREF") + u"|" + Env(u"PARTREFID"); }
    // The command strings queued since the last call.
    std::vector<std::u16string> TakeQueued() {
        std::vector<std::u16string> queued;
        for (const std::u16string& text : TextsOf("queue")) {
            queued.push_back(text);
        }
        queued.erase(queued.begin(), queued.begin() + static_cast<long>(seenQueued_));
        seenQueued_ += queued.size();
        return queued;
    }
    // Ends a command with the pending values set, and answers what it queued.
    std::vector<std::u16string> EndWithPending(const char16_t* command, const std::u16string& key,
                                               const std::u16string& id) {
        SetPending(key, id);
        sim::fireCommandStart(command);
        sim::fireCommandEnd(command);
        return TakeQueued();
    }
    VxDbObjectId AddLine() { return db().appendEntity(db().modelSpaceId(), new VxDbLine()); }
    void SetErased(VxDbObjectId id, bool erased) {
        VxDbObject* object = nullptr;
        ASSERT_EQ(vxdbOpenVxDbObject(object, id, VxDb::kForWrite, nullptr, true), Vx::eOk);
        EXPECT_EQ(object->erase(erased), Vx::eOk);
        object->close();
    }
    // The reactor's list, read through the command that uses it: the part references it
    // names are the ones a ticked dialog erases.
    std::vector<VxDbObjectId> ErasedByTickedDialog(const std::vector<VxDbObjectId>& partRefs) {
        sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
            return sim::DialogAnswer{winsys::kIdCancel, true};
        });
        Run(u"ORBDUPDATEPARTREF D7 entlast ");
        std::vector<VxDbObjectId> erased;
        for (const VxDbObjectId id : partRefs) {
            if (db().lookup(id)->isErased()) {
                erased.push_back(id);
            }
        }
        return erased;
    }
    VxDbObjectId AddPartRef() { return db().appendEntity(db().modelSpaceId(), new VxmPartRef()); }

    std::size_t seenQueued_ = 0;
};

TEST_F(EditorReactorTest, EachTriggerQueuesItsFormAndConsumesThePendingValues) {
    EXPECT_EQ(EndWithPending(u"ORBDDWGINSERT", u"P9", u""),
              std::vector<std::u16string>{u"ORBDUPDATEPARTREF P9 entlast "});
    EXPECT_EQ(Pending(), u"|0") << "both values reset after processing";

    EXPECT_EQ(EndWithPending(u"ORBDINTROFINISH", u"P9", u"0"),
              std::vector<std::u16string>{u"ORBDUPDATEPARTREF P9 0 "});
    EXPECT_EQ(EndWithPending(u"ORBDSYSSAVE", u"P9", u""),
              std::vector<std::u16string>{u"ORBDUPDATEPARTREF P9 0 "});
    EXPECT_EQ(EndWithPending(u"ORBDDWGINSERT", u"P9", u"4711"),
              std::vector<std::u16string>{u"ORBDUPDATEPARTREF P9 4711 "})
        << "a set PARTREFID wins over the command name";

    SetPending(u"P3", u"");
    sim::fireLispStart(u"(progn (orbdexternfinish2 \"x\"))");
    sim::fireLispEnd();
    EXPECT_EQ(TakeQueued(), std::vector<std::u16string>{u"ORBDUPDATEPARTREF P3 0 "});
    EXPECT_EQ(Pending(), u"|0");

    sim::fireCommandEnd(u"ORBDSYSSAVE");
    EXPECT_TRUE(TakeQueued().empty()) << "the values are consumed once";
}

TEST_F(EditorReactorTest, OtherEventsLeaveThePendingValuesAlone) {
    EXPECT_TRUE(EndWithPending(u"ORBDDWGINSERT", u"0", u"17").empty());
    EXPECT_EQ(Pending(), u"0|17") << "PARTREF \"0\": nothing pending, nothing reset";

    EXPECT_TRUE(EndWithPending(u"orbddwginsert", u"P9", u"").empty());
    EXPECT_TRUE(EndWithPending(u"ORBDBOM", u"P9", u"").empty());
    sim::fireCommandCancel(u"ORBDDWGINSERT");
    EXPECT_TRUE(TakeQueued().empty()) << "a cancelled insertion queues nothing";
    sim::fireLispStart(u"(orbdexternfinish 1)");
    sim::fireLispEnd();
    sim::fireLispStart(u"(orbdexternfinish2 1)");
    sim::fireLispCancel();
    sim::fireLispEnd();
    EXPECT_TRUE(TakeQueued().empty()) << "other lisp calls and a cancelled one trigger nothing";
    EXPECT_EQ(Pending(), u"P9|");
}

TEST_F(EditorReactorTest, WithoutTheMappingSectionNothingIsQueuedButTheValuesAreReset) {
    UseMapping({"[VexaBomToKORDANE]", "IDENT=ITEM"});
    EXPECT_TRUE(EndWithPending(u"ORBDDWGINSERT", u"P9", u"12").empty());
    EXPECT_EQ(Pending(), u"|0");
    EXPECT_TRUE(Prints().empty());
}

TEST_F(EditorReactorTest, UnsafeOrOversizedValuesQueueNothingAndAreReported) {
    const std::u16string invalid = u"eInvalidInput ";
    const std::u16string longKey(240, u'K');
    const struct {
        std::u16string key;
        std::u16string id;
        std::u16string reported;
    } cases[] = {
        {u"P9 ORBDBOM", u"", u"P9 ORBDBOM"},
        {u"P9\nORBDBOM", u"", u"P9\nORBDBOM"},
        {u"P9\tX", u"", u"P9\tX"},
        {u"P9\x1b", u"", u"P9\x1b"},
        {u"P9", u"12 ORBDBOM", u"12 ORBDBOM"},
        {u"P9", u"-1", u"-1"},
        {u"P9", u"12x", u"12x"},
        {longKey, u"", longKey},
        {std::u16string(200, u'K'), std::u16string(60, u'7'), std::u16string(60, u'7')},
        {std::u16string(300, u'K'), u"1", std::u16string(300, u'K')},
    };
    for (const auto& c : cases) {
        const std::size_t printed = Prints().size();
        EXPECT_TRUE(EndWithPending(u"ORBDDWGINSERT", c.key, c.id).empty())
            << VxString(c.key).toUtf8() << " / " << VxString(c.id).toUtf8();
        EXPECT_EQ(Pending(), u"|0");
        ASSERT_EQ(Prints().size(), printed + 1);
        EXPECT_EQ(Prints().back(), u"\n" + invalid + c.reported + u"\n");
    }

    // The longest key that fits the 256-character buffer with " entlast " still goes.
    const std::u16string fitting(255 - std::u16string(u"ORBDUPDATEPARTREF  entlast ").size(), u'K');
    EXPECT_EQ(EndWithPending(u"ORBDDWGINSERT", fitting, u""),
              std::vector<std::u16string>{u"ORBDUPDATEPARTREF " + fitting + u" entlast "});
    EXPECT_TRUE(EndWithPending(u"ORBDDWGINSERT", fitting + u"K", u"").empty());
}

TEST_F(EditorReactorTest, AHostFailureWhileQueuingIsReportedAndTheValuesStillReset) {
    sim::armFault("sendStringToExecute", 1, Vx::eInvalidContext);
    EXPECT_TRUE(EndWithPending(u"ORBDSYSSAVE", u"P9", u"").empty());
    EXPECT_EQ(Pending(), u"|0");
    EXPECT_EQ(Prints(), std::vector<std::u16string>{u"\neInvalidContext\n"});
}

TEST_F(EditorReactorTest, InsertedEntitiesFollowAddsErasuresAndUndoneErasures) {
    const VxDbObjectId before = AddPartRef();
    sim::fireCommandStart(u"ORBDDWGINSERT");
    const VxDbObjectId kept = AddPartRef();
    const VxDbObjectId erased = AddPartRef();
    const VxDbObjectId restored = AddPartRef();
    AddLine();
    db().addBlock(u"INSERTED", u"");
    SetErased(erased, true);
    SetErased(restored, true);
    SetErased(restored, false);
    SetErased(before, true);
    SetErased(before, false);  // the user's own part reference, not the insertion's
    SetErased(restored, false);
    sim::fireCommandEnd(u"ORBDDWGINSERT");
    const VxDbObjectId after = AddPartRef();  // the database part is detached again

    SetErased(erased, false);
    EXPECT_EQ(ErasedByTickedDialog({before, kept, erased, restored, after}),
              (std::vector<VxDbObjectId>{kept, restored}))
        << "an undone erasure brings back only what the insertion added, once";
    EXPECT_EQ(sim::openObjectCount(), 0u);
}

TEST_F(EditorReactorTest, TheInsertedListBelongsToTheDrawingItWasCollectedIn) {
    sim::fireCommandStart(u"ORBDDWGINSERT");
    const VxDbObjectId inserted = AddPartRef();
    sim::fireCommandEnd(u"ORBDDWGINSERT");

    VxApDocument* other = sim::openDocument(u"other.dwg");
    const VxDbObjectId othersOwn = AddPartRef();
    sim::setDialogAnswerHook([](const winsys::DialogRequest&) {
        return sim::DialogAnswer{winsys::kIdCancel, true};
    });
    Run(u"ORBDUPDATEPARTREF D7 entlast ");
    EXPECT_FALSE(db().lookup(othersOwn)->isErased());
    sim::closeDocument(other);
    EXPECT_FALSE(db().lookup(inserted)->isErased()) << "a dialog in another drawing erases none";

    EXPECT_EQ(ErasedByTickedDialog({inserted}), std::vector<VxDbObjectId>{inserted})
        << "back in its own drawing the list still holds the insertion";
}

TEST_F(EditorReactorTest, EachInsertionStartsAFreshListAndACancelledOneKeepsWhatItSaw) {
    sim::fireCommandStart(u"ORBDDWGINSERT");
    const VxDbObjectId first = AddPartRef();
    sim::fireCommandEnd(u"ORBDDWGINSERT");
    sim::fireCommandStart(u"ORBDDWGINSERT");
    const VxDbObjectId second = AddPartRef();
    sim::fireCommandCancel(u"ORBDDWGINSERT");
    const VxDbObjectId late = AddPartRef();
    EXPECT_EQ(ErasedByTickedDialog({first, second, late}), std::vector<VxDbObjectId>{second});
}

TEST_F(EditorReactorTest, SavingTheWorkingDrawingSynchronisesItsPartData) {
    const auto drawingTitle = [this] {
        return sim::blockPartData(db(), db().modelSpaceId())
            .value_or(VxmStringMap{})
            .count(u"TITLE");
    };
    sim::fireSaveStart(&db(), u"a.dwg");
    EXPECT_EQ(drawingTitle(), 0u) << "no ORBKEY, no synchronisation";

    SetEnv(u"ORBKEY", u"D7");
    sim::setLoadedModules({VxString(u"vmcomp.vmx")});
    sim::fireSaveStart(&db(), u"a.dwg");
    EXPECT_EQ(drawingTitle(), 0u) << "vmcomp.vmx synchronises on its own";

    sim::setLoadedModules({VxString(u"VMCOMP.VMX")});
    sim::Database other;
    sim::fireSaveStart(&other, u"b.dwg");
    EXPECT_EQ(drawingTitle(), 0u) << "another database is not the working drawing";

    sim::fireSaveStart(&db(), u"a.dwg");
    EXPECT_EQ(sim::blockPartData(db(), db().modelSpaceId())->at(u"TITLE"), u"Washer");
}

}  // namespace
