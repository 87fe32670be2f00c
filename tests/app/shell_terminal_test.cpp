// vexa-sim shell at a pseudo-terminal, typed as a person types: Ctrl-C and Esc cancel and the
// shell goes on, Ctrl-D at "Command:" ends it with exit code 0, the terminal's special keys
// edit or are dropped, and commands and answers each have their history.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Only to end a test whose shell hangs; a passing test waits far less.
constexpr std::chrono::seconds kPatience{20};

class ShellAtATerminal : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vexa-sim-terminal-test-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const std::string scenario = std::string(ORBD_EXAMPLES_DIR) + "/part-references.json";
        const std::string work = (dir_ / "work").string();
        const std::string home = dir_.string();
        winsize size{};
        size.ws_row = 50;
        size.ws_col = 200;
        child_ = forkpty(&terminal_, nullptr, nullptr, &size);
        ASSERT_GE(child_, 0) << "no pseudo-terminal";
        if (child_ == 0) {
            // A known terminal, and no ~/.editrc of the person running the tests.
            setenv("TERM", "xterm", 1);
            setenv("HOME", home.c_str(), 1);
            setenv("LC_ALL", "C.UTF-8", 1);
            execl(ORBD_VEXA_SIM, "vexa-sim", "shell", scenario.c_str(), "--workdir", work.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    void TearDown() override {
        if (child_ > 0) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
        if (terminal_ >= 0) {
            close(terminal_);
        }
        fs::remove_all(dir_);
    }

    // Keys go in once the line editor reads (the terminal out of line mode): typed earlier,
    // the terminal's own line editing would hold them, as it would a person's.
    void Press(const std::string& keys) {
        const auto giveUp = std::chrono::steady_clock::now() + kPatience;
        termios mode{};
        while (tcgetattr(terminal_, &mode) == 0 && (mode.c_lflag & ICANON) != 0 &&
               std::chrono::steady_clock::now() < giveUp) {
            usleep(2000);
        }
        ASSERT_EQ(write(terminal_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // Whether the shell shows text after what the previous call found; reads until it does.
    ::testing::AssertionResult Shows(const std::string& text) {
        const auto giveUp = std::chrono::steady_clock::now() + kPatience;
        for (;;) {
            const std::size_t at = screen_.find(text, seen_);
            if (at != std::string::npos) {
                seen_ = at + text.size();
                return ::testing::AssertionSuccess();
            }
            if (!ReadSome(giveUp)) {
                return ::testing::AssertionFailure()
                       << "the shell never showed \"" << text << "\"; it showed after the last "
                       << "match:\n"
                       << screen_.substr(seen_);
            }
        }
    }

    // The shell's exit code once it has ended by itself; -1 when it does not end or dies.
    int ExitCode() {
        const auto giveUp = std::chrono::steady_clock::now() + kPatience;
        while (ReadSome(giveUp)) {
        }
        int status = 0;
        for (;;) {
            const pid_t ended = waitpid(child_, &status, WNOHANG);
            if (ended == child_) {
                child_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (std::chrono::steady_clock::now() > giveUp) {
                return -1;
            }
            usleep(10000);
        }
    }

  private:
    // False once the terminal is closed or the time is up.
    bool ReadSome(std::chrono::steady_clock::time_point giveUp) {
        while (std::chrono::steady_clock::now() < giveUp) {
            pollfd output{terminal_, POLLIN, 0};
            if (poll(&output, 1, 100) <= 0) {
                continue;
            }
            char bytes[4096];
            const ssize_t got = read(terminal_, bytes, sizeof bytes);
            if (got <= 0) {
                return false;  // the shell closed its side
            }
            screen_.append(bytes, static_cast<std::size_t>(got));
            return true;
        }
        return false;
    }

    fs::path dir_;
    pid_t child_ = -1;
    int terminal_ = -1;
    std::string screen_;
    std::size_t seen_ = 0;
};

TEST_F(ShellAtATerminal, CtrlCCancelsThePromptAndTheLineCtrlDEnds) {
    ASSERT_TRUE(Shows("Command: "));
    Press("ORBDUPDATEPARTREF\r");
    ASSERT_TRUE(Shows("ORBKEY: "));
    Press("\x03");
    EXPECT_TRUE(Shows("ORBKEY: *Cancel*")) << "the command is cancelled";
    ASSERT_TRUE(Shows("Command: ")) << "the shell goes on";
    Press("ORBD");
    ASSERT_TRUE(Shows("ORBD"));
    Press("\x03");
    EXPECT_TRUE(Shows("*Cancel*")) << "the line typed is dropped";
    ASSERT_TRUE(Shows("Command: "));
    Press(".BOM\r");
    EXPECT_TRUE(Shows("Parts list of the drawing (current), 2 rows:"));
    ASSERT_TRUE(Shows("Command: "));
    Press("\x04");
    EXPECT_TRUE(Shows("[end] open objects: 0"));
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(ShellAtATerminal, EscCancelsAQuestionAndTheNextKeyCounts) {
    ASSERT_TRUE(Shows("Command: "));
    Press("ORBDUPDATEPARTREF\r");
    ASSERT_TRUE(Shows("ORBKEY: "));
    Press("\x1b");
    EXPECT_TRUE(Shows("ORBKEY: *Cancel*"));
    ASSERT_TRUE(Shows("Command: "));
    Press(".env\r");
    EXPECT_TRUE(Shows("PDM environment of the drawing:")) << "the key after Esc is typed";
    ASSERT_TRUE(Shows("Command: "));
    // Ctrl-D at a question cancels it; only at "Command:" does it end the shell.
    Press("ORBDUPDATEPARTREF\r");
    ASSERT_TRUE(Shows("ORBKEY: "));
    Press("\x04");
    EXPECT_TRUE(Shows("ORBKEY: *Cancel*"));
    ASSERT_TRUE(Shows("Command: "));
    Press("\x04");
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(ShellAtATerminal, SpecialKeysEditOrAreDroppedWhole) {
    ASSERT_TRUE(Shows("Command: "));
    Press("\x1b[2~");  // Insert, the first key of the line
    Press(".bom\r");
    EXPECT_TRUE(Shows("Parts list of the drawing (current)"));
    ASSERT_TRUE(Shows("Command: "));
    Press("\x1b[5~\x1b[15~.env\r");  // Page Up and F5: nothing of them in the line
    EXPECT_TRUE(Shows("PDM environment of the drawing:"));
    ASSERT_TRUE(Shows("Command: "));
    Press(".enx\x1b[D\x1b[3~v\r");  // Left, Delete: ".env"
    EXPECT_TRUE(Shows("PDM environment of the drawing:"));
    ASSERT_TRUE(Shows("Command: "));
    Press("\x04");
    EXPECT_EQ(ExitCode(), 0);
}

TEST_F(ShellAtATerminal, CommandsAndAnswersHaveTheirOwnHistory) {
    ASSERT_TRUE(Shows("Command: "));
    Press("ORBDUPDATEPARTREF\r");
    ASSERT_TRUE(Shows("ORBKEY: "));
    Press("KEY42\r");
    ASSERT_TRUE(Shows("Entity: "));
    Press("\x03");
    ASSERT_TRUE(Shows("Command: "));
    Press("\x1b[A\r");  // Up: the last command, not the last answer
    EXPECT_TRUE(Shows("ORBDUPDATEPARTREF"));
    ASSERT_TRUE(Shows("ORBKEY: "));
    Press("\x1b[A\r");  // Up: the last answer
    EXPECT_TRUE(Shows("KEY42"));
    EXPECT_TRUE(Shows("Entity: "));
    Press("\x03");
    ASSERT_TRUE(Shows("Command: "));
    Press("\x04");
    EXPECT_EQ(ExitCode(), 0);
}

}  // namespace
