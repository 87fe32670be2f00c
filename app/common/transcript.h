// The transcript of a run: one line per event, as JSON objects ("jsonl") or as text for people.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "sim/host/events.h"

enum class TranscriptFormat { kText, kJsonl };

// kQuiet: no PDM protocol, queued strings or files (both formats); kNormal: the text leaves
// out the host's internal markers ([regen], [foreground], [debug]); kVerbose: everything.
enum class TranscriptDetail { kQuiet, kNormal, kVerbose };

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
    void SetDetail(TranscriptDetail detail) { detail_ = detail; }
    // The text names the files of the work directory by their full path, which the user can
    // open.
    void SetWorkDirectory(std::filesystem::path folder) { workDirectory_ = std::move(folder); }
    // The next event, if it is a typed command or an answered prompt, is what the person at the
    // terminal has just typed and sees already: in the text format it is not written again.
    void SkipEchoOfNextEvent() { skipEcho_ = true; }

  private:
    std::string AsText(const sim::Event& event) const;
    std::filesystem::path Openable(const std::filesystem::path& path) const;

    bool IsEcho(const sim::Event& event) const;
    bool Shows(const sim::Event& event) const;
    // Keeps the system's reason of the first failed write, before later calls replace it.
    void NoteFailure();

    std::ostream& out_;
    TranscriptFormat format_;
    TranscriptDetail detail_ = TranscriptDetail::kNormal;
    std::filesystem::path workDirectory_;
    bool skipEcho_ = false;
    std::optional<int> failure_;
};
