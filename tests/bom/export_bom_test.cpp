#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/stat.h>  // mkfifo: pipes in the file system are POSIX only
#endif

#include "bom/export_bom.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

namespace {

class ExportBomTest : public BomTest {
  protected:
    void SetUp() override {
        BomTest::SetUp();
        SetEnv(u"WSPATH", Utf16(dir_.string() + "/"));
        SetEnv(u"ORBKEY", u"A1.B2.7");
    }
    static std::u16string Utf16(const std::string& text) { return VxString::fromUtf8(text).str(); }
    std::int32_t Export() {
        BomContext context{};
        context.bomId = partsList();
        sim::pdm::clearLog();
        return ExportBom(context);
    }
    // The file's bytes as the UTF-16LE text it should hold.
    static std::string Bytes(std::u16string_view text) {
        std::string bytes;
        for (const char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        return bytes;
    }
    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::path FileOf(const std::string& name) const { return dir_ / name; }
};

TEST_F(ExportBomTest, WritesVisibleColumnsTabSeparatedWithCrLf) {
    SetColumns({Col(u"ITEM", true), Col(u"DESCR", true), Col(u"HIDDEN", false), Col(u"QTY", true),
                Col(u"NOTE", true)});
    AddRow(u"12", 3,
           {{u"DESCR", u"Washer \"M8\""},
            {u"HIDDEN", u"secret"},
            {u"ITEM", u"99"},
            {u"QTY", u"7"},
            {u"NOTE", u"a\tb\r\nc"}});
    AddRow(u"", -2, {{u"DESCR", u"no item"}});
    AddRow(u"\u00c4", 0);

    EXPECT_EQ(Export(), 0);
    const std::u16string expected =
        u"\uFEFF"
        u"ITEM\tDESCR\tQTY\tNOTE\r\n"
        u"12\tWasher \"M8\"\t3\ta\tb\r\nc\r\n"
        u"\tno item\t-2\t\r\n"
        u"\u00c4\t\t0\t\r\n";
    EXPECT_EQ(ReadFile(FileOf("A1KorBom.txt")), Bytes(expected));
    // WSPATH and the name joined as text, whatever separator the system's paths use.
    const std::u16string path = Utf16(dir_.string() + "/A1KorBom.txt");
    EXPECT_EQ(PdmCommands(), (std::vector<std::pair<std::u16string, std::u16string>>{
                                 {u"NewExternBom", u"\"" + path + u"\" 1"}}));
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(ExportBomTest, PathJoinsWorkspaceKeyPrefixAndName) {
    const std::pair<std::u16string, std::u16string> cases[] = {{u"A1.B2.7", u"A1KorBom.txt"},
                                                               {u"XYZ", u"KorBom.txt"},
                                                               {u"", u"KorBom.txt"},
                                                               {u".lead", u"KorBom.txt"}};
    for (const auto& [key, name] : cases) {
        SetEnv(u"ORBKEY", key);
        EXPECT_EQ(ExportFilePath(), Utf16(dir_.string() + "/") + name);
    }
    SetEnv(u"WSPATH", u"ws");  // no separator added
    SetEnv(u"ORBKEY", u"D4.1");
    EXPECT_EQ(ExportFilePath(), u"wsD4KorBom.txt");
    SetEnv(u"WSPATH", u"");
    EXPECT_EQ(ExportFilePath(), u"D4KorBom.txt");
}

TEST_F(ExportBomTest, NoVisibleColumnsAndNoRowsStillMakeAFile) {
    SetColumns({Col(u"ITEM", false)});
    AddRow(u"1", 1);
    AddRow(u"2", 1);
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(ReadFile(FileOf("A1KorBom.txt")), Bytes(u"\uFEFF\r\n\r\n\r\n"));

    SetColumns({Col(u"ITEM", true), Col(u"QTY", true)});
    SetEnv(u"ORBKEY", u"E.1");
    sim::setCurrentPartsList(db(), sim::createPartsList(db(), db().addBlock(u"B", u"")));
    BomContext empty{};
    empty.bomId = sim::currentPartsList(db());
    EXPECT_EQ(ExportBom(empty), 0);
    EXPECT_EQ(ReadFile(FileOf("EKorBom.txt")), Bytes(u"\uFEFFITEM\tQTY\r\n"));
    EXPECT_EQ(sim::pdm::externBoms().size(), 2u) << "an empty parts list is handed over too";
}

TEST_F(ExportBomTest, UncreatableFileIsReportedAndNothingElseHappens) {
    SetEnv(u"WSPATH", Utf16((dir_ / "missing" / "").string()));
    AddRow(u"1", 1);
    const int readsBefore =
        sim::checkpointCounts().count("readRow") ? sim::checkpointCounts().at("readRow") : 0;
    EXPECT_EQ(Export(), -1);
    const std::u16string path = Utf16((dir_ / "missing" / "A1KorBom.txt").string());
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{u"Can't create file: " + path}));
    EXPECT_TRUE(PdmCommands().empty());
    const int readsAfter =
        sim::checkpointCounts().count("readRow") ? sim::checkpointCounts().at("readRow") : 0;
    EXPECT_EQ(readsAfter, readsBefore);
}

TEST_F(ExportBomTest, HostFailureKeepsThePartialFileAndSkipsTheHandOver) {
    SetColumns({Col(u"ITEM", true)});
    AddRow(u"1", 1);
    AddRow(u"2", 1);
    sim::armFault("readRow", 2, Vx::eWasErased);
    EXPECT_EQ(Export(), -1);
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{vexaErrorStatusText(Vx::eWasErased)}));
    EXPECT_EQ(ReadFile(FileOf("A1KorBom.txt")), Bytes(u"\uFEFFITEM\r\n1\r\n"));
    EXPECT_TRUE(PdmCommands().empty());

    sim::armFault("getRowState", 1, Vx::eInvalidInput);
    EXPECT_EQ(Export(), -1);
    EXPECT_EQ(Alerts().back(), vexaErrorStatusText(Vx::eInvalidInput));
    EXPECT_EQ(ReadFile(FileOf("A1KorBom.txt")), Bytes(u"\uFEFF"));
}

// The file keeps what reached the disk before the failure, and nothing after it: a later write
// would have joined the end to a piece that is missing.
TEST_F(ExportBomTest, AFailingFileOperationKeepsWhatWasWrittenAndIsNotHandedOver) {
    SetColumns({Col(u"ITEM", true), Col(u"NOTE", true)});
    for (int i = 0; i < 100; ++i) {
        AddRow(u"1", 1, {{u"NOTE", std::u16string(1000, u'n')}});
    }
    ASSERT_EQ(Export(), 0);
    const std::string whole = ReadFile(FileOf("A1KorBom.txt"));
    constexpr std::size_t kBuffer = 1 << 16;
    ASSERT_GT(whole.size(), 3 * kBuffer) << "the export takes several writes";
    const std::u16string path = Utf16(dir_.string() + "/A1KorBom.txt");

    sim::armFault("openFile", 1, Vx::eInvalidInput);
    EXPECT_EQ(Export(), -1);
    EXPECT_EQ(Alerts().back(), u"Can't create file: " + path);
    EXPECT_EQ(ReadFile(FileOf("A1KorBom.txt")), whole) << "a file that did not open is untouched";
    EXPECT_TRUE(PdmCommands().empty());

    sim::armFault("writeFile", 2, Vx::eInvalidInput);
    EXPECT_EQ(Export(), -1);
    EXPECT_EQ(Alerts().back(), vexaErrorStatusText(Vx::eFileAccessErr));
    const std::string partial = ReadFile(FileOf("A1KorBom.txt"));
    EXPECT_GE(partial.size(), kBuffer);
    EXPECT_LT(partial.size(), 2 * kBuffer) << "only the first write is on disk";
    EXPECT_EQ(whole.substr(0, partial.size()), partial);
    EXPECT_TRUE(PdmCommands().empty());

    sim::armFault("closeFile", 1, Vx::eInvalidInput);
    EXPECT_EQ(Export(), -1);
    EXPECT_EQ(Alerts().back(), vexaErrorStatusText(Vx::eFileAccessErr));
    EXPECT_EQ(ReadFile(FileOf("A1KorBom.txt")), whole);
    EXPECT_TRUE(PdmCommands().empty()) << "bytes may be lost when the close fails";
    EXPECT_EQ(Alerts().size(), 3u);
}

// The path goes to the system as UTF-16 on Windows: a narrow form of it named another folder.
TEST_F(ExportBomTest, ANonAsciiWorkspaceFolderGetsTheFileThePdmIsTold) {
    const std::filesystem::path folder = dir_ / std::filesystem::path(u"J\u00FCrgen");
    std::filesystem::create_directory(folder);
    const std::u16string workspace = dir_.u16string() + u"/J\u00FCrgen/";
    SetEnv(u"WSPATH", workspace);
    SetColumns({Col(u"ITEM", true)});
    AddRow(u"1", 1);
    EXPECT_EQ(Export(), 0);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(ReadFile(folder / "A1KorBom.txt"), Bytes(u"\uFEFFITEM\r\n1\r\n"));
    EXPECT_EQ(PdmCommands(), (std::vector<std::pair<std::u16string, std::u16string>>{
                                 {u"NewExternBom", u"\"" + workspace + u"A1KorBom.txt\" 1"}}));
    std::vector<std::filesystem::path> made;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_)) {
        if (entry.is_regular_file() && entry.path().filename() != "mapping.ini") {
            made.push_back(entry.path());
        }
    }
    EXPECT_EQ(made, std::vector<std::filesystem::path>{folder / "A1KorBom.txt"});
}

#ifndef _WIN32
// Opening a pipe for writing waits for its reader, which may never come.
TEST_F(ExportBomTest, APipeWithoutReaderIsNotWaitedFor) {
    ASSERT_EQ(::mkfifo(FileOf("A1KorBom.txt").c_str(), 0600), 0);
    AddRow(u"1", 1);
    EXPECT_EQ(Export(), -1);
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{u"Can't create file: " +
                                                     Utf16(dir_.string() + "/A1KorBom.txt")}));
    EXPECT_TRUE(PdmCommands().empty());
}
#endif

}  // namespace
