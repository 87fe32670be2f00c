#include "module/command_barrier.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/host_status_error.h"
#include "host/vx_status.h"
#include "host/vx_string.h"
#include "sim/host/events.h"

namespace {

class CommandBarrierTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = sim::setEventSink([this](const sim::Event& event) {
            if (throwOnReport_) {
                throw std::runtime_error("the command line is gone");
            }
            if (event.value("ev", "") == "print") {
                prints_.push_back(event.value("text", ""));
            }
        });
    }
    void TearDown() override { sim::setEventSink(previous_); }

    std::vector<std::string> prints_;
    bool throwOnReport_ = false;

  private:
    sim::EventSink previous_;
};

std::string Utf8(const char16_t* text) {
    return VxString(text).toUtf8();
}

TEST_F(CommandBarrierTest, ReportsWhatArrivesAndLetsNothingThrough) {
    bool ran = false;
    RunAsBarrier([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(prints_.empty()) << "work that ends normally prints nothing";

    RunAsBarrier([] { throw HostStatusError(u"eWasOpenForWrite"); });
    RunAsBarrier([] { throw std::bad_alloc(); });
    RunAsBarrier([] { throw std::runtime_error("not a host failure"); });
    RunAsBarrier([] { throw 7; });
    EXPECT_EQ(prints_,
              (std::vector<std::string>{"\neWasOpenForWrite\n",
                                        "\n" + Utf8(vexaErrorStatusText(Vx::eOutOfMemory)) + "\n"}))
        << "a host failure and running out of memory are reported; anything else is swallowed";
}

TEST_F(CommandBarrierTest, HoldsWhenReportingItselfThrows) {
    throwOnReport_ = true;
    EXPECT_NO_THROW(RunAsBarrier([] { throw HostStatusError(u"eKeyNotFound"); }));
    EXPECT_NO_THROW(RunAsBarrier([] { throw std::bad_alloc(); }));
    EXPECT_NO_THROW(RunAsBarrier([] { throw 1.5; }));
    static_assert(noexcept(RunAsBarrier([] {})), "the barrier promises not to throw");
}

}  // namespace
