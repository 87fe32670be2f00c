#include <string>
#include <vector>

#include "host/vx_docman.h"
#include "host/vx_editor.h"
#include "host_test_support.h"
#include "sim/host/dynamic_linker.h"
#include "sim/host/editor_events.h"
#include "sim/host/system_registry.h"

namespace {

// Hears database events and logs them as "added:ID", "erased:ID:1", ...
class DatabaseRecorder : public VxDbDatabaseReactor {
  public:
    void onObjectAdded(const VxDbDatabase*, const VxDbObject* object) override {
        log.push_back("added:" + std::to_string(object->objectId().asInt64()));
    }
    void onObjectErased(const VxDbDatabase*, const VxDbObject* object, bool erased) override {
        log.push_back("erased:" + std::to_string(object->objectId().asInt64()) + ":" +
                      (erased ? "1" : "0"));
    }
    std::vector<std::string> log;
};

// Editor reactor that logs under its own name, so that the delivery order shows.
class NamedEditorReactor : public VxEditorReactor {
  public:
    NamedEditorReactor(std::string name, std::vector<std::string>& log) : name_(name), log_(log) {}
    void onLispStart(const char16_t* line) override {
        log_.push_back(name_ + ":lisp:" + VxString(line).toUtf8());
    }
    void onSaveStart(VxDbDatabase*, const char16_t* file) override {
        log_.push_back(name_ + ":save:" + VxString(file).toUtf8());
    }

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

class DocumentRecorder : public VxApDocManagerReactor {
  public:
    void documentToBeDestroyed(VxApDocument* document) override { gone.push_back(document); }
    std::vector<VxApDocument*> gone;
};

using ReactorsTest = HostTest;

TEST_F(ReactorsTest, DatabaseReactorsHearAddedErasedAndUnerased) {
    sim::Database& database = sim::workingDatabase();
    DatabaseRecorder recorder;
    database.addReactor(&recorder);
    database.addReactor(&recorder);  // attaching twice still delivers once
    const VxDbObjectId id = database.appendEntity(database.modelSpaceId(), new VxDbLine());
    VxDbObject* object = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(object, id, VxDb::kForWrite), Vx::eOk);
    object->erase();
    object->erase();  // already erased: no second event
    object->erase(false);
    object->close();
    database.removeReactor(&recorder);
    database.appendEntity(database.modelSpaceId(), new VxDbLine());
    const std::string n = std::to_string(id.asInt64());
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"added:" + n, "erased:" + n + ":1", "erased:" + n + ":0"}));
    EXPECT_EQ(vxdbHostApplicationServices()->workingDatabase(), &database);
}

TEST_F(ReactorsTest, EditorEventsReachReactorsInAttachOrder) {
    std::vector<std::string> log;
    NamedEditorReactor first("a", log);
    NamedEditorReactor second("b", log);
    auto* editor = static_cast<VxEditor*>(vxrxSysRegistry()->at(u"VxEditor"));
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isKindOf(VxEditor::desc()));
    editor->addReactor(&first);
    editor->addReactor(&second);
    sim::fireLispStart(u"(orbdexternfinish2 1)");
    editor->removeReactor(&first);
    sim::fireSaveStart(&sim::workingDatabase(), u"D.dwg");
    editor->removeReactor(&second);
    EXPECT_EQ(log, (std::vector<std::string>{"a:lisp:(orbdexternfinish2 1)",
                                             "b:lisp:(orbdexternfinish2 1)", "b:save:D.dwg"}));
}

TEST_F(ReactorsTest, RegistryHandsOutTypedServices) {
    VxRxDictionary* registry = vxrxSysRegistry();
    auto* classes = static_cast<VxRxDictionary*>(registry->at(u"ClassDictionary"));
    ASSERT_NE(classes, nullptr);
    for (const char16_t* name : {u"VxEdCommandStack", u"VxEditor", u"VxEditorReactor",
                                 u"VxApDocManagerReactor", u"VxRxDynamicLinker"}) {
        EXPECT_NE(classes->at(name), nullptr) << VxString(name).toUtf8();
    }
    auto* stackClass = static_cast<VxRxClass*>(classes->at(u"VxEdCommandStack"));
    EXPECT_TRUE(registry->at(u"VEXA_REGISTERED_COMMANDS")->isKindOf(stackClass));
    EXPECT_FALSE(registry->at(u"VxEditor")->isKindOf(stackClass));
    auto* linker = static_cast<VxRxDynamicLinker*>(registry->at(u"DynamicLinker"));
    ASSERT_TRUE(linker->isKindOf(VxRxDynamicLinker::desc()));
    int packet = 0;
    EXPECT_TRUE(linker->unlockApplication(&packet));
    EXPECT_TRUE(linker->registerAppMDIAware(&packet));
    EXPECT_EQ(sim::dynamicLinker().unlocked.back(), &packet);
    EXPECT_EQ(sim::dynamicLinker().mdiAware.back(), &packet);
    EXPECT_TRUE(VxDbBlockReference::desc()->isDerivedFrom(VxDbEntity::desc()));
    EXPECT_FALSE(VxDbEntity::desc()->isDerivedFrom(VxDbBlockReference::desc()));

    VxRxObject* editor = sim::replaceRegistryEntry(u"VxEditor", nullptr);
    EXPECT_EQ(registry->at(u"VxEditor"), nullptr);
    sim::replaceRegistryEntry(u"VxEditor", editor);
    EXPECT_EQ(registry->at(u"VxEditor"), editor);
}

TEST_F(ReactorsTest, DocumentsAnnounceTheirEndAndTheManagerCanBeAbsent) {
    DocumentRecorder recorder;
    VxApDocManager* manager = vxDocManagerPtr();
    ASSERT_NE(manager, nullptr);
    manager->addReactor(&recorder);
    VxApDocument* first = manager->curDocument();
    VxApDocument* second = sim::openDocument(VxString(u"Other.dwg"));
    EXPECT_EQ(manager->curDocument(), second);
    EXPECT_NE(&sim::workingDatabase(), first->database());
    sim::closeDocument(second);
    EXPECT_EQ(manager->curDocument(), first);
    EXPECT_EQ(recorder.gone, std::vector<VxApDocument*>{second});
    sim::resetHost();
    EXPECT_EQ(recorder.gone, (std::vector<VxApDocument*>{second, first}));
    EXPECT_NE(vxDocManagerPtr()->curDocument(), nullptr);

    int handle = 0;
    manager->pushResourceHandle(&handle);
    EXPECT_EQ(sim::resourceHandleStack(), std::vector<void*>{&handle});
    manager->popResourceHandle();
    manager->popResourceHandle();
    EXPECT_TRUE(sim::resourceHandleStack().empty());
    EXPECT_EQ(sim::unbalancedResourcePops(), 1);
    manager->removeReactor(&recorder);

    sim::setDocManagerPresent(false);
    EXPECT_EQ(vxDocManagerPtr(), nullptr);
    {
        VxApDataManager<int> data;  // built and destroyed without a manager: no failure
        EXPECT_EQ(data.size(), 0u);
    }
    sim::setDocManagerPresent(true);
    EXPECT_EQ(vxDocManagerPtr(), manager);
}

}  // namespace
