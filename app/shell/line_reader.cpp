#include "app/shell/line_reader.h"

#include <cstdio>
#include <iostream>
#include <string>

#include "app/common/standard_streams.h"
#include "app/common/terminal_text.h"
#include "app/shell/interrupt.h"

#if defined(ORBD_HAVE_LIBEDIT) && !defined(_WIN32)
#include "app/shell/edit_line_reader.h"
#define ORBD_LINE_EDITING 1
#endif

TypedLine LineReader::Read(const std::string& prompt, LineKind kind) {
    if (TakeInterrupt() && kind == LineKind::kAnswer) {
        out_ << prompt << "\n";
        return {LineEnd::kCancel, {}};
    }
    return ReadLine(prompt, kind);
}

TypedLine StreamLineReader::ReadLine(const std::string& prompt, LineKind /*kind*/) {
    out_ << prompt << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
        out_ << "\n";
        if (!TakeInterrupt()) {
            return {LineEnd::kEndOfInput, {}};
        }
        // Ctrl-C at a terminal without line editing: the read was interrupted, the input
        // goes on.
        in_.clear();
        if (&in_ == &std::cin) {
            std::clearerr(stdin);
        }
        return {LineEnd::kCancel, {}};
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();  // a file written on Windows
    }
    if (echo_) {
        out_ << EscapeControls(line) << "\n";
    }
    // The host's command line takes Escape as Cancel; a piped session can give it so.
    if (line.find('\x1b') != std::string::npos) {
        return {LineEnd::kCancel, {}};
    }
    return {LineEnd::kEnter, line};
}

std::unique_ptr<LineReader> MakeConsoleLineReader(std::ostream& out) {
    const bool terminal = IsTerminal(0);
#ifdef ORBD_LINE_EDITING
    if (terminal && IsTerminal(1)) {
        if (std::unique_ptr<LineReader> editing = MakeEditLineReader(out)) {
            return editing;
        }
    }
#endif
    return std::make_unique<StreamLineReader>(std::cin, out, !terminal);
}
