#include "ui/settings/layout_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/message_service.h"
#include "settings/settings_store.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/enter_key_filter.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

QLabel* Label(const char* text) { return new QLabel(QString::fromUtf8(text)); }

void Warn(int id) {
    if (id != 0) ShowMessage(id);
}

}  // namespace

using namespace layout_control;

CLayoutDlg::CLayoutDlg(const LayoutForm& form, const SettingsStore& settings, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("表とグラフ  印刷時の配置・サイズ"));
    for (const LayoutTextControl& c : LayoutTextControls()) edits_.insert(c.control, MakeSettingEdit(c.control));
    hideMetre_ = new QCheckBox(QStringLiteral("'m'を非表示"));
    hideMetre_->setObjectName(ControlName(kHideMetreSign));

    // Style 1: the point number block of the heading.
    auto* style1 = new QGroupBox(QStringLiteral("様式1"));
    auto* g1 = new QGridLayout(style1);
    g1->addWidget(Label("項目名幅"), 0, 0);
    g1->addWidget(Label("地点番号(地盤高) "), 0, 1);
    g1->addWidget(Edit(kPointNoLabelWidth), 0, 2);
    g1->addWidget(Label("データ表示開始位置"), 1, 0);
    g1->addWidget(Label("地点番号"), 1, 1);
    g1->addWidget(Edit(kPointNoStart), 1, 2);
    g1->addWidget(Label("地盤高"), 2, 1);
    g1->addWidget(Edit(kElevationStart), 2, 2);
    g1->addWidget(hideMetre_, 2, 3);
    g1->addWidget(Label("・位置は表左端からの距離"), 3, 0, 1, 4);

    auto* place = new QGroupBox(QStringLiteral("表示位置"));
    auto* g2 = new QGridLayout(place);
    g2->addWidget(Label("標 題"), 0, 0);
    g2->addWidget(Edit(kTitlePosition), 0, 1);
    g2->addWidget(Label("最下線"), 1, 0);
    g2->addWidget(Edit(kBottomLine), 1, 1);
    g2->addWidget(Label("・トップマージンからの距離"), 2, 0, 1, 2);
    g2->addWidget(Label("・フッタ (ページ、業者名) は"), 3, 0, 1, 2);
    g2->addWidget(Label("最下線の下に配置されます."), 4, 0, 1, 2);

    auto* margins = new QGroupBox(QStringLiteral("マージン"));
    auto* g3 = new QGridLayout(margins);
    g3->addWidget(Label("トップ"), 0, 0);
    g3->addWidget(Edit(kTopMargin), 0, 1);
    g3->addWidget(Label("レフト"), 1, 0);
    g3->addWidget(Edit(kLeftMargin), 1, 1);

    // Style 2: the soil name column, depth scale and graph block.
    auto* style2 = new QGroupBox(QStringLiteral("様式2"));
    auto* g4 = new QGridLayout(style2);
    g4->addWidget(Label("土質名とグラフ"), 0, 0, 1, 2);
    g4->addWidget(Label("表1段"), 1, 0);
    g4->addWidget(Edit(kStyle2BlockTop), 1, 1);
    g4->addWidget(Label("↕"), 1, 2);
    g4->addWidget(Label("表2段組の時"), 2, 0);
    g4->addWidget(Edit(kStyle2BlockTopTwoColumn), 2, 1);
    g4->addWidget(Label("↕"), 2, 2);
    g4->addWidget(Label("↔"), 3, 0);
    g4->addWidget(Edit(kStyle2BlockLeft), 3, 1);
    g4->addWidget(Label("土質名"), 4, 0);
    g4->addWidget(Edit(kStyle2SoilColumnWidth), 4, 1);
    g4->addWidget(Label("目盛"), 5, 0);
    g4->addWidget(Edit(kStyle2ScaleColumnWidth), 5, 1);
    g4->addWidget(Label("図"), 6, 0);
    g4->addWidget(Edit(kStyle2GraphWidth), 6, 1);
    g4->addWidget(Label("サイズ"), 7, 0);
    g4->addWidget(Edit(kStyle2BlockHeight), 7, 1);
    g4->addWidget(Label("・位置はレフト、トップ各マージンからの距離"), 8, 0, 1, 3);
    g4->addWidget(Label("・表の段組数は 「見出し」画面で設定します."), 9, 0, 1, 3);

    auto* left = new QVBoxLayout;
    left->addWidget(style1);
    left->addWidget(place);
    left->addWidget(margins);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(style2);

    auto* standard = new QPushButton(QStringLiteral("標準の設定例"));
    standard->setObjectName(ControlName(kStandardExample));
    standard->setAutoDefault(false);
    connect(standard, &QPushButton::clicked, this, &CLayoutDlg::OnStandardExample);
    auto* bottom = MakeButtonRow(this, {Label("単位：mm"), standard});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);

    SetTabOrder(this, {kPointNoLabelWidth, kPointNoStart, kElevationStart, kHideMetreSign, kTitlePosition, kBottomLine,
                       kTopMargin, kLeftMargin, kStyle2BlockTop, kStyle2BlockTopTwoColumn, kStyle2BlockLeft,
                       kStyle2SoilColumnWidth, kStyle2ScaleColumnWidth, kStyle2GraphWidth, kStyle2BlockHeight,
                       kStandardExample});
    for (int id : {kPointNoStart, kElevationStart, kPointNoLabelWidth})
        OnLeavingControl(Edit(id), [this, id] { OnLeaveStartPosition(id); });
    OnLeavingControl(Edit(kBottomLine), [this] { OnLeaveBottomLine(); });
    EnterKeyFilter::Install(this, settings.sheet.enterKeyMode);

    LayoutForm shown = form_;
    if (LayoutNeedsStandardExample(shown)) ApplyStandardLayout(shown);
    Show(shown);
}

void CLayoutDlg::Show(const LayoutForm& form) {
    for (const LayoutTextControl& c : LayoutTextControls()) Edit(c.control)->setText(FieldToQString(form.*c.text));
    hideMetre_->setChecked(form.hideMetreSign);
}

std::string CLayoutDlg::Text(int id) const { return Edit(id)->text().toStdString(); }

void CLayoutDlg::OnStandardExample() {
    LayoutForm standard = form_;
    ApplyStandardLayout(standard);
    Show(standard);
}

void CLayoutDlg::OnLeaveStartPosition(int id) { Warn(StartPositionWarning(id, Text(id))); }

void CLayoutDlg::OnLeaveBottomLine() { Warn(BottomLineWarning(Text(kBottomLine), Text(kTopMargin))); }

void CLayoutDlg::accept() {
    // Warnings only: the values are taken all the same.
    Warn(BottomLineWarning(Text(kBottomLine), Text(kTopMargin)));
    Warn(TwoColumnTopWarning(Text(kStyle2BlockTopTwoColumn)));
    LayoutForm taken = form_;
    for (const LayoutTextControl& c : LayoutTextControls())
        if (!TakeFieldText(Edit(c.control)->text(), FieldKind::Heading, Edit(c.control), taken.*c.text)) return;
    taken.hideMetreSign = hideMetre_->isChecked();
    SheetSettings check;
    if (int bad = StoreLayoutForm(taken, check)) {
        RefuseInteger(Edit(bad));
        return;
    }
    form_ = taken;
    QDialog::accept();
}

}  // namespace vosk
