#include "app/common/change_text.h"

#include <cmath>

#include "app/common/terminal_text.h"

namespace {

using nlohmann::json;

std::string Number(const json& value) {
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15) {
            return std::to_string(static_cast<long long>(number));
        }
    }
    return value.dump();
}

std::string Position(const json& position) {
    if (!position.is_array() || position.empty()) {
        return "(0, 0)";
    }
    std::string shown = "(";
    for (std::size_t i = 0; i < position.size(); ++i) {
        shown += (i == 0 ? "" : ", ") + Number(position[i]);
    }
    return shown + ")";
}

std::string Value(const json& value) {
    if (value.is_null()) {
        return "(none)";
    }
    if (value.is_string()) {
        return "\"" + EscapeControls(value.get<std::string>()) + "\"";
    }
    if (value.is_number()) {
        return Number(value);
    }
    return EscapeControls(value.dump(-1, ' ', false, json::error_handler_t::replace));
}

std::string Change(const std::string& label, const DrawingChange& change) {
    return label + ": " + Value(change.oldValue) + " -> " + Value(change.newValue);
}

std::string RowSummary(const json& row) {
    std::string shown = "item " + Value(row.value("item", json(""))) + ", qty " +
                        Value(row.value("qty", json(0))) + ", state " +
                        Value(row.value("state", json(0)));
    const json cells = row.value("cells", json::object());
    for (const auto& [column, text] : cells.items()) {
        shown += ", " + EscapeControls(column) + " " + Value(text);
    }
    return shown;
}

// A row by its item, or by its place in its list when it has none.
std::string RowLabel(const std::string& segment, const DrawingChange& change) {
    if (segment != "row " || !change.place) {
        return EscapeControls(segment);
    }
    return "row #" + std::to_string(*change.place) + " (no item)";
}

std::string EntitySummary(const json& entity) {
    std::string shown;
    if (entity.contains("block")) {
        shown += " of " + Value(entity["block"]);
    }
    return shown + " at " + Position(entity.value("position", json()));
}

std::string Owner(const json& owner) {
    return owner.is_null() ? "model space" : "block " + Value(owner);
}

std::string ColumnSummary(const json& column) {
    std::string shown;
    if (const auto text = column.find("displayText"); text != column.end()) {
        shown += " " + Value(*text);
    }
    return shown + (column.value("visible", true) ? "" : " (hidden)");
}

// The words for a change, given the segments of its place after the group.
std::string Describe(const DrawingChange& change, const std::vector<std::string>& place) {
    std::string subject;
    for (std::size_t i = 0; i + 1 < place.size(); ++i) {
        subject += (i == 0 ? "" : " ") + RowLabel(place[i], change);
    }
    const std::string last = place.empty() ? std::string() : RowLabel(place.back(), change);
    const bool whole = place.size() == 1;
    const json& was = change.oldValue;
    const json& is = change.newValue;
    if (change.what == "row" && whole && (was.is_null() || is.is_null())) {
        return last +
               (was.is_null() ? " added: " + RowSummary(is) : " removed: " + RowSummary(was));
    }
    if (change.what == "entity" && whole && (was.is_null() || is.is_null())) {
        return last +
               (was.is_null() ? " added" + EntitySummary(is) : " erased" + EntitySummary(was));
    }
    if (change.what == "entity" && last == "owner") {
        return subject + " moved from " + Owner(was) + " into " + Owner(is);
    }
    if (change.what == "entity" && last == "position") {
        return subject + " moved: " + Position(was) + " -> " + Position(is);
    }
    if (change.what == "column" && whole) {
        if (was.is_null() || is.is_null()) {
            return "column " + last +
                   (was.is_null() ? " added" + ColumnSummary(is) : " removed" + ColumnSummary(was));
        }
        return Change("column " + last, change);
    }
    if (change.what == "partData") {
        return Change(subject + (subject.empty() ? "" : " ") + "part data " + last, change);
    }
    return Change(subject.empty() ? last : subject + " " + last, change);
}

std::string Heading(const std::string& group) {
    std::string shown = EscapeControls(group);
    if (!shown.empty() && shown[0] >= 'a' && shown[0] <= 'z') {
        shown[0] = static_cast<char>(shown[0] - 'a' + 'A');
    }
    return shown;
}

}  // namespace

std::string ChangesText(const std::vector<DrawingChange>& changes) {
    if (changes.empty()) {
        return "no changes\n";
    }
    std::string text;
    std::string group;
    bool first = true;
    for (const DrawingChange& change : changes) {
        std::vector<std::string> place = WhereSegments(change.where);
        if (first || place.front() != group) {
            group = place.front();
            text += Heading(group) + "\n";
            first = false;
        }
        place.erase(place.begin());
        text += "  " + Describe(change, place) + "\n";
    }
    return text;
}

sim::Event ChangeEvent(const DrawingChange& change, const CommandChanges* cause) {
    sim::Event event{{"ev", "change"},
                     {"what", change.what},
                     {"where", change.where},
                     {"old", change.oldValue},
                     {"new", change.newValue}};
    if (change.place) {
        event["place"] = *change.place;
    }
    if (cause != nullptr) {
        event["step"] = cause->step;
        event["command"] = cause->command;
    }
    return event;
}

void WriteChanges(const std::vector<DrawingChange>& changes, Transcript& transcript) {
    if (transcript.format() == TranscriptFormat::kJsonl) {
        for (const DrawingChange& change : changes) {
            transcript.Write(ChangeEvent(change));
        }
        return;
    }
    transcript.WriteText("[changes]\n" + ChangesText(changes));
}

namespace {

bool SamePlace(const std::string& a, const std::string& b) {
    const auto within = [](const std::string& inner, const std::string& outer) {
        return inner.size() > outer.size() && inner.starts_with(outer) &&
               inner[outer.size()] == '/';
    };
    return a == b || within(a, b) || within(b, a);
}

// The last command whose changes touch the change's place: the one that left it so.
const CommandChanges* LastCause(const DrawingChange& change,
                                const std::vector<CommandChanges>& commands) {
    for (auto command = commands.rbegin(); command != commands.rend(); ++command) {
        for (const DrawingChange& own : command->changes) {
            if (SamePlace(own.where, change.where)) {
                return &*command;
            }
        }
    }
    return nullptr;
}

}  // namespace

void WriteRunChanges(const std::vector<DrawingChange>& changes,
                     const std::vector<CommandChanges>& commands, Transcript& transcript) {
    if (transcript.format() != TranscriptFormat::kJsonl) {
        WriteChanges(changes, transcript);
        return;
    }
    for (const DrawingChange& change : changes) {
        transcript.Write(ChangeEvent(change, LastCause(change, commands)));
    }
}

void WriteCommandChanges(const std::vector<CommandChanges>& commands, Transcript& transcript) {
    if (transcript.format() == TranscriptFormat::kJsonl) {
        for (const CommandChanges& command : commands) {
            for (const DrawingChange& change : command.changes) {
                transcript.Write(ChangeEvent(change, &command));
            }
        }
        return;
    }
    std::string text;
    for (const CommandChanges& command : commands) {
        if (command.changes.empty()) {
            continue;
        }
        text += EscapeControls(command.command) + " (step " + std::to_string(command.step) + ")\n";
        const std::string lines = ChangesText(command.changes);
        for (std::size_t start = 0; start < lines.size();) {
            const std::size_t end = lines.find('\n', start);
            text += "  " + lines.substr(start, end - start + 1);
            start = end + 1;
        }
    }
    transcript.WriteText("[changes]\n" + (text.empty() ? ChangesText({}) : text));
}
