#include "app/shell/edit_line_reader.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cwchar>
#include <string>

#include <histedit.h>
#include <signal.h>
#include <sys/select.h>
#include <unistd.h>

#include "app/shell/interrupt.h"
#include "app/shell/terminal_keys.h"

namespace {

// A terminal sends a key's sequence in one go; a lone Esc is followed by nothing this long.
constexpr long kEscapeWaitMs = 40;
constexpr int kHistorySize = 500;

// libedit takes the terminal's character set from the locale; without it every byte above
// 127 is refused. The locale is set only while libedit starts and reads a line: the module's
// case mapping must see the "C" locale it sees in "vexa-sim run".
class TerminalLocale {
  public:
    TerminalLocale() : saved_(std::setlocale(LC_CTYPE, nullptr)) { std::setlocale(LC_CTYPE, ""); }
    ~TerminalLocale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    TerminalLocale(const TerminalLocale&) = delete;
    TerminalLocale& operator=(const TerminalLocale&) = delete;

  private:
    std::string saved_;
};

struct ByteRead {
    enum What { kByte, kTimeout, kInterrupt, kEnd, kError } what;
    unsigned char byte = 0;
};

// One byte of the terminal, waiting at most timeoutMs (-1: as long as it takes). The
// interrupt signal is let in only while waiting, so that one arriving just before the wait
// is not missed.
ByteRead WaitForByte(long timeoutMs) {
    sigset_t interrupt;
    sigset_t previous;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    for (;;) {
        sigprocmask(SIG_BLOCK, &interrupt, &previous);
        ByteRead result{ByteRead::kError};
        bool again = false;
        if (TakeInterrupt()) {
            result.what = ByteRead::kInterrupt;
        } else {
            fd_set input;
            FD_ZERO(&input);
            FD_SET(STDIN_FILENO, &input);
            timespec wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000000};
            const int ready = pselect(STDIN_FILENO + 1, &input, nullptr, nullptr,
                                      timeoutMs < 0 ? nullptr : &wait, &previous);
            if (ready < 0) {
                again = errno == EINTR;  // the interrupt is taken on the next round
            } else if (ready == 0) {
                result.what = ByteRead::kTimeout;
            } else {
                const ssize_t got = read(STDIN_FILENO, &result.byte, 1);
                again = got < 0 && errno == EINTR;
                result.what = got == 1   ? ByteRead::kByte
                              : got == 0 ? ByteRead::kEnd
                                         : ByteRead::kError;
            }
        }
        const int saved = errno;
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        errno = saved;
        if (!again) {
            return result;
        }
    }
}

class EditLineReader final : public LineReader {
  public:
    explicit EditLineReader(std::ostream& out) : LineReader(out) {}
    ~EditLineReader() override {
        if (editor_ != nullptr) {
            el_end(editor_);
        }
        for (History* list : {commands_, answers_}) {
            if (list != nullptr) {
                history_end(list);
            }
        }
    }
    EditLineReader(const EditLineReader&) = delete;
    EditLineReader& operator=(const EditLineReader&) = delete;

    bool Start() {
        const TerminalLocale locale;  // libedit settles its character set here
        editor_ = el_init("vexa-sim", stdin, stdout, stderr);
        commands_ = history_init();
        answers_ = history_init();
        if (editor_ == nullptr || commands_ == nullptr || answers_ == nullptr) {
            return false;
        }
        HistEvent event;
        for (History* list : {commands_, answers_}) {
            history(list, &event, H_SETSIZE, kHistorySize);
            history(list, &event, H_SETUNIQUE, 1);
        }
        el_set(editor_, EL_EDITOR, "emacs");
        el_source(editor_, nullptr);  // the user's ~/.editrc, as other libedit programs read it
        el_set(editor_, EL_CLIENTDATA, this);
        el_set(editor_, EL_PROMPT, &EditLineReader::Prompt);
        el_set(editor_, EL_GETCFN, &EditLineReader::ReadCharacter);
        for (const BoundKey& key : BoundKeys()) {
            const std::string sequence(key.sequence);
            el_set(editor_, EL_BIND, sequence.c_str(), key.function, nullptr);
        }
        return true;
    }

  protected:
    TypedLine ReadLine(const std::string& prompt, LineKind kind) override {
        prompt_ = prompt;
        cancelled_ = false;
        pending_.clear();
        History* list = kind == LineKind::kCommand ? commands_ : answers_;
        el_set(editor_, EL_HIST, history, list);
        out_ << std::flush;
        std::fflush(stdout);
        const TerminalLocale locale;
        int count = 0;
        const char* typed = el_gets(editor_, &count);
        if (cancelled_ || typed == nullptr) {
            out_ << "\n" << std::flush;
            return {cancelled_ ? LineEnd::kCancel : LineEnd::kEndOfInput, {}};
        }
        std::string line(typed);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        if (!line.empty()) {
            HistEvent event;
            history(list, &event, H_ENTER, line.c_str());
        }
        return {LineEnd::kEnter, line};
    }

  private:
    static EditLineReader& Of(EditLine* editor) {
        void* self = nullptr;
        el_get(editor, EL_CLIENTDATA, &self);
        return *static_cast<EditLineReader*>(self);
    }
    static char* Prompt(EditLine* editor) { return Of(editor).prompt_.data(); }
    static int ReadCharacter(EditLine* editor, wchar_t* character) {
        return Of(editor).NextCharacter(character);
    }

    // libedit's reading function: 1 for a character, 0 at the end of the input, -1 for an
    // error, and for a cancel, which ends el_gets at once.
    int NextCharacter(wchar_t* character) {
        for (;;) {
            if (!pending_.empty()) {
                *character = pending_.front();
                pending_.erase(0, 1);
                return 1;
            }
            const ByteRead first = WaitForByte(-1);
            if (first.what == ByteRead::kInterrupt ||
                (first.what == ByteRead::kByte && first.byte == 0x03)) {
                return Cancel();
            }
            if (first.what != ByteRead::kByte) {
                return first.what == ByteRead::kEnd ? 0 : -1;
            }
            if (first.byte == 0x1b) {
                const KeySequence key = ReadKeySequence();
                if (key == KeySequence::kEscape) {
                    return Cancel();
                }
                continue;  // a bound key waits in pending_; any other is dropped
            }
            if (Decode(first.byte, character)) {
                return 1;
            }
        }
    }

    // The rest of a sequence that began with Esc; a bound one is put into pending_.
    KeySequence ReadKeySequence() {
        std::string bytes = "\x1b";
        KeySequence key = KeySequence::kIncomplete;
        while (key == KeySequence::kIncomplete) {
            const ByteRead next = WaitForByte(kEscapeWaitMs);
            if (next.what == ByteRead::kInterrupt) {
                return KeySequence::kEscape;
            }
            if (next.what != ByteRead::kByte) {
                return bytes.size() == 1 ? KeySequence::kEscape : KeySequence::kUnbound;
            }
            bytes += static_cast<char>(next.byte);
            key = ClassifyKeySequence(bytes);
        }
        if (key == KeySequence::kBound) {
            pending_.assign(bytes.begin(), bytes.end());
        }
        return key;
    }

    // One character of the locale's multibyte encoding from its first byte; false for bytes
    // that make none, which are dropped.
    bool Decode(unsigned char firstByte, wchar_t* character) {
        std::mbstate_t state{};
        char byte = static_cast<char>(firstByte);
        for (int i = 0; i < MB_LEN_MAX; ++i) {
            const std::size_t used = std::mbrtowc(character, &byte, 1, &state);
            if (used != static_cast<std::size_t>(-2)) {
                return used != static_cast<std::size_t>(-1);
            }
            const ByteRead next = WaitForByte(-1);
            if (next.what != ByteRead::kByte) {
                return false;
            }
            byte = static_cast<char>(next.byte);
        }
        return false;
    }

    int Cancel() {
        cancelled_ = true;
        errno = EINTR;
        return -1;
    }

    EditLine* editor_ = nullptr;
    History* commands_ = nullptr;
    History* answers_ = nullptr;
    std::string prompt_;
    bool cancelled_ = false;
    std::wstring pending_;
};

}  // namespace

std::unique_ptr<LineReader> MakeEditLineReader(std::ostream& out) {
    auto reader = std::make_unique<EditLineReader>(out);
    if (!reader->Start()) {
        return nullptr;
    }
    return reader;
}
