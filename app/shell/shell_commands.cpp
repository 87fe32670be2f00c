#include "app/shell/shell_commands.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>

#include "app/common/change_text.h"
#include "app/common/file_path.h"
#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "app/shell/command_help.h"
#include "app/shell/text_table.h"
#include "host/vx_db.h"
#include "host/vxm_bom.h"
#include "sim/host/command_stack.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"
#include "sim/pdm/pdm_control.h"

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

TextTable NameValueTable(const std::map<std::u16string, std::u16string>& values) {
    TextTable table{{"name", "value"}, {}, {}};
    for (const auto& [name, value] : values) {
        table.rows.push_back({Utf8(name), Utf8(value)});
    }
    return table;
}

std::string PartsListTitle(const sim::Database& db, VxDbObjectId list) {
    const VxDbObjectId owner = sim::partsListOwner(db, list);
    std::string title = "Parts list of ";
    if (owner == db.modelSpaceId()) {
        title += "the drawing";
    } else {
        const auto* block = dynamic_cast<const VxDbBlockTableRecord*>(db.lookup(owner));
        title += "block " + EscapeControls(block != nullptr ? block->name().toUtf8() : "?");
    }
    return sim::currentPartsList(db) == list ? title + " (current)" : title;
}

// Columns as the parts list shows them: "ITEM" and "QTY" are the row's own, any other the
// row's data entry's field of that name. With all, the hidden columns too (marked so) and how
// many part references share each row's data entry.
TextTable PartsListTable(const sim::Database& db, VxDbObjectId list, bool all) {
    std::vector<std::u16string> fields;
    TextTable table{{"item", "qty"}, {}, {false, true}};
    if (all) {
        table.header.push_back("refs");
        table.rightAligned.push_back(true);
    }
    for (const sim::ColumnSpec& column : sim::standardColumns(db)) {
        if ((column.visible || all) && column.name != u"ITEM" && column.name != u"QTY") {
            fields.push_back(column.name);
            table.header.push_back(Utf8(column.name) + (column.visible ? "" : " (hidden)"));
        }
    }
    for (const sim::RowRecord& row : sim::rowsOf(db, list)) {
        const VxmStringMap cells =
            row.dataEntry.isNull() ? VxmStringMap() : sim::dataEntryData(db, row.dataEntry);
        std::vector<std::string> shown{Utf8(row.item), std::to_string(row.quantity)};
        if (all) {
            const std::size_t refs =
                row.dataEntry.isNull() ? 0 : sim::partRefPaths(db, row.dataEntry).size();
            shown.push_back(std::to_string(refs));
        }
        for (const std::u16string& field : fields) {
            const auto cell = cells.find(field);
            shown.push_back(cell == cells.end() ? std::string() : Utf8(cell->second));
        }
        table.rows.push_back(std::move(shown));
    }
    return table;
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

const std::vector<ShellCommands::DotCommand>& ShellCommands::DotCommands() {
    static const std::vector<DotCommand> commands = {
        {".bom", "[--all]",
         "the parts lists as tables (--all: with the hidden columns and each row's count of "
         "part references)",
         &ShellCommands::Bom},
        {".partdata", "HANDLE | drawing",
         "the part data of the entity with that scenario handle, or the drawing's own",
         &ShellCommands::PartData},
        {".env", "", "the PDM environment values of the drawing", &ShellCommands::Env},
        {".changes", "", "what changed in the drawing since the shell started",
         &ShellCommands::Changes},
        {".save", "FILE",
         "saves the drawing as a scenario drawing (as --save-drawing does); a relative FILE "
         "is taken from the folder the shell was started in",
         &ShellCommands::Save},
        {".help", "", "this list (\"help\" too)", &ShellCommands::Help},
    };
    return commands;
}

bool ShellCommands::Run(const std::string& line) {
    const std::string command = Trimmed(line);
    const std::size_t blank = command.find_first_of(" \t");
    const std::string name = Lowered(command.substr(0, blank));
    const std::string argument = blank == std::string::npos ? "" : Trimmed(command.substr(blank));
    if (name == "help") {
        Help(argument);
        return true;
    }
    if (name.empty() || name[0] != '.') {
        return false;
    }
    for (const DotCommand& dot : DotCommands()) {
        if (name == dot.name) {
            (this->*dot.run)(argument);
            return true;
        }
    }
    out_ << "Unknown shell command \"" << EscapeControls(name) << "\". The shell's commands:";
    for (const DotCommand& dot : DotCommands()) {
        out_ << " " << dot.name;
    }
    out_ << "\n";
    return true;
}

void ShellCommands::Help(const std::string& argument) {
    if (!argument.empty()) {
        if (const std::optional<std::string> summary = CommandSummary(argument)) {
            out_ << *summary;
        } else {
            out_ << "\"" << EscapeControls(argument)
                 << "\" is none of the module's commands; \"help\" lists them.\n";
        }
        return;
    }
    TextTable module{{"command", "does"}, {}, {}};
    for (const sim::CommandRow& row : sim::registeredCommands()) {
        const std::string name = row.localName.toUtf8();
        module.rows.push_back({name, CommandLine(name).value_or("")});
    }
    if (module.rows.empty()) {
        out_ << "No module has registered a command.\n";
    } else {
        out_ << "Commands the module registered (type them as at the host's command line; "
                "\"help COMMAND\" tells more):\n"
             << FormatTable(module);
    }
    TextTable shell{{"shell command", "does"}, {}, {}};
    for (const DotCommand& dot : DotCommands()) {
        shell.rows.push_back(
            {std::string(dot.name) + (*dot.argument ? " " : "") + dot.argument, dot.purpose});
    }
    out_ << "\n"
         << FormatTable(shell)
         << "\nCtrl-C (or Esc) cancels a question or the line typed; Ctrl-D at \"Command:\" "
            "ends the shell.\n";
}

void ShellCommands::Bom(const std::string& argument) {
    const bool all = Lowered(argument) == "--all";
    if (!argument.empty() && !all) {
        out_ << "usage: .bom [--all]\n";
        return;
    }
    const sim::Database& db = sim::workingDatabase();
    const std::vector<VxDbObjectId> lists = sim::partsLists(db);
    if (lists.empty()) {
        out_ << "The drawing has no parts list.\n";
    }
    for (const VxDbObjectId list : lists) {
        const TextTable table = PartsListTable(db, list, all);
        out_ << PartsListTitle(db, list) << ", " << table.rows.size()
             << (table.rows.size() == 1 ? " row" : " rows") << ":\n"
             << FormatTable(table);
    }
}

void ShellCommands::PartData(const std::string& argument) {
    if (Lowered(argument) == "drawing") {
        const sim::Database& db = sim::workingDatabase();
        const std::optional<VxmStringMap> data = sim::blockPartData(db, db.modelSpaceId());
        if (!data || data->empty()) {
            out_ << "The drawing has no part data of its own.\n";
        } else {
            out_ << "Part data of the drawing:\n" << FormatTable(NameValueTable(*data));
        }
        return;
    }
    std::int64_t handle = 0;
    std::size_t used = 0;
    try {
        handle = std::stoll(argument, &used);
    } catch (const std::logic_error&) {
        used = 0;
    }
    if (argument.empty() || used != argument.size()) {
        out_ << "usage: .partdata HANDLE (an entity's handle in the scenario) | drawing\n";
        return;
    }
    const VxDbObjectId id = session_.Handles().entity(handle);
    if (id.isNull()) {
        out_ << "No entity of the drawing has the handle " << handle << ".\n";
        return;
    }
    VxmStringMap data;
    Vx::ErrorStatus status = Vx::eOk;
    {
        const sim::FaultsSuspended own;
        status = getVxmBomMgr()->getPartData(id, data);
    }
    if (status == Vx::eNotApplicable || status == Vx::eKeyNotFound ||
        (status == Vx::eOk && data.empty())) {
        out_ << "Entity " << handle << " has no part data.\n";
    } else if (status == Vx::eWasErased) {
        out_ << "Entity " << handle << " is erased.\n";
    } else if (status != Vx::eOk) {
        out_ << "The part data of entity " << handle << " cannot be read (status " << status
             << ").\n";
    } else {
        out_ << "Part data of entity " << handle << ":\n" << FormatTable(NameValueTable(data));
    }
}

void ShellCommands::Env(const std::string& /*argument*/) {
    const sim::pdm::Record values = sim::pdm::environment(sim::pdm::currentDocument());
    if (values.empty()) {
        out_ << "The PDM holds no environment values for the drawing.\n";
        return;
    }
    out_ << "PDM environment of the drawing:\n" << FormatTable(NameValueTable(values));
}

void ShellCommands::Changes(const std::string& /*argument*/) {
    out_ << ChangesText(session_.ChangesSinceStart());
}

void ShellCommands::Save(const std::string& argument) {
    if (argument.empty()) {
        out_ << "usage: .save FILE\n";
        return;
    }
    const std::filesystem::path file = (startFolder_ / PathFromUtf8(argument)).lexically_normal();
    try {
        session_.SaveDrawing(file);
        out_ << "Saved the drawing to " << EscapeControls(Utf8Path(file)) << ".\n";
    } catch (const std::runtime_error& e) {
        out_ << EscapeControls(e.what()) << "\n";
    }
}
