// The module as the host sees it: loaded from its file, sent application messages, unloaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/common/module_loader.h"
#include "host/vx_app.h"
#include "sim/host/command_stack.h"
#include "sim/host/documents.h"
#include "sim/host/dynamic_linker.h"
#include "sim/host/editor.h"
#include "sim/host/host_control.h"
#include "sim/winsys/resource_chain.h"

namespace {

// The nine commands in the order the host must register them.
const std::vector<std::u16string> kCommandOrder = {
    u"ORBDBOM",
    u"ORBDBOMEXPORT",
    u"ORBDCREATEPARTREF",
    u"ORBDCREATEPARTREF2",
    u"ORBDUPDATEPARTREF",
    u"ORBDUPDATEPARTREFS",
    u"ORBDCHANGEPARTREFKEY",
    u"ORBDSYNCPARTDATA",
    u"ORBDCREATEVIRTUALCOMP",
};

std::vector<sim::CommandRow> ModuleCommands() {
    std::vector<sim::CommandRow> rows;
    for (const sim::CommandRow& row : sim::registeredCommands()) {
        if (row.group.str() == u"ORBDVMBOM") {
            rows.push_back(row);
        }
    }
    return rows;
}

class ModuleEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetHost();
        std::string error;
        module_ = LoadedModule::Load(ORBD_MODULE_FILE, error);
        ASSERT_NE(module_, nullptr) << error;
    }
    void TearDown() override {
        module_.reset();
        sim::setDocManagerPresent(true);
    }
    int Send(int code) { return module_->SendMessage(code, &packet_); }

    int packet_ = 0;
    std::unique_ptr<LoadedModule> module_;
};

TEST_F(ModuleEntry, ReactorAndDataManagerAttachBeforeTheFirstMessage) {
    EXPECT_EQ(sim::editor().reactors().size(), 1u);
    EXPECT_EQ(sim::docManager().reactors().size(), 1u);
    EXPECT_TRUE(ModuleCommands().empty()) << "nothing registered before message 1";
}

TEST_F(ModuleEntry, InitRegistersInTableOrderAndUnloadRemovesThem) {
    EXPECT_EQ(Send(VxRx::kInitModuleMsg), 0);
    const std::vector<sim::CommandRow> rows = ModuleCommands();
    ASSERT_FALSE(rows.empty());
    std::size_t next = 0;
    for (const sim::CommandRow& row : rows) {
        while (next < kCommandOrder.size() && kCommandOrder[next] != row.localName.str()) {
            ++next;
        }
        ASSERT_LT(next, kCommandOrder.size()) << row.localName.toUtf8() << " out of order";
        EXPECT_EQ(row.globalName.str(), u"_" + row.localName.str());
        EXPECT_EQ(row.flags, 3);
        EXPECT_EQ(row.functionCode, -1);
        EXPECT_NE(row.handler, nullptr);
        EXPECT_NE(row.resourceHandle, nullptr) << "registered with the module's resources";
    }
    EXPECT_EQ(sim::dynamicLinker().unlocked.back(), &packet_);
    EXPECT_EQ(sim::dynamicLinker().mdiAware.back(), &packet_);

    EXPECT_EQ(Send(VxRx::kUnloadModuleMsg), 0);
    EXPECT_TRUE(ModuleCommands().empty());
}

TEST_F(ModuleEntry, OtherMessagesAnswerZeroAndChangeNothing) {
    ASSERT_EQ(Send(VxRx::kInitModuleMsg), 0);
    const std::size_t registered = ModuleCommands().size();
    for (int code : {0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 1000, -1, -5100}) {
        EXPECT_EQ(Send(code), 0) << "message " << code;
    }
    EXPECT_EQ(ModuleCommands().size(), registered);
    EXPECT_EQ(module_->ApiVersion(), kVxApiVersion);
    Send(VxRx::kUnloadModuleMsg);
}

TEST_F(ModuleEntry, UnloadDetachesReactorsAndResources) {
    const std::size_t chained = sim::resourceChain().size();
    EXPECT_GE(chained, 1u) << "the module's resources join the chain at load";
    module_.reset();
    EXPECT_TRUE(sim::editor().reactors().empty());
    EXPECT_TRUE(sim::docManager().reactors().empty());
    EXPECT_EQ(sim::resourceChain().size(), chained - 1);
}

TEST_F(ModuleEntry, UnloadWithoutDocumentManagerDoesNotFail) {
    Send(VxRx::kInitModuleMsg);
    Send(VxRx::kUnloadModuleMsg);
    sim::setDocManagerPresent(false);
    module_.reset();  // must not reach for the missing document manager
    sim::setDocManagerPresent(true);
    EXPECT_TRUE(sim::editor().reactors().empty());
}

}  // namespace
