// What each command did, counted while it runs, told as a "summary" event at its end: the
// rows it read, sent to the PDM and skipped (with why), the part numbers it received, what it
// wrote, and what went wrong (PDM calls refused, PDM error answers, keys the PDM does not
// know, alerts, host failures and mapping-file failures it printed). It also keeps whether any
// command of the run met such a failure, which "run --strict" turns into its exit code.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/vx_db.h"
#include "sim/host/events.h"

class CommandSummary {
  public:
    // write is given each summary event. Installs the counting hooks of the stand-ins until
    // destroyed.
    explicit CommandSummary(std::function<void(const sim::Event&)> write);
    ~CommandSummary();
    CommandSummary(const CommandSummary&) = delete;
    CommandSummary& operator=(const CommandSummary&) = delete;

    // Every event of the run, before it is written: a "command" event ends the command
    // before it and starts one.
    void Observe(const sim::Event& event);
    // The step (or the shell's command) that runs now: the commands it runs carry its number.
    void SetStep(std::optional<std::size_t> step) { step_ = step; }
    // Ends the command that runs, if any.
    void End();
    // An alert, a host failure, a refused PDM call or a PDM error answer came, in any command.
    bool FailuresSeen() const { return failuresSeen_; }

  private:
    struct Counts {
        std::string command;
        std::set<VxDbObjectId> rowsRead, withoutItem, withoutKey, rowsWritten, partRefsWritten;
        std::size_t sent = 0, partNumbers = 0, fieldsWritten = 0, refused = 0, errorAnswers = 0,
                    alerts = 0, hostFailures = 0, mappingFailures = 0;
        bool bomStarted = false;
        std::vector<std::string> unknownKeys;  // in the order first met
        std::set<std::string> unknownKeysSeen;
    };
    void Count(const std::string& ev, const sim::Event& event);
    sim::Event SummaryEvent() const;

    std::function<void(const sim::Event&)> write_;
    std::optional<Counts> counts_;
    std::optional<std::size_t> step_;
    bool failuresSeen_ = false;
};

// "[summary] NAME: 7 rows read, 6 sent, ..." for the text form.
std::string SummaryText(const sim::Event& summary);

// A host status text (eInvalidInput ...) at the start of a line of command-line output: the
// module printed a host failure.
bool PrintsHostFailure(const std::string& text);
// A line of command-line output that is the PDM catalogue's text for a mapping file that
// cannot be read (VX16300) or lacks a section (VX16301).
bool PrintsMappingFailure(const std::string& text);
