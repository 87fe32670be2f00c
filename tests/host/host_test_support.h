// Shared set-up of the host tests: a fresh host per test, and the events it emits.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/host/events.h"
#include "sim/host/host_control.h"

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetHost();
        sim::setEventSink([this](const sim::Event& e) { events.push_back(e); });
    }
    void TearDown() override {
        sim::setEventSink(nullptr);
        sim::resetHost();
    }
    // The events of one kind, in order.
    std::vector<sim::Event> eventsOf(const std::string& kind) const {
        std::vector<sim::Event> found;
        for (const auto& e : events) {
            if (e["ev"] == kind) {
                found.push_back(e);
            }
        }
        return found;
    }
    std::vector<sim::Event> events;
};
