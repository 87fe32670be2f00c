// A fresh host, PDM and PdmLink for each PdmLink test, and a view of what reached the PDM.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pdm/pdm_link.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/host/lisp.h"
#include "sim/pdm/pdm_control.h"

class PdmLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetHost();
        sim::pdm::reset();
        PdmLink::Reset();
    }
    void TearDown() override {
        PdmLink::Reset();
        sim::clearHostFunctions();
    }

    static PdmLink& link() { return PdmLink::Instance(); }

    // The texts of every logged call of an orbd* function, in order.
    static std::vector<std::vector<std::u16string>> callsOf(const std::string& function) {
        std::vector<std::vector<std::u16string>> calls;
        for (const sim::pdm::PdmCall& call : sim::pdm::callLog()) {
            if (call.function == function) {
                calls.push_back(call.texts);
            }
        }
        return calls;
    }
    // The expressions evaluated with orbdPrep, in order.
    static std::vector<std::u16string> evaluated() {
        std::vector<std::u16string> expressions;
        for (const auto& texts : callsOf("orbdPrep")) {
            expressions.push_back(texts.at(0));
        }
        return expressions;
    }
    static void setEnv(const std::u16string& name, const std::u16string& value) {
        sim::pdm::setEnv(sim::pdm::currentDocument(), name, value);
    }
};
