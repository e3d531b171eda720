#include "ui/settings/font_set_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/font_rules.h"
#include "ui/settings/settings_services.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

struct SlotControls {
    const char* button;
    int buttonId, faceId, sizeId, colourId;
    const char* use;
};

using namespace font_control;

constexpr SlotControls kSlots[kSheetFontCount + 1] = {
    {},
    {"　タイトル", kTitleButton, kTitleFace, kTitleSize, kTitleColour, "タイトル、調査件名･地点番号などのデータ"},
    {"　見出し項目", kHeadingButton, kHeadingFace, kHeadingSize, kHeadingColour,
     "調査件名･地点番号などの項目文字、業者名"},
    {"　表の項目", kTableItemButton, kTableItemFace, kTableItemSize, kTableItemColour,
     "表内上方の項目名、下方の特記事項"},
    {"　データ", kDataButton, kDataFace, kDataSize, kDataColour, "表内のデータ数値"},
    {"　グラフ", kGraphButton, kGraphFace, kGraphSize, kGraphColour, "グラフ部分の目盛り、土質名"},
    {"　ページ", kPageButton, kPageFace, kPageSize, kPageColour, "フッタ ページ部分"},
};

QLineEdit* ReadOnlyEdit(int id, int width) {
    QLineEdit* edit = MakeSettingEdit(id, width);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

}  // namespace

CFontSetDlg::CFontSetDlg(SettingsStore& store, int dpi, SettingsServices& services, QWidget* parent)
    : QDialog(parent), store_(store), dpi_(dpi > 0 ? dpi : 96), services_(services), working_(store.fonts) {
    setWindowTitle(QStringLiteral("フォント"));
    auto* grid = new QGridLayout;
    for (int slot = 1; slot <= kSheetFontCount; ++slot) {
        const SlotControls& c = kSlots[slot];
        auto* button = new QPushButton(QString::fromUtf8(c.button));
        button->setObjectName(ControlName(c.buttonId));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, slot] { Pick(slot); });
        faces_[slot] = ReadOnlyEdit(c.faceId, 160);
        sizes_[slot] = ReadOnlyEdit(c.sizeId, 110);
        colours_[slot] = ReadOnlyEdit(c.colourId, 28);
        grid->addWidget(button, slot, 0);
        grid->addWidget(faces_[slot], slot, 1);
        grid->addWidget(sizes_[slot], slot, 2);
        grid->addWidget(colours_[slot], slot, 3);
        grid->addWidget(new QLabel(QString::fromUtf8(c.use)), slot, 4);
    }

    auto* standard = new QPushButton(QStringLiteral("標準の設定例"));
    standard->setObjectName(ControlName(font_control::kStandardExample));
    standard->setAutoDefault(false);
    connect(standard, &QPushButton::clicked, this, &CFontSetDlg::OnStandard);
    auto* bottom = MakeButtonRow(this, {standard});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    Refresh();
}

void CFontSetDlg::Refresh() {
    for (int slot = 1; slot <= kSheetFontCount; ++slot) {
        const SheetFont& font = working_[slot];
        faces_[slot]->setText(FieldToQString(font.face));
        sizes_[slot]->setText(QString::fromStdString(FontSizeDisplay(font.size)));
        colours_[slot]->setText(QStringLiteral("■"));
        QPalette palette = colours_[slot]->palette();
        palette.setColor(QPalette::Text, ToQColor(static_cast<Colour>(font.colour)));
        colours_[slot]->setPalette(palette);
    }
}

void CFontSetDlg::Pick(int slot) {
    SheetFont& font = working_[slot];
    FontChoice start;
    start.face = FieldToQString(font.face);
    start.heightPx = FontHeightForSize(font.size, dpi_);
    start.colour = static_cast<Colour>(font.colour);
    start.underline = font.underline != 0;
    if (auto chosen = services_.ChooseFont(start, dpi_, this)) {
        font.size = FontSizeForChoice(font.size, chosen->heightPx, dpi_);
        // A family name the settings files cannot hold keeps the old face.
        if (auto face = Utf8ToCp932(chosen->face.toStdString()); face && !face->empty()) font.face = *face;
        font.colour = static_cast<long>(chosen->colour);
        font.underline = chosen->underline ? 1 : 0;
        ++modified_;
    }
    Refresh();
}

void CFontSetDlg::OnStandard() {
    for (int slot = 1; slot <= kSheetFontCount; ++slot) working_[slot] = StandardFont(slot);
    Refresh();
}

void CFontSetDlg::accept() {
    store_.fonts = working_;
    std::vector<std::string> failed = SaveFontFiles(store_);
    if (!failed.empty()) ShowMessage(SaveFailedText(failed));
    modified_ = 0;
    QDialog::accept();
}

void CFontSetDlg::reject() {
    if (modified_ > 0 && ShowMessage(message::kDiscardChanges, {}, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    QDialog::reject();
}

}  // namespace vosk
