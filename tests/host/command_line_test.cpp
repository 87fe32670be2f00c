#include <string>
#include <vector>

#include "host/vx_docman.h"
#include "host/vx_editor.h"
#include "host_test_support.h"
#include "sim/host/command_line.h"
#include "sim/host/database.h"
#include "sim/host/editor.h"
#include "sim/host/editor_events.h"
#include "test_commands.h"

namespace {

// Records the command events the editor delivers, as "start:NAME", "end:NAME", ...
class CommandRecorder : public VxEditorReactor {
  public:
    void onCommandStart(const char16_t* name) override { log.push_back("start:" + utf8(name)); }
    void onCommandEnd(const char16_t* name) override { log.push_back("end:" + utf8(name)); }
    void onCommandCancel(const char16_t* name) override { log.push_back("cancel:" + utf8(name)); }
    void onCommandFailed(const char16_t* name) override { log.push_back("failed:" + utf8(name)); }
    static std::string utf8(const char16_t* text) { return VxString(text).toUtf8(); }
    std::vector<std::string> log;
};

class CommandLineTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        sim::editor().addReactor(&recorder);
    }
    void TearDown() override {
        sim::editor().removeReactor(&recorder);
        test_commands::removeAll();
        HostTest::TearDown();
    }
    // A plain string answer as the command read it, or "<status>" when it failed.
    static std::string ask(const char16_t* prompt, int allowBlanks = 0) {
        char16_t buffer[kVxMaxStringAnswer];
        const int status = vxedGetString(allowBlanks, prompt, buffer);
        return status == kRtNorm ? VxString(buffer).toUtf8() : "<" + std::to_string(status) + ">";
    }
    std::vector<std::string> commandNames() const {
        std::vector<std::string> names;
        for (const auto& e : eventsOf("command")) {
            names.push_back(e["name"].get<std::string>() + "/" + e["source"].get<std::string>());
        }
        return names;
    }
    CommandRecorder recorder;
};

TEST_F(CommandLineTest, NamesAndAnswersEndAtBlankOrEnter) {
    std::vector<std::string> answers;
    ASSERT_EQ(test_commands::add(0, u"TWOARGS",
                                 [&] {
                                     answers.push_back(ask(u"Key: "));
                                     answers.push_back(ask(u"Entity: "));
                                     answers.push_back(ask(u"Title: ", 1));
                                 }),
              Vx::eOk);
    sim::typeText(u"  \n twoargs K1 entlast\r\nA long title\n_TWOARGS  x y\n");
    sim::runCommandLine();
    EXPECT_EQ(answers, (std::vector<std::string>{"K1", "entlast", "A long title", "", "x", "y"}))
        << "a blank right after the name ends the first answer empty";
    EXPECT_EQ(commandNames(), (std::vector<std::string>{"TWOARGS/typed", "TWOARGS/typed"}));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"start:TWOARGS", "end:TWOARGS",
                                                      "start:TWOARGS", "end:TWOARGS"}));
    const auto prompts = eventsOf("prompt");
    ASSERT_EQ(prompts.size(), 6u);
    EXPECT_EQ(prompts[0]["prompt"], "Key: ");
    EXPECT_EQ(prompts[0]["answer"], "K1");
}

TEST_F(CommandLineTest, QueuedStringsRunAfterTheCurrentCommandBeforeTypedText) {
    std::vector<std::string> order;
    test_commands::add(0, u"FIRST", [&] {
        order.push_back("first");
        VxApDocManager* manager = vxDocManagerPtr();
        manager->sendStringToExecute(manager->curDocument(), u"SECOND from-queue ");
        order.push_back("first-after-queue");
    });
    test_commands::add(1, u"SECOND", [&] { order.push_back("second:" + ask(u"Arg: ")); });
    test_commands::add(2, u"THIRD", [&] { order.push_back("third"); });
    sim::typeText(u"FIRST THIRD\n");
    sim::runCommandLine();
    EXPECT_EQ(order, (std::vector<std::string>{"first", "first-after-queue", "second:from-queue",
                                               "third"}));
    EXPECT_EQ(commandNames(),
              (std::vector<std::string>{"FIRST/typed", "SECOND/queued", "THIRD/typed"}));
    ASSERT_EQ(eventsOf("queue").size(), 1u);
    EXPECT_EQ(eventsOf("queue")[0]["text"], "SECOND from-queue ");
}

TEST_F(CommandLineTest, UnknownCommandIsReportedAndTheRestRuns) {
    int runs = 0;
    test_commands::add(0, u"KNOWN", [&] { ++runs; });
    sim::typeText(u"nosuch KNOWN\n");
    sim::runCommandLine();
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(eventsOf("print").size(), 1u);
    EXPECT_EQ(eventsOf("print")[0]["text"], "Unknown command \"NOSUCH\".  Press F1 for help.");
    EXPECT_FALSE(sim::runCommand(u"ALSONOT"));
}

TEST_F(CommandLineTest, EscapeAndExhaustedInputCancelThePrompt) {
    std::vector<std::string> answers;
    test_commands::add(0, u"ASK", [&] {
        answers.push_back(ask(u"Key: "));
        if (answers.back() == "K") {
            answers.push_back(ask(u"Next: "));
        }
    });
    sim::typeText(
        u"ASK par\x1b"
        u"ASK K\n");  // Escape drops the partly typed answer
    sim::runCommandLine();
    EXPECT_EQ(answers, (std::vector<std::string>{"<-5002>", "K", "<-5002>"}));
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"start:ASK", "cancel:ASK", "start:ASK", "cancel:ASK"}));
    EXPECT_EQ(eventsOf("prompt")[0]["cancelled"], true);

    answers.clear();
    std::vector<std::string> asked;
    sim::setInputHook([&](const std::u16string& prompt) -> std::optional<std::u16string> {
        asked.push_back(VxString(prompt).toUtf8());
        return u"K";
    });
    sim::runCommand(u"ASK");
    EXPECT_EQ(answers, (std::vector<std::string>{"K", "K"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"Key: ", "Next: "}));
}

TEST_F(CommandLineTest, LongAnswersNeverOverflow) {
    const std::u16string longText(kVxMaxStringAnswer + 10, u'x');
    int status = 0;
    char16_t small[5] = {u'#', u'#', u'#', u'#', u'#'};
    test_commands::add(0, u"LONG", [&] {
        char16_t buffer[kVxMaxStringAnswer];
        status = vxedGetString(0, u"Key: ", buffer);
        vxedGetStringB(u"Text: ", small, 4);
    });
    sim::typeText(u"LONG " + longText + u" abc defgh\n");
    sim::runCommandLine();
    EXPECT_EQ(status, kRtRej);
    EXPECT_EQ(std::u16string(small), u"abc");
    EXPECT_EQ(small[4], u'#');
    EXPECT_EQ(eventsOf("prompt")[0]["rejected"], true);
    EXPECT_EQ(eventsOf("prompt")[1]["answer"], "abc defgh");
}

TEST_F(CommandLineTest, AnAnswerTooLongIsSaidWithItsLengthAndTheLimit) {
    int status = 0;
    test_commands::add(0, u"ASKKEY", [&] {
        char16_t buffer[kVxMaxStringAnswer];
        status = vxedGetString(0, u"ORBKEY: ", buffer);
    });
    sim::typeText(u"ASKKEY " + std::u16string(kVxMaxStringAnswer, u'K') + u"\n");
    sim::runCommandLine();
    EXPECT_EQ(status, kRtRej);
    const auto prints = eventsOf("print");
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0]["text"],
              "Invalid input: the answer is too long (2049 characters, at most 2048).");

    // One character less is an answer like any other.
    sim::typeText(u"ASKKEY " + std::u16string(kVxMaxStringAnswer - 1, u'K') + u"\n");
    sim::runCommandLine();
    EXPECT_EQ(status, kRtNorm);
    EXPECT_EQ(eventsOf("print").size(), 1u);
}

TEST_F(CommandLineTest, PointsAreParsedAndInvalidInputAsksAgain) {
    std::vector<std::vector<double>> points;
    std::vector<int> statuses;
    test_commands::add(0, u"PTS", [&] {
        const double base[3] = {10, 20, 30};
        for (int i = 0; i < 4; ++i) {
            double p[3] = {-1, -1, -1};
            statuses.push_back(vxedGetPoint(base, u"Point: ", p));
            points.push_back({p[0], p[1], p[2]});
        }
    });
    sim::typeText(u"PTS 1,2 1.5,-2,3e1 a,b 1,2,3,4 @1,1\n\n");
    sim::runCommandLine();
    EXPECT_EQ(statuses, (std::vector<int>{kRtNorm, kRtNorm, kRtNorm, kRtNone}));
    EXPECT_EQ(points[0], (std::vector<double>{1, 2, 0}));
    EXPECT_EQ(points[1], (std::vector<double>{1.5, -2, 30}));
    EXPECT_EQ(points[2], (std::vector<double>{11, 21, 30})) << "after two invalid answers";
    EXPECT_EQ(eventsOf("print").size(), 2u);
}

// Finite in the user system is not enough: the point must have a place in the world.
TEST_F(CommandLineTest, PointsWithoutAPlaceInTheWorldAreRefusedAndAskedAgain) {
    std::vector<std::vector<double>> points;
    auto askPoints = [&](int count, const double* base) {
        test_commands::add(0, u"PTS", [&points, count, base] {
            for (int i = 0; i < count; ++i) {
                double p[3] = {-1, -1, -1};
                ASSERT_EQ(vxedGetPoint(base, u"Point: ", p), kRtNorm);
                points.push_back({p[0], p[1], p[2]});
            }
        });
    };
    sim::UserCoordinateSystem& ucs = sim::workingDatabase().header().ucs;
    ASSERT_TRUE(ucs.set(VxGePoint3d{1e308, 0, 0}, VxGeVector3d{1, 0, 0}, VxGeVector3d{0, 1, 0}));
    askPoints(1, nullptr);
    sim::typeText(u"PTS 1e308,10 -1e308,10\n");
    sim::runCommandLine();
    EXPECT_EQ(points, (std::vector<std::vector<double>>{{-1e308, 10, 0}}));
    ASSERT_EQ(eventsOf("print").size(), 1u);
    EXPECT_EQ(eventsOf("print")[0]["text"], "Point or option keyword required.");

    // Turned an eighth round z: both parts add up in world x.
    test_commands::removeAll();
    points.clear();
    ASSERT_TRUE(ucs.set(VxGePoint3d{}, VxGeVector3d{1, 1, 0}, VxGeVector3d{-1, 1, 0}));
    const double base[3] = {1e308, 0, 0};
    askPoints(1, base);
    sim::typeText(u"PTS 1.5e308,1.5e308 @1e308,0 1,1\n");
    sim::runCommandLine();
    ASSERT_EQ(points.size(), 1u);
    EXPECT_NEAR(points[0][0], 1, 1e-12) << "the answer is the point in the user system";
    EXPECT_EQ(eventsOf("print").size(), 3u) << "a point beyond the world and a base point "
                                               "moved beyond it ask again";
}

TEST_F(CommandLineTest, RegistrationRefusesDuplicatesAndHandlersAreBarriers) {
    EXPECT_EQ(test_commands::add(0, u"DUP", [] {}), Vx::eOk);
    EXPECT_EQ(test_commands::add(1, u"dup", [] {}), Vx::eDuplicateKey);
    test_commands::add(2, u"THROWS", [] { throw std::runtime_error("boom"); });
    const auto rows = sim::registeredCommands();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[rows.size() - 2].localName.str(), u"DUP");
    EXPECT_EQ(rows.back().globalName.str(), u"_THROWS");
    EXPECT_EQ(rows.back().flags, 3);

    sim::runCommand(u"THROWS");
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"start:THROWS", "failed:THROWS"}));
    EXPECT_EQ(eventsOf("print").back()["text"], "Command THROWS failed: boom");

    EXPECT_EQ(sim::commandStack().removeCmd(u"TESTS", u"_DUP"), Vx::eOk);
    EXPECT_EQ(sim::commandStack().removeCmd(u"TESTS", u"_DUP"), Vx::eKeyNotFound);
    EXPECT_FALSE(sim::runCommand(u"DUP"));
}

TEST_F(CommandLineTest, HostCommandsRunWithTheirEvents) {
    int inserted = 0;
    sim::defineHostCommand(u"ORBDDWGINSERT", [&] { ++inserted; });
    sim::typeText(u"orbddwginsert\n");
    sim::runCommandLine();
    sim::runHostCommand(u"ORBDSYSSAVE", [] {});
    EXPECT_EQ(inserted, 1);
    EXPECT_EQ(commandNames(),
              (std::vector<std::string>{"ORBDDWGINSERT/typed", "ORBDSYSSAVE/scenario"}));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"start:ORBDDWGINSERT", "end:ORBDDWGINSERT",
                                                      "start:ORBDSYSSAVE", "end:ORBDSYSSAVE"}));
}

}  // namespace
