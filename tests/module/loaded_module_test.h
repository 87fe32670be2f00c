// LoadedModuleTest: the part-reference fixture with the module loaded from its file and sent
// message 1, so that commands run as a user types them and the reactor hears the host's
// events.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/common/module_loader.h"
#include "sim/host/command_line.h"
#include "tests/partref/part_ref_test_support.h"

class LoadedModuleTest : public PartRefOpTest {
  protected:
    void SetUp() override {
        PartRefOpTest::SetUp();
        std::string error;
        module_ = LoadedModule::Load(ORBD_MODULE_FILE, error);
        ASSERT_NE(module_, nullptr) << error;
        module_->SendMessage(1, &packet_);
        UseStandardMapping();
    }
    void TearDown() override {
        if (module_) {
            module_->SendMessage(2, &packet_);
            module_.reset();
        }
        PartRefOpTest::TearDown();
    }
    void Run(std::u16string_view typed) {
        Type(typed);
        sim::runCommandLine();
    }
    // "prompt=answer" or "prompt cancelled", in order.
    std::vector<std::string> Prompts() const {
        std::vector<std::string> prompts;
        for (const sim::Event& event : EventsOf("prompt")) {
            prompts.push_back(event.value("prompt", "") + (event.contains("answer")
                                                               ? "=" + event.value("answer", "")
                                                               : " cancelled"));
        }
        return prompts;
    }

    int packet_ = 0;
    std::unique_ptr<LoadedModule> module_;
};
