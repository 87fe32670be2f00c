#include "app/shell/line_reader.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/common/terminal_text.h"

#ifdef _WIN32
#include <io.h>
#define ORBD_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define ORBD_ISATTY(fd) isatty(fd)
#endif

#if defined(ORBD_HAVE_LIBEDIT) && !defined(_WIN32)
#include <clocale>

#include <editline/readline.h>
#define ORBD_LINE_EDITING 1
#endif

std::optional<std::string> StreamLineReader::Read(const std::string& prompt) {
    out_ << prompt << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();  // a file written on Windows
    }
    if (echo_) {
        out_ << EscapeControls(line) << "\n";
    }
    return line;
}

#ifdef ORBD_LINE_EDITING
namespace {

// libedit takes the terminal's character set from the locale; without it every byte above
// 127 is refused. The locale is set only while libedit starts and reads a line: the module's case
// mapping must see the "C" locale it sees in "vexa-sim run".
class TerminalLocale {
  public:
    TerminalLocale() : saved_(std::setlocale(LC_CTYPE, nullptr)) { std::setlocale(LC_CTYPE, ""); }
    ~TerminalLocale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    TerminalLocale(const TerminalLocale&) = delete;
    TerminalLocale& operator=(const TerminalLocale&) = delete;

  private:
    std::string saved_;
};

// libedit keeps one editor and one history per process; so does this reader.
class EditLineReader final : public LineReader {
  public:
    explicit EditLineReader(std::ostream& out) : out_(out) {
        const TerminalLocale locale;  // libedit settles its character set here
        using_history();
    }
    ~EditLineReader() override { clear_history(); }
    EditLineReader(const EditLineReader&) = delete;
    EditLineReader& operator=(const EditLineReader&) = delete;

    std::optional<std::string> Read(const std::string& prompt) override {
        out_ << std::flush;
        std::fflush(stdout);
        const TerminalLocale locale;
        char* typed = readline(prompt.c_str());
        if (typed == nullptr) {
            return std::nullopt;
        }
        std::string line(typed);
        std::free(typed);
        if (!line.empty()) {
            add_history(line.c_str());
        }
        return line;
    }

  private:
    std::ostream& out_;
};

}  // namespace
#endif

std::unique_ptr<LineReader> MakeConsoleLineReader(std::ostream& out) {
    const bool terminal = ORBD_ISATTY(0) != 0;
#ifdef ORBD_LINE_EDITING
    if (terminal && ORBD_ISATTY(1) != 0) {
        return std::make_unique<EditLineReader>(out);
    }
#endif
    return std::make_unique<StreamLineReader>(std::cin, out, !terminal);
}
