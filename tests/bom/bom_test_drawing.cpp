#include "tests/bom/bom_test_drawing.h"

#include <fstream>

#include "host/vx_db.h"
#include "host/vxm_partref.h"
#include "pdm/pdm_link.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/pdm/pdm_control.h"

void BomTest::SetUp() {
    sim::resetHost();
    sim::pdm::reset();
    sim::clearFaults();
    PdmLink::Reset();
    previousSink_ =
        sim::setEventSink([this](const sim::Event& event) { events_.push_back(event); });
    dir_ = std::filesystem::temp_directory_path() /
           ("orbd_bom_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    SetCatalogue();
    sim::pdm::setHasPart(u"1");
}

void BomTest::TearDown() {
    sim::clearFaults();
    EXPECT_EQ(sim::openObjectCount(), 0u) << "objects left open";
    sim::setEventSink(previousSink_);
    PdmLink::Reset();
    std::filesystem::remove_all(dir_);
}

sim::Database& BomTest::db() {
    return sim::workingDatabase();
}

VxDbObjectId BomTest::partsList() {
    if (partsList_.isNull()) {
        partsList_ = sim::createPartsList(db(), VxDbObjectId::kNull);
        sim::setCurrentPartsList(db(), partsList_);
    }
    return partsList_;
}

VxDbObjectId BomTest::AddRow(const std::u16string& item, std::int32_t quantity,
                             const VxmStringMap& cells) {
    const VxDbObjectId entry = sim::createDataEntry(db(), cells);
    return sim::addRow(db(), partsList(), item, quantity, entry);
}

VxDbObjectId BomTest::AddRowWithPartRef(const std::u16string& item, std::int32_t quantity,
                                        const VxmStringMap& cells) {
    const VxDbObjectId entry = sim::createDataEntry(db(), cells);
    db().appendEntity(db().modelSpaceId(), new VxmPartRef(entry));
    return sim::addRow(db(), partsList(), item, quantity, entry);
}

VxDbObjectId BomTest::AddXrefRow(const std::u16string& item, std::int32_t quantity,
                                 const std::u16string& xrefPath, const VxmStringMap& cells) {
    const VxDbObjectId entry = sim::createDataEntry(db(), cells);
    const VxDbObjectId block = db().addBlock(VxString(u"XREF" + item), VxString(xrefPath));
    db().appendEntity(block, new VxmPartRef(entry));
    db().appendEntity(db().modelSpaceId(), new VxDbBlockReference(VxGePoint3d{}, block));
    return sim::addRow(db(), partsList(), item, quantity, entry);
}

VxmStringMap BomTest::CellsOf(VxDbObjectId rowId) {
    for (const sim::RowRecord& row : sim::rowsOf(db(), partsList())) {
        if (row.id == rowId) {
            return sim::dataEntryData(db(), row.dataEntry);
        }
    }
    ADD_FAILURE() << "no such row";
    return {};
}

void BomTest::SetColumns(const std::vector<sim::ColumnSpec>& columns) {
    sim::setStandardColumns(db(), columns);
}

void BomTest::UseMapping(const std::vector<std::string>& lines) {
    const std::filesystem::path path = dir_ / "mapping.ini";
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) {
        out << line << "\r\n";
    }
    out.close();
    SetEnv(u"BOMIniFile", VxString::fromUtf8(path.string()).str());
}

void BomTest::SetEnv(const std::u16string& name, const std::u16string& value) {
    sim::pdm::setEnv(sim::pdm::currentDocument(), name, value);
}

void BomTest::SetCatalogue() {
    sim::pdm::setCatalogueText(u"VM2042", kText42);
    sim::pdm::setCatalogueText(u"VM2043", kText43);
    sim::pdm::setCatalogueText(u"VM2049", kText49);
    sim::pdm::setCatalogueText(u"VX16300", kTextVX16300);
    sim::pdm::setCatalogueText(u"VX16301", kTextVX16301);
    sim::pdm::setCatalogueText(u"VX16303", kTextVX16303);
}

std::vector<sim::Event> BomTest::EventsOf(const std::string& kind) const {
    std::vector<sim::Event> found;
    for (const sim::Event& event : events_) {
        if (event.value("ev", "") == kind) {
            found.push_back(event);
        }
    }
    return found;
}

std::vector<std::u16string> BomTest::TextsOf(const std::string& kind) const {
    std::vector<std::u16string> texts;
    for (const sim::Event& event : EventsOf(kind)) {
        texts.push_back(VxString::fromUtf8(event.value("text", "")).str());
    }
    return texts;
}

std::vector<std::pair<std::u16string, std::u16string>> BomTest::PdmCommands() const {
    std::vector<std::pair<std::u16string, std::u16string>> calls;
    for (const sim::pdm::PdmCall& call : sim::pdm::callLog()) {
        if (call.function == "orbdCall") {
            calls.emplace_back(call.texts.at(0), call.texts.at(1));
        }
    }
    return calls;
}

std::vector<std::u16string> BomTest::PdmExpressions() const {
    std::vector<std::u16string> expressions;
    for (const sim::pdm::PdmCall& call : sim::pdm::callLog()) {
        if (call.function == "orbdPrep" || call.function == "orbdPrepWithModalDialog") {
            expressions.push_back(call.texts.at(0));
        }
    }
    return expressions;
}

void BomTest::UseDocumentStructure(
    const std::vector<std::pair<std::u16string, std::u16string>>& identsAtPositions) {
    SetEnv(u"ORBKEY", u"D1.1");
    sim::pdm::setTable(u"Folder_All_Document", {{{u"ORBKEY", u"D1.1"}}});
    sim::pdm::setTable(u"XREF_ELEMENT", {{{u"PARENT_ORBKEY", u"D1.1"},
                                          {u"RELATIONSHIP_ID", u"ORB.XREF.DOC.PART"},
                                          {u"CHILD_ORBKEY", u"X1"}}});
    sim::pdm::Table parts;
    for (const auto& [position, ident] : identsAtPositions) {
        parts.push_back(
            {{u"X_PARENT_ORBKEY", u"X1"}, {u"X_POSITION", position}, {u"IDENT", ident}});
    }
    sim::pdm::setTable(u"Folder_Xref_Child_Part_General", parts);
}
