#pragma once
// The menu bar of the main window: every command with its caption, shortcut
// and status-bar prompt ("prompt\ntool tip" where the command has a tool tip).

#include <string_view>

namespace vosk {

namespace command {
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kImportCsv = 32811;
inline constexpr int kExportCsv = 32812;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kRecentFile = 57616;
inline constexpr int kExit = 57665;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kHeading = 32772;
inline constexpr int kBlowData = 32771;
inline constexpr int kSoilName = 32785;
inline constexpr int kJacicSoilName = 32787;
inline constexpr int kPageFooter = 32773;
inline constexpr int kCheckData = 32800;
inline constexpr int kToolBar = 59392;
inline constexpr int kStatusBar = 59393;
inline constexpr int kLayout = 32774;
inline constexpr int kLineStyle = 32775;
inline constexpr int kDigits = 32789;
inline constexpr int kEngineers = 32776;
inline constexpr int kRemarks = 32788;
inline constexpr int kFonts = 32778;
inline constexpr int kEnterKey = 32786;
inline constexpr int kSetup = 32777;
inline constexpr int kAbout = 57664;
inline constexpr int kGuide = 57670;
inline constexpr int kPreviousPage = 32790;
inline constexpr int kNextPage = 32791;
inline constexpr int kSiteSection = 32810;
}  // namespace command

struct MenuItem {
    int id;                  // 0 for a separator
    std::string_view caption;
    std::string_view shortcut;  // shown after a tab
    std::string_view prompt;
};

struct Menu {
    std::string_view title;
    const MenuItem* items;
    int count;
};

// The menus by their place in the menu bar.
namespace menu {
inline constexpr int kFile = 0;
inline constexpr int kEdit = 1;
inline constexpr int kData = 2;
inline constexpr int kView = 3;
inline constexpr int kSettings = 4;
inline constexpr int kHelp = 5;
}  // namespace menu

// The menus in menu-bar order.
const Menu* MenuBar(int* count);

// The status-bar prompt of a command ("prompt\ntool tip"), empty when none.
std::string_view CommandPrompt(int id);

// The undo and redo captions: alone when there is no step, else followed by
// ": " and the step's name ("元に戻す: 測定データ").
inline constexpr std::string_view kUndoCaption = "元に戻す";
inline constexpr std::string_view kRedoCaption = "やり直し";

inline constexpr std::string_view kIdlePrompt = "PageUp(RollUp), PageDown(RollDown) または↑↓ｷｰで改ページ";
inline constexpr std::string_view kMainCaption = "簡易動的コーン貫入試験 Vosk";

}  // namespace vosk
