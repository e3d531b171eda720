#include "app/command_table.h"

namespace vosk {
namespace {

using namespace command;

constexpr MenuItem kFileMenu[] = {
    {kNew, "新規作成(&N)", "Ctrl+N", "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
    {kOpen, "開く(&O)...", "Ctrl+O", "既存のﾌｧｲﾙを開く\n開く"},
    {kSave, "上書き保存(&S)", "Ctrl+S", "作業中のﾌｧｲﾙを上書きして保存\n保存"},
    {kSaveAs, "名前を付けて保存(&A)...", "", "作業中のﾌｧｲﾙを新しい名前で保存\n名前をつけて保存"},
    {0, "", "", ""},
    {kImportCsv, "CSV の取り込み(&I)...", "", "表計算ソフトの CSV ファイルの打撃回数を新しいデータにする\nCSV の取り込み"},
    {kExportCsv, "CSV の書き出し(&E)...", "", "測定データを表計算ソフト用の CSV ファイルに書き出す\nCSV の書き出し"},
    {0, "", "", ""},
    {kPrint, "印刷(&P)...", "Ctrl+P", "作業中のﾌｧｲﾙを印刷\n印刷"},
    {kPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "", "印刷ｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
    {kPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", "", "ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更\n印刷設定"},
    {0, "", "", ""},
    {kSiteSection, "断面図(&D)...", "", "複数の試験地点を標高で並べた断面図\n断面図"},
    {0, "", "", ""},
    {kRecentFile, "最近使ったﾌｧｲﾙ", "", "指定のﾌｧｲﾙを開く"},
    {0, "", "", ""},
    {kExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
};

constexpr MenuItem kEditMenu[] = {
    {kUndo, kUndoCaption, "Ctrl+Z", "直前の変更を取り消す\n元に戻す"},
    {kRedo, kRedoCaption, "Ctrl+Y", "取り消した変更をやり直す\nやり直し"},
};

constexpr MenuItem kDataMenu[] = {
    {kHeading, "見出し(&M)", "", "タイトル、調査名など"},
    {kBlowData, "測定データ(&A)", "", "打撃回数、土質名データ"},
    {kSoilName, "土質名(&D)", "", "土質地質名 - - - 様式2で有効"},
    {kJacicSoilName, "JACIC土質名(&T) ", "", "JACIC版互換 土質名 - - - 様式2で有効"},
    {0, "", "", ""},
    {kPageFooter, "ページ(&P)", "", "ページ、フッタ"},
    {0, "", "", ""},
    {kCheckData, "データのチェック(&C)", "", "測定データを試験の規則で確かめ、換算N値を表示"},
};

constexpr MenuItem kViewMenu[] = {
    {kToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", "", "ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {kStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
};

constexpr MenuItem kSettingsMenu[] = {
    {kLayout, "表とグラフの配置  マージン(Y)", "", "データ表、グラフのサイズ・位置  マージン"},
    {kLineStyle, "線種(L)", "", "罫線、グラフグリッド線の太さと会社名の設定"},
    {kDigits, "表示桁数(&D)", "", "データ表の表示桁数"},
    {0, "", "", ""},
    {kEngineers, "技術者名(&M)", "", "試験者名の登録編集"},
    {kRemarks, "記事短文(&K)", "", "記事用短文の登録、編集"},
    {0, "", "", ""},
    {kFonts, "フォント(&F)", "", "活字の書体、サイズ"},
    {kEnterKey, "キーの動作(&E)", "", "Enterキーに対する動作応答"},
    {kSetup, "セットアップ(&S)", "", "このプログラムのインストール先の表示、確認"},
};

constexpr MenuItem kHelpMenu[] = {
    {kAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)", "", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
    {kGuide, "操作＆ヘルプ(&H)", "", "操作方法"},
};

// Toolbar-only commands.
constexpr MenuItem kPageCommands[] = {
    {kPreviousPage, "", "", "前のページ\n前頁"},
    {kNextPage, "", "", "次のページ\n次頁"},
};

template <size_t N>
constexpr Menu MakeMenu(std::string_view title, const MenuItem (&items)[N]) {
    return Menu{title, items, static_cast<int>(N)};
}

constexpr Menu kMenus[] = {
    MakeMenu("ﾌｧｲﾙ(&F)", kFileMenu),   MakeMenu("編集(&E)", kEditMenu), MakeMenu("データ(&A)", kDataMenu),
    MakeMenu("表示(&V)", kViewMenu),   MakeMenu("設定(&S)", kSettingsMenu), MakeMenu("ﾍﾙﾌﾟ(&H)", kHelpMenu),
};
static_assert(kMenus[menu::kFile].items == kFileMenu && kMenus[menu::kEdit].items == kEditMenu &&
              kMenus[menu::kData].items == kDataMenu &&
              kMenus[menu::kView].items == kViewMenu && kMenus[menu::kSettings].items == kSettingsMenu &&
              kMenus[menu::kHelp].items == kHelpMenu);

}  // namespace

const Menu* MenuBar(int* count) {
    *count = static_cast<int>(std::size(kMenus));
    return kMenus;
}

std::string_view CommandPrompt(int id) {
    for (const Menu& m : kMenus)
        for (int i = 0; i < m.count; ++i)
            if (m.items[i].id == id) return m.items[i].prompt;
    for (const MenuItem& item : kPageCommands)
        if (item.id == id) return item.prompt;
    return {};
}

}  // namespace vosk
