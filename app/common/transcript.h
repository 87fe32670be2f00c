// The transcript of a run: one line per event, as JSON objects ("jsonl") or as text for people.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "sim/host/events.h"

enum class TranscriptFormat { kText, kJsonl };

// Parses "text" or "jsonl"; false for anything else.
bool ParseTranscriptFormat(const std::string& word, TranscriptFormat& format);

class Transcript {
  public:
    Transcript(std::ostream& out, TranscriptFormat format) : out_(out), format_(format) {}
    void Write(const sim::Event& event);
    // Lines already written for people; only for the text format.
    void WriteText(const std::string& text);
    // Everything written so far reaches the stream's destination.
    void Flush();
    // After a write that failed (a full disk behind a redirected output), tells it on err with
    // the system's reason and answers kExitUnusable; otherwise answers code. Flushes first.
    int ReportWriteFailure(std::ostream& err, int code);
    TranscriptFormat format() const { return format_; }
    // The next event, if it is a typed command or an answered prompt, is what the person at the
    // terminal has just typed and sees already: in the text format it is not written again.
    void SkipEchoOfNextEvent() { skipEcho_ = true; }

  private:
    std::string AsText(const sim::Event& event) const;

    bool IsEcho(const sim::Event& event) const;
    // Keeps the system's reason of the first failed write, before later calls replace it.
    void NoteFailure();

    std::ostream& out_;
    TranscriptFormat format_;
    bool skipEcho_ = false;
    std::optional<int> failure_;
};
