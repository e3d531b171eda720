#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/printer_service.h"
#include "platform/string_table.h"
#include "settings/master_list.h"
#include "settings/settings_store.h"
#include "tests/core/path_kinds.h"
#include "tests/core/test_system.h"
#include "test_bytes.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = test::FreshTestFolder("vosk-settings");
        fs::create_directories(root_ / "drives" / "C");
        fs::create_directories(root_ / "bundled");
        test::SetEnv("VOSK_DRIVES", root_ / "drives");
        test::SetEnv("VOSK_DATA_DIR", root_ / "bundled");
        survey_ = std::make_unique<SurveyData>();
    }
    void TearDown() override {
        fs::remove_all(root_);
        test::UnsetEnv("VOSK_DATA_DIR");
    }

    // The default install folder, created (so it is not seeded).
    fs::path InstallFolder() {
        fs::path p = root_ / "drives" / "C" / "Tarvogx" / "Vosk2";
        fs::create_directories(p);
        return p;
    }
    void Put(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::string Lines(std::initializer_list<std::string> lines) {
        std::string s;
        for (const auto& l : lines) s += l + "\r\n";
        return s;
    }

    fs::path root_;
    SettingsStore store_;
    std::unique_ptr<SurveyData> survey_;
};

TEST_F(SettingsTest, EmptyInstallFolderGivesDefaultsAndNamesTheMissingFiles) {
    fs::path folder = InstallFolder();
    MessageRecorder messages;
    LoadSettings(store_, *survey_, false);
    EXPECT_EQ(store_.installFolder, "C:\\Tarvogx\\Vosk2");
    EXPECT_EQ(RealPath(store_.sysPath), folder / "Sys.ndx");
    const SheetSettings& s = store_.sheet;
    EXPECT_EQ(s.topMarginMm, 5);
    EXPECT_EQ(s.leftMarginMm, 20);
    EXPECT_EQ(s.companyName, test::kKabushikiGaisha);
    EXPECT_EQ(s.pointNoStartMm, "31.0");
    EXPECT_EQ(s.elevationStartMm, "70.0");
    EXPECT_EQ(s.pointNoLabelWidthMm, "25.0");
    EXPECT_EQ(s.bottomLinePositionMm, "257");
    EXPECT_EQ(s.enterKeyMode, 1);
    EXPECT_EQ(survey_->heading[heading::kCompanyName], test::kKabushikiGaisha);  // the heading is normalised
    // Sys.ndx, the soil name list (once for both passes) and Font1.ndx.
    EXPECT_EQ(messages.texts, (std::vector<std::string>{
                                  FormatMessageText(32795, (folder / "Sys.ndx").string()),
                                  FormatMessageText(32795, (folder / "WdtvJCA.mst").string()),
                                  FormatMessageText(32795, (folder / "Font1.ndx").string()),
                              }));
    EXPECT_EQ(store_.fonts[3].size, 8);
    EXPECT_EQ(store_.fonts[3].face, kDefaultFontFace);
}

TEST_F(SettingsTest, RangeDefaults) {
    struct Case {
        const char* line2;
        const char* expected;
    } cases[] = {{"-10", "31.0"}, {"-9", "-9"}, {"", "31.0"}, {"abc", "31.0"}, {"12.5", "12.5"}, {"-10.5", "31.0"}};
    for (const Case& c : cases) {
        SheetSettings s;
        ParseSettingsFile(s, Lines({"100", c.line2}));
        ApplyRangeDefaults(s);
        EXPECT_EQ(s.pointNoStartMm, c.expected) << c.line2;
    }
}

TEST_F(SettingsTest, SavedSettingsReadBackTheSame) {
    SheetSettings s;
    ApplySettingsDefaults(s);
    std::string lines;
    for (int i = 1; i <= 76; ++i) lines += "v" + std::to_string(i) + "\r\n";
    ParseSettingsFile(s, lines);
    s.topMarginMm = 7;
    s.enterKeyMode = 2;
    store_.sheet = s;
    fs::path folder = InstallFolder();
    ASSERT_TRUE(SaveSettings(store_, "C:\\Tarvogx\\Vosk2\\Sys.ndx"));
    std::string written = ReadFileBytes(folder / "Sys.ndx").value();
    SheetSettings back;
    ParseSettingsFile(back, written);
    for (int line = 1; line <= 80; ++line) EXPECT_EQ(SettingsLine(back, line), SettingsLine(s, line)) << line;
    EXPECT_EQ(back.storedOnly[5], "v76");
    EXPECT_EQ(SettingsLine(back, 16), "");   // unlisted lines are written empty
    EXPECT_EQ(SettingsLine(back, 11), "7");
    EXPECT_EQ(SettingsLine(back, 20 + 15), "v35");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 80);
}

TEST_F(SettingsTest, IntegersAndLongLines) {
    SheetSettings s;
    // A 200-byte value on line 10 does not shift the lines after it; lines
    // without the numeric test read as 0, the Enter key mode as 1.
    std::string lines;
    for (int i = 1; i <= 70; ++i) lines += (i == 10 ? std::string(200, 'N') : i == 11 ? "abc" : i == 12 ? " 25mm" : i == 70 ? "x" : "") + "\r\n";
    ParseSettingsFile(s, lines);
    EXPECT_EQ(s.ndItemName, std::string(200, 'N'));
    EXPECT_EQ(s.topMarginMm, 0);
    EXPECT_EQ(s.leftMarginMm, 25);
    EXPECT_EQ(s.enterKeyMode, 1);
}

TEST_F(SettingsTest, FontSizesOutsideTheirLimitsTakeTheDefault) {
    struct Case {
        int font;
        const char* size;
        double expected;
    } cases[] = {{3, "0.5", 8}, {3, "150", 8}, {3, "100", 100}, {1, "300", 300}, {1, "401", 12}, {6, "1", 9}, {2, "nan", 10}};
    for (const Case& c : cases) EXPECT_EQ(ParseFontFile(c.font, Lines({c.size})).size, c.expected) << c.font << " " << c.size;
    SheetFont f = ParseFontFile(2, Lines({"10.5", "X", "0x0000ff", "1"}));
    EXPECT_EQ(f.face, kDefaultFontFace);  // a face of one character is no face
    EXPECT_EQ(f.colour, 255);
    EXPECT_EQ(f.underline, 1);
    EXPECT_EQ(FormatFontFile(f), "10.5\r\n" + std::string(kDefaultFontFace) + "\r\n255\r\n1\r\n");
}

TEST_F(SettingsTest, SoilNameListGroupsAndCapacity) {
    std::string bytes = Lines({"comment before the groups", "[\x91\xe6" "1],x,7", "clay,C,10,20", "sand,S,x,5100.5",
                               "[\x91\xe6" "2],x,9", "[\x91\xe6" "3]", "ab", "silty,M,1,2"});
    for (int i = 0; i < 300; ++i) bytes += Lines({"n" + std::to_string(i) + ",s,1,2"});
    bytes += Lines({"[\x8f\x49\x97\xb9]", "after,a,1,1"});
    SoilNameList pass0 = ParseSoilNameList(bytes, 0);
    SoilNameList pass1 = ParseSoilNameList(bytes, 1);
    EXPECT_EQ(pass0.headerValue, 7);
    ASSERT_EQ(pass0.entries.size(), 256u);
    EXPECT_EQ(pass0.entries[0].code, 10);
    EXPECT_EQ(pass1.entries[0].code, 20);
    EXPECT_EQ(pass0.entries[1].code, -1);
    EXPECT_EQ(pass1.entries[1].codeText, "5100.5");
    EXPECT_EQ(pass1.entries[1].code, 5100);
    EXPECT_EQ(pass0.first[1], 1);
    EXPECT_EQ(pass0.last[1], 2);
    EXPECT_EQ(pass0.first[2], 0);  // a group without entries
    EXPECT_EQ(pass0.last[2], 0);
    EXPECT_EQ(pass0.first[3], 3);
    EXPECT_EQ(pass0.last[3], 256);
}

TEST_F(SettingsTest, LocationFileMovesTheInstallFolder) {
    // Any case of the components finds the same folders; the file has no
    // final line end and keeps its whole path.
    Put(root_ / "drives" / "C" / "tarvogx" / "RILWE2.WHR", "D:\\Survey\\Vosk");
    fs::path folder = root_ / "drives" / "D" / "survey" / "vosk";
    Put(folder / "Sys.ndx", Lines({"100", "", "", "", "", "", "", "", "", "", "9"}));
    MessageRecorder messages;
    LoadSettings(store_, *survey_, false);
    EXPECT_EQ(store_.installFolder, "D:\\Survey\\Vosk");
    EXPECT_TRUE(fs::equivalent(RealPath(store_.sysPath), folder / "Sys.ndx"));
    EXPECT_EQ(store_.sheet.topMarginMm, 9);
    EXPECT_EQ(ReadLocationFile("C:\\TARVOGX\\rilwe2.whr"), "D:\\Survey\\Vosk");
}

// An install folder named in Japanese (CP932 in the location file) is read,
// and named in messages as it is on disk.
TEST_F(SettingsTest, JapaneseInstallFolder) {
    const std::string location = Cp932Literal("C:\\地盤調査\\Vosk");
    Put(root_ / "drives" / "C" / "TarvoGX" / "Rilwe2.whr", location + "\r\n");
    const fs::path folder = root_ / "drives" / "C" / PathFromUtf8("地盤調査") / "Vosk";
    Put(folder / "Font1.ndx", Lines({"14.0", "X Face", "0", "0"}));
    MessageRecorder messages;
    LoadSettings(store_, *survey_, false);
    EXPECT_EQ(store_.installFolder, location);
    EXPECT_EQ(store_.fonts[1].size, 14.0);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{
                                  FormatMessageText(32795, PathToUtf8(folder / "Sys.ndx")),
                                  FormatMessageText(32795, PathToUtf8(folder / "WdtvJCA.mst")),
                              }));
    EXPECT_NE(messages.texts.front().find("地盤調査"), std::string::npos);
}

// Without VOSK_DRIVES a Windows path on Windows is the file it names, and
// the Windows directory is the system's; elsewhere the drives are folders in
// the user's data folder.
TEST_F(SettingsTest, WithoutVoskDrivesTheDrivesAreTheSystemsOwn) {
    test::UnsetEnv("VOSK_DRIVES");
    const std::string path = "C:\\Tarvogx\\地盤\\Sys.ndx";
#ifdef _WIN32
    EXPECT_EQ(MapWindowsPath(path), fs::path(L"C:\\Tarvogx\\地盤\\Sys.ndx"));
    EXPECT_TRUE(fs::is_directory(MapWindowsPath(Cp932ToUtf8(WindowsDirectory())))) << WindowsDirectory();
#else
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string saved = xdg ? xdg : "";
    test::SetEnv("XDG_DATA_HOME", root_ / "data");
    EXPECT_EQ(MapWindowsPath(path), root_ / "data" / "vosk" / "drives" / "C" / "Tarvogx" / "地盤" / "Sys.ndx");
    EXPECT_EQ(WindowsDirectory(), "C:\\WINDOWS");
    if (xdg)
        test::SetEnv("XDG_DATA_HOME", saved);
    else
        test::UnsetEnv("XDG_DATA_HOME");
#endif
}

TEST_F(SettingsTest, LocationWithoutADriveLetterIsNotUsed) {
    Put(root_ / "drives" / "C" / "TarvoGX" / "Rilwe2.whr", "1:\\odd\r\n");
    InstallFolder();
    MessageRecorder messages;
    LoadSettings(store_, *survey_, false);
    EXPECT_EQ(store_.installFolder, "C:\\Tarvogx\\Vosk2");
}

TEST_F(SettingsTest, FreshDrivesGetASeededInstallFolder) {
    Put(root_ / "bundled" / "Sys.ndx", Lines({"100", "", "", "", "", "", "", "", "", "", "11"}));
    Put(root_ / "bundled" / "Font1.ndx", Lines({"14.0", "X Face", "0", "0"}));
    Put(root_ / "bundled" / "WdtvJCA.mst", Lines({"[\x91\xe6" "1]", "clay,C,1,1"}));
    MessageRecorder messages;
    LoadSettings(store_, *survey_, false);
    fs::path folder = root_ / "drives" / "C" / "Tarvogx" / "Vosk2";
    EXPECT_TRUE(fs::exists(folder / "Font1.ndx"));
    EXPECT_EQ(store_.sheet.topMarginMm, 11);
    EXPECT_EQ(store_.fonts[1].size, 14.0);
    EXPECT_EQ(store_.soilNames[1].entries.size(), 1u);
    EXPECT_TRUE(messages.texts.empty());

    // An existing folder is never filled again, and reloadAll reads anew.
    fs::remove(folder / "Font1.ndx");
    Put(folder / "Sys.ndx", Lines({"100", "", "", "", "", "", "", "", "", "", "12"}));
    LoadSettings(store_, *survey_, true);
    EXPECT_FALSE(fs::exists(folder / "Font1.ndx"));
    EXPECT_EQ(store_.sheet.topMarginMm, 12);
    EXPECT_EQ(messages.texts, std::vector<std::string>{FormatMessageText(32795, (folder / "Font1.ndx").string())});
}

TEST_F(SettingsTest, UnreadablePathsReadAsMissingFiles) {
    test::Watchdog(60);  // a reader that blocks on a FIFO fails here instead of hanging
    fs::path folder = InstallFolder();
    const fs::path location = root_ / "drives" / "C" / "Tarvogx" / "Rilwe2.whr";
    for (const test::PathKindCase& c : test::UnreadablePathKinds()) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::remove(location);
        for (const char* name : {"Sys.ndx", "Font1.ndx", "WdtvJCA.mst", "M.mst", "K.mst", "FileV.ndx"})
            ASSERT_TRUE(test::MakePathKind(c.kind, folder / name)) << c.name << " " << name;
        ASSERT_TRUE(test::MakePathKind(c.kind, location)) << c.name;

        SettingsStore store;
        MessageRecorder messages;
        LoadSettings(store, *survey_, true);
        EXPECT_EQ(store.installFolder, "C:\\Tarvogx\\Vosk2") << c.name;
        EXPECT_EQ(store.sheet.topMarginMm, 5) << c.name;
        EXPECT_EQ(store.fonts[1].face, kDefaultFontFace) << c.name;
        EXPECT_TRUE(store.soilNames[0].entries.empty()) << c.name;
        EXPECT_EQ(messages.texts, (std::vector<std::string>{
                                      FormatMessageText(32795, (folder / "Sys.ndx").string()),
                                      FormatMessageText(32795, (folder / "WdtvJCA.mst").string()),
                                      FormatMessageText(32795, (folder / "Font1.ndx").string()),
                                  }))
            << c.name;
        for (const std::string& list : {store.engineersPath, store.remarksPath}) {
            bool found = true;
            EXPECT_TRUE(ReadMasterList(list, 78, 80, &found).empty()) << c.name;
            EXPECT_FALSE(found) << c.name << " " << list;
        }
        EXPECT_EQ(ReadLastFolderFile(store).folder, "") << c.name;
        EXPECT_EQ(ReadLocationFile("C:\\TarvoGX\\Rilwe2.whr"), "") << c.name;
    }
    test::Watchdog(0);
}

TEST_F(SettingsTest, LastFolderFileKeepsItsSecondLine) {
    fs::path folder = InstallFolder();
    store_.installFolder = "C:\\Tarvogx\\Vosk2";
    Put(folder / "FileV.ndx", "/home/user/" + std::string(150, 'd') + "\r\nsecond");
    LastFolderFile f = ReadLastFolderFile(store_);
    EXPECT_EQ(f.folder, "/home/user/" + std::string(150, 'd'));
    EXPECT_EQ(f.secondLine, "second");
    f.folder = "/data";
    ASSERT_TRUE(WriteLastFolderFile(store_, f));
    EXPECT_EQ(ReadFileBytes(folder / "FileV.ndx"), "/data\r\nsecond\r\n");
}

class FakePrinter : public PrinterService {
public:
    std::optional<PrinterPage> page;
    std::optional<PrinterPage> DefaultPrinterPage() override { return page; }
};

TEST_F(SettingsTest, PaperSizeFromTheDefaultPrinter) {
    FakePrinter printer;
    PrinterService* previous = SetPrinterService(&printer);
    MessageRecorder messages;
    store_.paperWidthMm = store_.paperHeightMm = 1;
    DetectPaperSize(store_);  // no printer: the A4 of every export
    EXPECT_EQ(store_.paperWidthMm, 210);
    EXPECT_EQ(store_.paperHeightMm, 297);
    printer.page = PrinterPage{7016, 9922, 600, 600};  // A3 at 600 dpi
    DetectPaperSize(store_);
    EXPECT_EQ(store_.paperWidthMm, 297);
    EXPECT_EQ(store_.paperHeightMm, 420);
    printer.page = PrinterPage{4961, 7016, 0, 600};
    DetectPaperSize(store_);
    EXPECT_EQ(store_.paperWidthMm, 280);
    EXPECT_EQ(store_.paperHeightMm, 280);
    EXPECT_EQ(messages.texts, std::vector<std::string>{std::string(MessageText(4090))});
    SetPrinterService(previous);
}

}  // namespace
}  // namespace vosk
