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

// {"ev": "change", "what", "where", "old", "new"}
sim::Event ChangeEvent(const DrawingChange& change);

// jsonl: one change event a change; text: a "[changes]" line and ChangesText.
void WriteChanges(const std::vector<DrawingChange>& changes, Transcript& transcript);
