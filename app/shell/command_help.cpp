#include "app/shell/command_help.h"

#include <cctype>

namespace {

struct CommandHelp {
    const char* name;
    const char* does;
    const char* prompts;
    const char* reads;
    const char* writes;
    const char* texts;
};

constexpr CommandHelp kCommands[] = {
    {"ORBDBOM", "sends the parts list to the PDM, one element per row with an item", "none",
     "[KORDANEFieldsInVexaBOM], [VexaBomToKORDANE]; the PDM's #(Appl:BOMTransferFor2DStructure) "
     "and #(HasPart); after the transfer XREF_ELEMENT and Folder_Xref_Child_Part_General for "
     "the part number at each row's item",
     "PDM calls BOMSTART, per row BOMELEMENTSTART, BOMELEMENTINFO (one per non-empty field), "
     "BOMELEMENTEND, then BOMEND; the columns of [KORDANEFieldsInVexaBOM] and ORBKEY; "
     "ORBD_PARTNO of rows without an ORBKEY cell",
     "VX16303 (2D structure refused), VM2042 (no parts list), VM2049 (no PDM part), VM2043 "
     "(rows cannot be walked), VX16300 (mapping file unreadable), VX16301 (section missing)"},
    {"ORBDBOMEXPORT", "writes the parts list to a tab-separated UTF-16 file for the PDM", "none",
     "the visible columns of the parts-list standard; the environment's WSPATH and ORBKEY; "
     "no mapping section",
     "WSPATH + ORBKEY up to its first \".\" + \"KorBom.txt\", then the PDM call NewExternBom",
     "VX16303, VM2042, VM2043, \"Can't create file: PATH\""},
    {"ORBDCREATEPARTREF", "places a new part reference for a PDM key and fills its part data",
     "\"ORBKEY: \", then the point (VM2050)",
     "[KORDANEPartRefToVexa] for the key in Folder_All_Document; [KORDANEFieldsInVexaBOM]",
     "a part reference in model space, its part data (the mapped fields and ORBKEY), handed to "
     "the parts list of model space",
     "VM2050 (point prompt), VX16300 after the mapping file's path, VX16301 after the section's "
     "name (both on the command line)"},
    {"ORBDCREATEPARTREF2", "as ORBDCREATEPARTREF, with the PDM folder and the section typed",
     "\"ORBKEY: \", \"DBNAME: \", \"SECTION: \" (blanks allowed, ends at Enter), then the point "
     "(VM2050)",
     "the typed section for the key in the typed folder (empty: Folder_All_Document); "
     "[KORDANEFieldsInVexaBOM]",
     "as ORBDCREATEPARTREF", "as ORBDCREATEPARTREF"},
    {"ORBDUPDATEPARTREF",
     "fills an inserted drawing's part data from the PDM, or offers a new part reference",
     "\"ORBKEY: \", \"Entity: \" (entlast, 0, or an object id); queued by the reactor",
     "[KORDANEPartRefToVexa] for the key in Folder_All_Document; [KORDANEFieldsInVexaBOM]",
     "the part data of an external reference's block reference; or, after dialog 210 (entlast) "
     "or a yes/no box (style 36), a new part reference as ORBDCREATEPARTREF; the dialog's check "
     "box erases the part references the inserted drawing brought",
     "VM2077 (dialog caption), VM2059 (question), VM2078 (check box), VM2079 and VM2080 "
     "(buttons), VM2058 (entity without part data), VM2050"},
    {"ORBDUPDATEPARTREFS",
     "refreshes every row of the parts list from the PDM, then the drawing's own part data", "none",
     "[KORDANEPartRefToVexa] for a row's ORBKEY in Folder_All_Document; [KORDANEProductToVexa] "
     "for the key Folder_All_Part gives a row's ORBD_PARTNO (and ORBD_PARTREV); "
     "[KORDANEPartDataToVexa] for the environment's ORBKEY; [KORDANEFieldsInVexaBOM]",
     "the rows' cells (and so their part references); the drawing's own part data",
     "VX16303, VM2042, VM2043"},
    {"ORBDCHANGEPARTREFKEY", "gives the part references of model space with one key another",
     "\"Old ORBKEY: \" (* for any key), \"New ORBKEY: \"",
     "[KORDANEPartRefToVexa] for the new key in Folder_All_Document; [KORDANEFieldsInVexaBOM]",
     "the part data of each matching part reference directly in model space, ORBKEY the new key",
     "none (host failures on the command line)"},
    {"ORBDSYNCPARTDATA", "fills the drawing's own part data from the PDM",
     "none; the environment's ORBKEY (without it nothing happens)",
     "[KORDANEPartDataToVexa] for that key in Folder_All_Document; [KORDANEFieldsInVexaBOM]",
     "the part data of model space, with ORBKEY; also at every save of the drawing unless "
     "vmcomp.vmx is loaded",
     "none"},
    {"ORBDCREATEVIRTUALCOMP", "adds an item chosen in the PDM as a virtual component",
     "the PDM's item selection (its title: zorn606), then the point (VM2050)",
     "@(IDENT:t) of the item in Folder_All_Part; [KORDANEVirtualCompToVEXA] for the item in "
     "Folder_All_Part; [KORDANEFieldsInVexaBOM]",
     "a further part reference of the first row whose ORBD_PARTNO is the item's ident, or a new "
     "part reference filled from the section (ORBKEY only if the section maps it); a parts list "
     "when the drawing has none",
     "zorn606, VM2050"},
};

const CommandHelp* Find(std::string_view command) {
    for (const CommandHelp& help : kCommands) {
        const std::string_view name = help.name;
        bool same = name.size() == command.size();
        for (std::size_t i = 0; same && i < name.size(); ++i) {
            same = std::toupper(static_cast<unsigned char>(command[i])) == name[i];
        }
        if (same) {
            return &help;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::string> CommandLine(std::string_view command) {
    const CommandHelp* help = Find(command);
    if (help == nullptr) {
        return std::nullopt;
    }
    return std::string(help->does);
}

std::optional<std::string> CommandSummary(std::string_view command) {
    const CommandHelp* help = Find(command);
    if (help == nullptr) {
        return std::nullopt;
    }
    return std::string(help->name) + ": " + help->does + "\n" + "  prompts: " + help->prompts +
           "\n" + "  reads:   " + help->reads + "\n" + "  writes:  " + help->writes + "\n" +
           "  texts:   " + help->texts + "\n";
}
