#include "ui/settings/digits_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/settings_store.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/enter_key_filter.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

QLabel* Label(const char* text) { return new QLabel(QString::fromUtf8(text)); }

// A drop-down combo box that takes typed text as it stands.
QComboBox* MakeCombo(int id, const std::vector<FieldText>& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(ControlName(id));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const FieldText& item : items) combo->addItem(FieldToQString(item));
    combo->setMinimumWidth(100);
    GuardFieldText(combo, FieldKind::Heading);
    return combo;
}

}  // namespace

using namespace digits_control;

CDigitsDlg::CDigitsDlg(const DigitsForm& form, const SettingsStore& settings, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("表示桁数 項目名"));
    n_ = MakeCombo(kN, DigitsChoices());
    depth_ = MakeCombo(kDepth, DigitsChoices());
    increment_ = MakeCombo(kIncrement, DigitsChoices());
    nd_ = MakeCombo(kNd, DigitsChoices());
    ndItem_ = MakeCombo(kNdItemName, NdItemNameChoices());
    style2N_ = MakeSettingEdit(kStyle2N, 80);
    style2Nd_ = MakeSettingEdit(kStyle2Nd, 80);
    for (QLineEdit* copy : {style2N_, style2Nd_}) {
        copy->setReadOnly(true);
        copy->setFocusPolicy(Qt::NoFocus);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(Label("データ表 小数以下表示桁数"), 0, 0, 1, 3);
    grid->addWidget(Label("様式2"), 0, 4, 1, 3);
    grid->addWidget(Label("打撃回数 N"), 1, 0);
    grid->addWidget(n_, 1, 2);
    grid->addWidget(Label("打撃回数 N"), 1, 4);
    grid->addWidget(style2N_, 1, 6);
    grid->addWidget(Label("貫入長さ"), 2, 0);
    grid->addWidget(Label("mm"), 2, 1);
    grid->addWidget(depth_, 2, 2);
    grid->addWidget(Label("貫入深さ"), 2, 4);
    grid->addWidget(Label("cm"), 2, 5);
    grid->addWidget(Label("自動 "), 2, 6);
    grid->addWidget(Label("⊿h"), 3, 0);
    auto* incrementCaption = new QHBoxLayout;
    incrementCaption->addWidget(Label("貫入量"));
    incrementCaption->addWidget(Label("mm"));
    grid->addLayout(incrementCaption, 3, 1);
    grid->addWidget(increment_, 3, 2);
    grid->addWidget(Label("⊿h"), 3, 4);
    auto* style2IncrementCaption = new QHBoxLayout;
    style2IncrementCaption->addWidget(Label("貫入量"));
    style2IncrementCaption->addWidget(Label("cm"));
    grid->addLayout(style2IncrementCaption, 3, 5);
    grid->addWidget(Label("自動 "), 3, 6);
    grid->addWidget(Label("Nd"), 4, 0);
    grid->addWidget(Label("回"), 4, 1);
    grid->addWidget(nd_, 4, 2);
    grid->addWidget(Label("Nd"), 4, 4);
    grid->addWidget(Label("回"), 4, 5);
    grid->addWidget(style2Nd_, 4, 6);
    grid->setColumnMinimumWidth(3, 24);
    grid->addWidget(Label("表の表示"), 5, 0);
    grid->addWidget(Label("項 目 名   Nd"), 5, 1);
    grid->addWidget(ndItem_, 5, 2);

    auto* standard = new QPushButton(QStringLiteral("標準の設定例"));
    standard->setObjectName(ControlName(kStandardExample));
    standard->setAutoDefault(false);
    connect(standard, &QPushButton::clicked, this, [this] {
        DigitsForm example = form_;
        ApplyStandardDigits(example);
        Show(example);
    });
    auto* bottom = MakeButtonRow(this, {standard});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);

    // Style 2 shows the same decimals of N and Nd.
    connect(n_, &QComboBox::currentTextChanged, style2N_, &QLineEdit::setText);
    connect(nd_, &QComboBox::currentTextChanged, style2Nd_, &QLineEdit::setText);
    SetTabOrder(this, {kN, kDepth, kIncrement, kNd, kNdItemName, kStandardExample});
    EnterKeyFilter::Install(this, settings.sheet.enterKeyMode);

    DigitsForm shown = form_;
    if (DigitsNeedStandardExample(shown)) ApplyStandardDigits(shown);
    Show(shown);
}

void CDigitsDlg::Show(const DigitsForm& form) {
    n_->setEditText(FieldToQString(form.digitsN));
    depth_->setEditText(FieldToQString(form.digitsDepth));
    increment_->setEditText(FieldToQString(form.digitsIncrement));
    nd_->setEditText(FieldToQString(form.digitsNd));
    ndItem_->setEditText(FieldToQString(form.ndItemName));
    style2N_->setText(n_->currentText());
    style2Nd_->setText(nd_->currentText());
}

void CDigitsDlg::accept() {
    DigitsForm taken = form_;
    const std::pair<QComboBox*, FieldText DigitsForm::*> fields[] = {
        {n_, &DigitsForm::digitsN},          {depth_, &DigitsForm::digitsDepth}, {increment_, &DigitsForm::digitsIncrement},
        {nd_, &DigitsForm::digitsNd},        {ndItem_, &DigitsForm::ndItemName},
    };
    for (const auto& [combo, member] : fields)
        if (!TakeFieldText(combo->currentText(), FieldKind::Heading, combo, taken.*member)) return;
    form_ = taken;
    QDialog::accept();
}

}  // namespace vosk
