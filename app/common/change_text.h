// The changes of a drawing (see app/common/drawing_diff.h) for people and as transcript events.
#pragma once

#include <string>
#include <vector>

#include "app/common/drawing_diff.h"
#include "app/common/transcript.h"
#include "sim/host/events.h"

// Grouped by the first segment of `where`, a heading per group and one indented line per
// change in words, e.g. "Parts list (model space)\n  row 1 DESCR: \"Washer\" -> \"Washer M8\"\n";
// "no changes\n" for none. Texts are escaped for a terminal.
std::string ChangesText(const std::vector<DrawingChange>& changes);

// The changes that one step of a run (or one command typed in the shell) made.
struct CommandChanges {
    std::size_t step = 0;
    // The commands that ran in it, ", " between them; else what the step did.
    std::string command;
    std::vector<DrawingChange> changes;
};

// {"ev": "change", "what", "where", "old", "new"}, with "step" and "command" of its cause.
sim::Event ChangeEvent(const DrawingChange& change, const CommandChanges* cause = nullptr);

// jsonl: one change event a change; text: a "[changes]" line and ChangesText.
void WriteChanges(const std::vector<DrawingChange>& changes, Transcript& transcript);
// The whole run's changes (jsonl: each with the step and command that last changed its place,
// from commands; text: as WriteChanges).
void WriteRunChanges(const std::vector<DrawingChange>& changes,
                     const std::vector<CommandChanges>& commands, Transcript& transcript);
// Each command's changes under its name and step (commands without changes left
// out).
void WriteCommandChanges(const std::vector<CommandChanges>& commands, Transcript& transcript);
