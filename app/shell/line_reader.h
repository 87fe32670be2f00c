// Where the shell reads its lines from: a terminal with line editing and history, or any
// input stream (a pipe, a file, a test's text).
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

class LineReader {
  public:
    virtual ~LineReader() = default;
    // Shows the prompt and reads one line without its end; nothing at the end of the input.
    virtual std::optional<std::string> Read(const std::string& prompt) = 0;
};

// Reads from `in`, showing prompts on `out`; both must outlive the reader. With echo the line
// read is shown after its prompt, as a terminal would show it, so that the output of a piped
// session reads like one typed.
class StreamLineReader final : public LineReader {
  public:
    StreamLineReader(std::istream& in, std::ostream& out, bool echo)
        : in_(in), out_(out), echo_(echo) {}
    std::optional<std::string> Read(const std::string& prompt) override;

  private:
    std::istream& in_;
    std::ostream& out_;
    bool echo_;
};

// Line editing and history (libedit) when the standard input is a terminal and the build has
// it; otherwise a StreamLineReader over std::cin and `out`, echoing when the input is not a
// terminal.
std::unique_ptr<LineReader> MakeConsoleLineReader(std::ostream& out);
