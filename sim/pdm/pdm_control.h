// Control API of the stand-in KORDANE PDM client (libkordane): what tests, scenarios and
// vexa-sim use to set the PDM up and to see what the module asked of it. The module never
// includes this; it sees only the six orbd* functions of host/kordane.h.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/vx_export.h"

class VxApDocument;

namespace sim::pdm {

// One record of a table: field name to value. A field a record lacks reads as "".
using Record = std::map<std::u16string, std::u16string>;
using Table = std::vector<Record>;

// One call of an orbd* function: its name, its texts in order (orbdCall: name, argument,
// third text; orbdPrep*: expression; orbdGetEnv: name; orbdSetEnv: name, value; orbdGetText:
// key) and its answer (a status as decimal text).
struct PdmCall {
    std::string function;
    std::vector<std::u16string> texts;
    std::u16string result;
};

// What the PDM received of the BOM transfers: the framed "BOMSTART" ... "BOMEND" sequences.
struct BomElement {
    // BOMELEMENTINFO, in order; kept only while logging and keeping records are on
    std::vector<std::pair<std::u16string, std::u16string>> fields;
    bool failed = false;  // "BOMELEMENTEND" with "1"
    bool ended = false;
};
struct BomTransfer {
    std::vector<BomElement> elements;
    bool failed = false;  // "BOMEND" with "1"
    bool ended = false;
};
struct BomReception {
    std::vector<BomTransfer> transfers;
    // Calls that arrived out of frame (an element outside a transfer, a second "BOMSTART", ...).
    int framingErrors = 0;
};

// Codes the stand-in answers to orbdCall besides 0 and the configured refusals.
enum CallCode : int {
    kCallUnknown = 1,     // a command the PDM does not know
    kCallOutOfFrame = 2,  // a BOM call outside its frame
    kCallMalformed = 4,   // an argument the PDM cannot read
    kCallNoFile = 5,      // "NewExternBom" naming a file that does not exist
};

// Forgets everything: catalogue, environments, tables (back to the empty standard folders),
// settings, HasPart ("0"), selections, refusals, log, received transfers; logging and keeping
// records on.
VX_PDM_API void reset();

VX_PDM_API void setCatalogueText(const std::u16string& key, const std::u16string& text);
// The catalogue's text for the key; none when it has none.
VX_PDM_API std::optional<std::u16string> catalogueText(const std::u16string& key);
// On (vexa-sim turns it on; reset turns it off): a key the catalogue lacks answers "<KEY>"
// instead of an empty text, so that no prompt, alert or dialog shows a blank, and is noted.
VX_PDM_API void setShowMissingTexts(bool on);
// The keys asked for that the catalogue lacked while that was on, each once, first asked first.
VX_PDM_API const std::vector<std::u16string>& missingTexts();

// Environment values per host document; an unset value reads as "". The current document is
// the host document manager's (null when the host has none).
VX_PDM_API void setEnv(VxApDocument* document, const std::u16string& name,
                       const std::u16string& value);
VX_PDM_API std::u16string env(VxApDocument* document, const std::u16string& name);
// Every value set for the document, by name.
VX_PDM_API Record environment(VxApDocument* document);
VX_PDM_API VxApDocument* currentDocument();

// Replaces a table. The standard folders Folder_All_Document, Folder_All_Part, XREF_ELEMENT and
// Folder_Xref_Child_Part_General always exist; a query of any other unknown table is an error.
VX_PDM_API void setTable(const std::u16string& name, Table records);
VX_PDM_API void addRecord(const std::u16string& table, Record record);
// A table's records (none for a table the PDM lacks), valid until the tables change.
VX_PDM_API const Table& table(const std::u16string& name);

// Application settings, read by "#(Appl:NAME)"; an unset one reads as "".
VX_PDM_API void setSetting(const std::u16string& name, const std::u16string& value);
// The answer of "#(HasPart)".
VX_PDM_API void setHasPart(const std::u16string& answer);
// Answers of the item-selection dialog, first queued first used; an empty queue means the
// user cancels the dialog (answer "").
VX_PDM_API void queueSelection(const std::u16string& orbKey);
VX_PDM_API std::size_t pendingSelections();
// Asked for the item-selection dialog's answer when the queue is empty, with the dialog's
// title as the expression gives it; an ORBKEY, or nothing when the user cancels. An empty
// hook (the default; reset leaves the hook alone) cancels.
using SelectItemHook = std::function<std::optional<std::u16string>(const std::u16string& title)>;
VX_PDM_API void setSelectItemHook(SelectItemHook hook);
VX_PDM_API std::optional<std::u16string> askSelectItemHook(const std::u16string& title);

// Told of a key that a query asks for by "ORBKEY=KEY" alone and that no record of the table
// holds (a run then blanks the fields it maps for it). An empty hook (the default; reset
// leaves the hook alone) tells no one.
using UnknownKeyHook = std::function<void(const std::u16string& table, const std::u16string& key)>;
VX_PDM_API void setUnknownKeyHook(UnknownKeyHook hook);
VX_PDM_API void tellUnknownKey(const std::u16string& table, const std::u16string& key);

// orbdCall of command answers code (nonzero) and is not carried out: every call, or from
// refuseNth only the nth call (1-based) counted from now. Code 0 lifts nothing and refuses
// nothing.
VX_PDM_API void refuse(const std::u16string& command, int code);
VX_PDM_API void refuseNth(const std::u16string& command, int nth, int code);

// The log of calls, oldest first. With logging off no call is recorded and no pdm.* event
// is emitted (benchmarks).
VX_PDM_API const std::vector<PdmCall>& callLog();
VX_PDM_API void clearLog();
VX_PDM_API void setLogging(bool on);
// Whether the call log and the fields of received BOM elements are kept (they are after
// reset). Only tests read them; a run that never does turns keeping off, so that a large parts
// list is not held once more in the PDM. Events are emitted as before.
VX_PDM_API void setKeepRecords(bool on);

VX_PDM_API const BomReception& bomReception();
// True when every transfer the PDM received was closed by "BOMEND" and no call came out of
// frame.
VX_PDM_API bool framingWhole();
// Paths handed over by "NewExternBom", in order.
VX_PDM_API const std::vector<std::u16string>& externBoms();

// Evaluates an expression as orbdPrep (modal false) or orbdPrepWithModalDialog (modal true)
// does, without logging or events. Several matching records give their non-empty results
// joined by a line feed, in table order; no match gives "". An expression the PDM cannot
// evaluate gives "!" and the reason.
VX_PDM_API std::u16string evaluate(const std::u16string& expression, bool modal);

// Where an expression breaks the PDM's syntax, found without evaluating it.
struct SyntaxError {
    std::size_t offset;  // 0-based, in UTF-16 code units of the expression
    std::string reason;  // without the offset
};
VX_PDM_API std::optional<SyntaxError> syntaxError(const std::u16string& expression);

}  // namespace sim::pdm
