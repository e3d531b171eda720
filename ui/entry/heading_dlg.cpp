#include "ui/entry/heading_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/message_service.h"
#include "settings/master_list.h"
#include "settings/settings_store.h"
#include "survey/numbers.h"
#include "ui/widgets/dialog_support.h"
#include "ui/widgets/enter_key_filter.h"
#include "ui/widgets/field_guard.h"

namespace vosk {
namespace {

// M.mst is read here in pieces of 123 bytes with the line end.
constexpr size_t kTesterPieceBytes = 122;

QLabel* Note(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace

CHeadingDlg::CHeadingDlg(const HeadingForm& form, const SettingsStore& settings, QWidget* parent)
    : QDialog(parent), form_(form) {
    setWindowTitle(QStringLiteral("見出し"));
    auto* grid = new QGridLayout;
    int row = 0;
    auto addText = [&](const char* caption, int field, const char* unit = nullptr) {
        auto* edit = new QLineEdit(FieldToQString(form_.text[field]), this);
        edit->setObjectName(HeadingFieldName(field));
        GuardFieldText(edit, FieldKind::Heading);
        texts_.push_back({field, edit});
        grid->addWidget(Note(caption, this), row, 0);
        grid->addWidget(edit, row, 1, 1, unit ? 1 : 3);
        if (unit) grid->addWidget(Note(unit, this), row, 2);
        ++row;
        return edit;
    };
    addText("調査件名1", heading::kSurveyName1);
    addText("調査件名2", heading::kSurveyName2);
    addText("地点番号", heading::kPointNumber);
    addText("AP.TP種別　", heading::kDatumKind);
    addText("孔口標高", heading::kElevation, "m");

    // The test date: year, month and day in one row.
    grid->addWidget(Note("試験年月日", this), row, 0);
    auto* date = new QHBoxLayout;
    for (auto [field, unit] : {std::pair{heading::kYear, "年"}, std::pair{heading::kMonth, "月"}, std::pair{heading::kDay, "日"}}) {
        auto* edit = new QLineEdit(FieldToQString(form_.text[field]), this);
        edit->setMaximumWidth(60);
        edit->setObjectName(HeadingFieldName(field));
        GuardFieldText(edit, FieldKind::Heading);
        texts_.push_back({field, edit});
        date->addWidget(edit);
        date->addWidget(Note(unit, this));
    }
    date->addStretch();
    grid->addLayout(date, row++, 1, 1, 3);

    tester_ = new QComboBox(this);
    tester_->setEditable(true);
    tester_->setObjectName(HeadingFieldName(heading::kTester));
    grid->addWidget(Note("試験者　", this), row, 0);
    grid->addWidget(tester_, row++, 1, 1, 3);
    addText("試験深さ", heading::kTestDepth, "m");
    addText("ロッド長さ", heading::kRodLength, "m");
    weather_ = new QComboBox(this);
    weather_->setEditable(true);
    weather_->setObjectName(HeadingFieldName(heading::kWeather));
    for (const char* w : {"快晴", "晴", "くもり", "雨", "晴時々くもり", "くもり時々雨", "晴一時くもり", "くもり一時雨", ""})
        weather_->addItem(QString::fromUtf8(w));
    weather_->setEditText(FieldToQString(form_.text[heading::kWeather]));
    GuardFieldText(weather_, FieldKind::Heading);
    grid->addWidget(Note("天候　", this), row, 0);
    grid->addWidget(weather_, row++, 1, 1, 3);
    grid->addWidget(Note("特記事項", this), row++, 0);
    addText("1行目　", heading::kRemark1);
    addText("2行目　", heading::kRemark2);
    addText("3行目　", heading::kRemark3);
    addText("調査業者名", heading::kCompanyName);
    addText("メモ　", heading::kMemo);

    // The tester list: the engineer master list, then one full-width blank.
    for (const FieldText& name : ReadMasterList(settings.engineersPath, kTesterPieceBytes, SIZE_MAX))
        tester_->addItem(FieldToQString(name));
    tester_->addItem(QStringLiteral("　"));
    tester_->setEditText(FieldToQString(form_.text[heading::kTester]));
    GuardFieldText(tester_, FieldKind::Heading);

    // Display settings.
    auto* display = new QVBoxLayout;
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    display->addWidget(Note("表示設定", this));
    display->addWidget(rule);
    jgsFrame_ = new QCheckBox(QStringLiteral("タイトルにJGS枠線を付ける　"), this);
    parentheses_ = new QCheckBox(QStringLiteral("孔口標高データを （ ）で囲む"), this);
    display->addWidget(jgsFrame_);
    display->addWidget(parentheses_);

    auto* companyBox = new QGroupBox(QStringLiteral("調査業者名のフッタ表示位置"), this);
    auto* companyLayout = new QHBoxLayout(companyBox);
    company_ = new QButtonGroup(this);
    for (const char* caption : {"左端", "右端"}) {
        auto* radio = new QRadioButton(QString::fromUtf8(caption), companyBox);
        company_->addButton(radio, company_->buttons().size());
        companyLayout->addWidget(radio);
    }
    display->addWidget(companyBox);

    auto* styleBox = new QGroupBox(QStringLiteral("様式"), this);
    auto* styleLayout = new QGridLayout(styleBox);
    style_ = new QButtonGroup(this);
    const std::pair<const char*, const char*> styles[] = {{"様式1 = 標準 Ver.2", "2013"}, {"様式2 =  旧Ver.1 ", "2004"}};
    for (const auto& [caption, year] : styles) {
        int id = style_->buttons().size();
        auto* radio = new QRadioButton(QString::fromUtf8(caption), styleBox);
        radio->setObjectName(QStringLiteral("style%1").arg(id));
        style_->addButton(radio, id);
        styleLayout->addWidget(radio, id, 0);
        QLabel* yearLabel = Note(year, styleBox);
        yearLabel->setEnabled(false);
        styleLayout->addWidget(yearLabel, id, 1);
    }
    display->addWidget(styleBox);

    auto* scales = new QGridLayout;
    scales->addWidget(Note("グラフ", this), 0, 0);
    scales->addWidget(Note("深度縮尺", this), 0, 1);
    depthScale_ = new QLineEdit(FieldToQString(form_.depthScale), this);
    depthScale_->setObjectName(HeadingFieldName(heading::kDepthScale));
    scales->addWidget(depthScale_, 0, 2);
    scales->addWidget(Note("1/n", this), 0, 3);
    scales->addWidget(Note("Nd目盛り", this), 1, 1);
    ndScale_ = new QLineEdit(FieldToQString(form_.ndScale), this);
    ndScale_->setObjectName(HeadingFieldName(heading::kNdScale));
    GuardFieldText(ndScale_, FieldKind::Heading);
    scales->addWidget(ndScale_, 1, 2);
    scales->addWidget(Note(" n/10mm", this), 1, 3);
    scales->addWidget(Note("データ表", this), 2, 0);
    scales->addWidget(Note("1頁行数", this), 2, 1);
    rows_ = new QComboBox(this);
    rows_->setObjectName(HeadingFieldName(heading::kRowsPerPage));
    for (const char* r : {"41 (標準) 書式7631", "40 (5mm/1行)", "50 　", ""}) rows_->addItem(QString::fromUtf8(r));
    scales->addWidget(rows_, 2, 2, 1, 2);
    display->addLayout(scales);

    twoColumns_ = new QCheckBox(QStringLiteral("データ表を2つ(2段組み)にする"), this);
    verticalNames_ = new QCheckBox(QStringLiteral("土質名を縦書き優先にする"), this);
    jacic_ = new QCheckBox(QStringLiteral("JACIC要領形式の土質名入力画面"), this);
    jacic_->setObjectName(HeadingFieldName(heading::kJacicSoilNames));
    display->addWidget(twoColumns_);
    display->addWidget(verticalNames_);
    display->addWidget(jacic_);
    auto* standard = new QPushButton(QStringLiteral("標準の設定例"), this);
    standard->setAutoDefault(false);
    standard->setObjectName(QStringLiteral("standard"));
    connect(standard, &QPushButton::clicked, this, &CHeadingDlg::OnStandardExample);
    display->addWidget(standard);
    display->addWidget(Note("・ 調査件名2", this));
    display->addWidget(Note("調査件名が長い", this));
    display->addWidget(Note("時、改行して表示", this));
    display->addWidget(Note("・ メモ", this));
    display->addWidget(Note("図表内に表示、印刷されません", this));
    display->addStretch();

    jgsFrame_->setChecked(form_.jgsFrame);
    parentheses_->setChecked(form_.parentheses);
    twoColumns_->setChecked(form_.twoColumns);
    verticalNames_->setChecked(form_.verticalNames);
    jacic_->setChecked(form_.jacicSoilNames);
    // A value other than 1 selects the first choice.
    company_->button(form_.companyRight == 1 ? 1 : 0)->setChecked(true);
    style_->button(form_.style == 1 ? 1 : 0)->setChecked(true);
    rows_->setCurrentIndex(form_.rowsPerPage >= 0 && form_.rowsPerPage < rows_->count() ? static_cast<int>(form_.rowsPerPage) : 0);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(grid, 3);
    columns->addLayout(display, 2);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addWidget(buttons);
    EnterKeyFilter::Install(this, settings.sheet.enterKeyMode);
}

void CHeadingDlg::OnStandardExample() {
    style_->button(0)->setChecked(true);
    depthScale_->setText(QStringLiteral("20"));
    ndScale_->setText(QStringLiteral("10"));
    rows_->setCurrentIndex(0);
}

bool CHeadingDlg::TakeValues() {
    HeadingForm f = form_;
    long scale = 0;
    if (!ParseWholeInteger(depthScale_->text().toStdString(), scale)) {
        RefuseInteger(depthScale_);
        return false;
    }
    f.depthScale = depthScale_->text().toStdString();
    for (const TextControl& t : texts_)
        if (!TakeFieldText(t.edit->text(), FieldKind::Heading, t.edit, f.text[t.field])) return false;
    if (!TakeFieldText(tester_->currentText(), FieldKind::Heading, tester_, f.text[heading::kTester]) ||
        !TakeFieldText(weather_->currentText(), FieldKind::Heading, weather_, f.text[heading::kWeather]) ||
        !TakeFieldText(ndScale_->text(), FieldKind::Heading, ndScale_, f.ndScale))
        return false;
    f.jgsFrame = jgsFrame_->isChecked();
    f.parentheses = parentheses_->isChecked();
    f.twoColumns = twoColumns_->isChecked();
    f.verticalNames = verticalNames_->isChecked();
    f.jacicSoilNames = jacic_->isChecked();
    f.companyRight = company_->checkedId();
    f.style = style_->checkedId();
    f.rowsPerPage = rows_->currentIndex();
    form_ = f;
    return true;
}

void CHeadingDlg::done(int result) {
    if (result == QDialog::Accepted && !TakeValues()) return;
    QDialog::done(result);
}

}  // namespace vosk
