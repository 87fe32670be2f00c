// Where the shell reads its lines from: a terminal with line editing and history, or any
// input stream (a pipe, a file, a test's text).
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>

// How a read ended: Enter; a cancel (Ctrl-C, Esc at a terminal, a line holding an Escape
// from a stream), as the host's Cancel; or the end of the input (Ctrl-D on an empty line at a
// terminal). Only Enter gives text.
enum class LineEnd { kEnter, kCancel, kEndOfInput };
struct TypedLine {
    LineEnd end = LineEnd::kEndOfInput;
    std::string text;
};

// Commands and the answers to questions are kept in separate histories.
enum class LineKind { kCommand, kAnswer };

class LineReader {
  public:
    virtual ~LineReader() = default;
    // Shows the prompt and reads one line without its end. A line that does not end with
    // Enter is ended on the screen. A Ctrl-C that came since the last read (while a command
    // ran) cancels an answer at once; at a command line it is forgotten.
    TypedLine Read(const std::string& prompt, LineKind kind);

  protected:
    // out shows the prompts and must outlive the reader.
    explicit LineReader(std::ostream& out) : out_(out) {}
    virtual TypedLine ReadLine(const std::string& prompt, LineKind kind) = 0;

    std::ostream& out_;
};

// Reads from `in`, showing prompts on `out`; both must outlive the reader. With echo the line
// read is shown after its prompt, as a terminal would show it, so that the output of a piped
// session reads like one typed.
class StreamLineReader final : public LineReader {
  public:
    StreamLineReader(std::istream& in, std::ostream& out, bool echo)
        : LineReader(out), in_(in), echo_(echo) {}

  protected:
    TypedLine ReadLine(const std::string& prompt, LineKind kind) override;

  private:
    std::istream& in_;
    bool echo_;
};

// Line editing and history (libedit) when the standard input and output are a terminal and
// the build has it; otherwise a StreamLineReader over std::cin and `out`, echoing when the
// input is not a terminal.
std::unique_ptr<LineReader> MakeConsoleLineReader(std::ostream& out);
