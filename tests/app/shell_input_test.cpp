// How the shell takes what is typed: answers to buttons, and the keys of a terminal.
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell/answer_choice.h"
#include "app/shell/interrupt.h"
#include "app/shell/line_reader.h"
#include "app/shell/shell_questions.h"
#include "app/shell/terminal_keys.h"

namespace {

TEST(AnswerChoice, NamesLabelsAndTheirStartsInAnyCase) {
    const std::vector<Choice> dialog = {{1, {"OK", "Insert"}}, {2, {"Cancel", "Do not insert"}}};
    EXPECT_EQ(MatchChoice("ok", dialog), 1);
    EXPECT_EQ(MatchChoice("  INSERT ", dialog), 1);
    EXPECT_EQ(MatchChoice("i", dialog), 1);
    EXPECT_EQ(MatchChoice("c", dialog), 2);
    EXPECT_EQ(MatchChoice("Do not", dialog), 2);
    EXPECT_EQ(MatchChoice("Do not insert", dialog), 2);
    EXPECT_EQ(MatchChoice("", dialog), std::nullopt);
    EXPECT_EQ(MatchChoice("okay", dialog), std::nullopt) << "longer than any name";
    EXPECT_EQ(MatchChoice("insertion", dialog), std::nullopt);
    EXPECT_EQ(MatchChoice("x", dialog), std::nullopt);

    // Labels that share a start: only a whole name, or a start of one choice alone, decides.
    const std::vector<Choice> close = {{6, {"Yes", "Keep"}}, {7, {"No", "Keep none"}}};
    EXPECT_EQ(MatchChoice("kee", close), std::nullopt) << "begins both";
    EXPECT_EQ(MatchChoice("keep", close), 6) << "the whole name wins over a start";
    EXPECT_EQ(MatchChoice("keep n", close), 7);

    EXPECT_EQ(AcceptedAnswers({{6, {"Yes"}}, {7, {"No"}}}), "Yes or No");
    EXPECT_EQ(AcceptedAnswers({{6, {"Yes"}}, {7, {"No"}}, {2, {"Cancel"}}}), "Yes, No or Cancel");
    EXPECT_EQ(AcceptedAnswers(dialog), "OK (Insert) or Cancel (Do not insert)");
}

TEST(TerminalKeys, SequencesAreBoundDroppedWholeOrAnEsc) {
    EXPECT_EQ(ClassifyKeySequence("\x1b"), KeySequence::kIncomplete);
    EXPECT_EQ(ClassifyKeySequence("\x1b\x1b"), KeySequence::kEscape);
    for (const char* bound : {"\x1b[A", "\x1bOA", "\x1b[2~", "\x1b[3~", "\x1b[H", "\x1b[1;5C"}) {
        EXPECT_EQ(ClassifyKeySequence(bound), KeySequence::kBound) << bound + 1;
    }
    for (const char* open : {"\x1b[", "\x1b[2", "\x1b[1;5", "\x1bO"}) {
        EXPECT_EQ(ClassifyKeySequence(open), KeySequence::kIncomplete) << open + 1;
    }
    // Page Up, F5, Alt-x, a broken sequence: each dropped whole, none of it typed.
    for (const char* unbound : {"\x1b[5~", "\x1b[15~", "\x1bx", "\x1b[2\x01", "\x1bOAB"}) {
        EXPECT_EQ(ClassifyKeySequence(unbound), KeySequence::kUnbound) << unbound + 1;
    }
    EXPECT_EQ(ClassifyKeySequence("\x1b[" + std::string(20, '1')), KeySequence::kUnbound)
        << "a sequence that never ends is no key";
    for (const BoundKey& key : BoundKeys()) {
        EXPECT_EQ(ClassifyKeySequence(key.sequence), KeySequence::kBound);
    }
}

volatile std::sig_atomic_t othersHandlerRan = 0;
void OthersHandler(int) {
    othersHandlerRan = 1;
}

// Ctrl-C while a command runs (no read under way) cancels the command's next question, and
// is forgotten at the next command line; the program's own handler is back afterwards.
TEST(Interrupt, ACtrlCBetweenReadsCancelsTheNextAnswerOnly) {
    const auto previous = std::signal(SIGINT, OthersHandler);
    {
        const InterruptCatcher catching;
        std::istringstream in("P7\nP8\n.bom\n");
        std::ostringstream out;
        StreamLineReader reader(in, out, true);

        std::raise(SIGINT);
        const TypedLine cancelled = reader.Read("ORBKEY: ", LineKind::kAnswer);
        EXPECT_EQ(cancelled.end, LineEnd::kCancel);
        EXPECT_EQ(out.str(), "ORBKEY: \n") << "the question is shown, and ended";
        const TypedLine next = reader.Read("ORBKEY: ", LineKind::kAnswer);
        EXPECT_EQ(next.end, LineEnd::kEnter);
        EXPECT_EQ(next.text, "P7") << "nothing typed was lost";

        std::raise(SIGINT);
        const TypedLine command = reader.Read("Command: ", LineKind::kCommand);
        EXPECT_EQ(command.end, LineEnd::kEnter);
        EXPECT_EQ(command.text, "P8");
        EXPECT_EQ(reader.Read("ORBKEY: ", LineKind::kAnswer).end, LineEnd::kEnter)
            << "the command line forgot it";
        EXPECT_EQ(othersHandlerRan, 0);
    }
    std::raise(SIGINT);
    EXPECT_EQ(othersHandlerRan, 1) << "the handler before the shell's is back";
    std::signal(SIGINT, previous);
}

TEST(StreamLineReader, EscapeCancelsEndOfInputEnds) {
    std::istringstream in("\x1b\nyes\r\n");
    std::ostringstream out;
    StreamLineReader reader(in, out, true);
    EXPECT_EQ(reader.Read("? ", LineKind::kAnswer).end, LineEnd::kCancel);
    const TypedLine yes = reader.Read("? ", LineKind::kAnswer);
    EXPECT_EQ(yes.end, LineEnd::kEnter);
    EXPECT_EQ(yes.text, "yes");
    EXPECT_EQ(reader.Read("? ", LineKind::kCommand).end, LineEnd::kEndOfInput);
    EXPECT_EQ(out.str(), "? \\x1b\n? yes\n? \n") << "each line ends on the screen";
}

// Cancel is the Cancel button where a box has one; a box without keeps its default.
TEST(ShellQuestions, ACancelledBoxAnswersItsCancelButton) {
    std::istringstream in("\x1b\n\x1b\n\x1b\n");
    std::ostringstream out;
    StreamLineReader reader(in, out, true);
    Transcript transcript(out, TranscriptFormat::kText);
    ShellQuestions questions(reader, out, transcript);
    sim::MessageBoxRequest box{u"Save?", u"Drawing", 0x03};
    EXPECT_EQ(questions.AskMessageBox(box), winsys::kIdCancel) << "Yes/No/Cancel, not No";
    box.style = 0x01;
    EXPECT_EQ(questions.AskMessageBox(box), winsys::kIdCancel) << "OK/Cancel";
    box.style = 0x04;
    EXPECT_EQ(questions.AskMessageBox(box), std::nullopt) << "Yes/No: the default";
    EXPECT_TRUE(out.str().find("[Yes/No/Cancel] ") != std::string::npos) << out.str();
}

}  // namespace
