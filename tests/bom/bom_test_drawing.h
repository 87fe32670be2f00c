// BomTest: a fresh stand-in host and PDM per test, with a model-space parts list, helpers to
// fill it, a mapping file in a scratch folder, and what the module showed and sent.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/vxm_bom.h"
#include "pdm/pdm_link.h"
#include "sim/host/database.h"
#include "sim/host/events.h"
#include "sim/mech/mech_control.h"

class BomTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    sim::Database& db();
    // The drawing's parts list (owned by model space, current), created on first use.
    VxDbObjectId partsList();
    // A row with a data entry of its own holding cells.
    VxDbObjectId AddRow(const std::u16string& item, std::int32_t quantity,
                        const VxmStringMap& cells = {});
    // A row whose part reference lies in model space.
    VxDbObjectId AddRowWithPartRef(const std::u16string& item, std::int32_t quantity,
                                   const VxmStringMap& cells = {});
    // A row whose only part reference lies inside a block reference of a block with that
    // external-reference path.
    VxDbObjectId AddXrefRow(const std::u16string& item, std::int32_t quantity,
                            const std::u16string& xrefPath, const VxmStringMap& cells = {});
    VxmStringMap CellsOf(VxDbObjectId rowId);
    void SetColumns(const std::vector<sim::ColumnSpec>& columns);

    // Writes the mapping file (UTF-8 text, lines joined with CR LF) and names it in
    // "BOMIniFile".
    void UseMapping(const std::vector<std::string>& lines);
    void SetEnv(const std::u16string& name, const std::u16string& value);
    // The drawing "D1.1" in the PDM's document structure, with the part idents at positions
    // (position, ident), as the part-number write-back asks for them.
    void UseDocumentStructure(
        const std::vector<std::pair<std::u16string, std::u16string>>& identsAtPositions);
    void SetCatalogue();

    std::vector<std::u16string> Alerts() const { return TextsOf("alert"); }
    // The events of that kind ("prompt", "foreground", ...), in order.
    std::vector<sim::Event> EventsOf(const std::string& kind) const;
    // The "text" of every event of that kind.
    std::vector<std::u16string> TextsOf(const std::string& kind) const;
    // Command-line output, one text per vxutPrintf.
    std::vector<std::u16string> Prints() const { return TextsOf("print"); }
    // (command, argument) of every orbdCall, in order.
    std::vector<std::pair<std::u16string, std::u16string>> PdmCommands() const;
    // The expressions the PDM was asked to evaluate, in order.
    std::vector<std::u16string> PdmExpressions() const;

    std::filesystem::path dir_;

  private:
    VxDbObjectId partsList_;
    std::vector<sim::Event> events_;
    sim::EventSink previousSink_;
};

// A column of type 29, data type 0, displayed under its name.
inline sim::ColumnSpec Col(const std::u16string& name, bool visible) {
    return sim::ColumnSpec{name, visible, 29, 0, name};
}

// Catalogue texts the fixture installs.
inline constexpr const char16_t* kText42 = u"No parts list.";
inline constexpr const char16_t* kText43 = u"The rows cannot be read.";
inline constexpr const char16_t* kText49 = u"No PDM part.";
inline constexpr const char16_t* kTextVX16300 = u"The mapping file cannot be read.";
inline constexpr const char16_t* kTextVX16301 = u"The mapping section is missing.";
inline constexpr const char16_t* kTextVX16303 = u"No transfer for 2D structures.";
