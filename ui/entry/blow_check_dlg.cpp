#include "ui/entry/blow_check_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "entry/blow_checks.h"
#include "platform/cp932.h"
#include "platform/message_service.h"
#include "survey/survey_data.h"

namespace vosk {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString FromCp932(const FieldText& text) { return Q(Cp932ToUtf8(text)); }

QString SeverityCaption(Severity severity) {
    switch (severity) {
        case Severity::Error: return QStringLiteral("エラー");
        case Severity::Warning: return QStringLiteral("警告");
        case Severity::Info: return QStringLiteral("情報");
    }
    return {};
}

QTableWidget* MakeList(const QStringList& headers) {
    auto* list = new QTableWidget(0, static_cast<int>(headers.size()));
    list->setHorizontalHeaderLabels(headers);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setStretchLastSection(true);
    return list;
}

// A cell that keeps the blow row it shows, for the double click.
QTableWidgetItem* Cell(const QString& text, int row, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setData(Qt::UserRole, row);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace

CBlowCheckDlg::CBlowCheckDlg(const SurveyData& survey, const QString& relation, QWidget* parent)
    : QDialog(parent), survey_(survey) {
    const std::optional<NRelation> remembered = ParseNRelation(relation.toStdString());
    relationText_ = remembered ? relation : Q(kDefaultRelation);
    nRelation_ = remembered ? *remembered : *ParseNRelation(kDefaultRelation);

    relation_ = new QLineEdit(relationText_);
    relation_->setObjectName(QStringLiteral("relation"));
    auto* relationRow = new QHBoxLayout;
    relationRow->addWidget(new QLabel(QStringLiteral("換算式  N =")));
    relationRow->addWidget(relation_, 1);
    relationRow->addWidget(new QLabel(QStringLiteral("(例: nd/1.5、2+0.5*nd)")));

    findings_ = MakeList({QStringLiteral("種別"), QStringLiteral("行"), QStringLiteral("内容")});
    rows_ = MakeList({QStringLiteral("行"), QStringLiteral("N"), QStringLiteral("深さ h (cm)"),
                      QStringLiteral("Δh (cm)"), QStringLiteral("Nd"), QStringLiteral("換算N")});
    convertedHeader_ = new QLabel;

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setText(QStringLiteral("閉じる"));
    // Enter in the relation field takes the relation; it does not close.
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(relationRow);
    column->addWidget(findings_, 2);
    column->addWidget(convertedHeader_);
    column->addWidget(rows_, 3);
    column->addWidget(new QLabel(QStringLiteral("測定データの行をダブルクリックすると、その行を測定データで開きます。")));
    column->addWidget(buttons);

    connect(relation_, &QLineEdit::editingFinished, this, &CBlowCheckDlg::TakeRelation);
    for (QTableWidget* list : {findings_, rows_})
        connect(list, &QTableWidget::itemDoubleClicked, this, [this](QTableWidgetItem* item) {
            if (const int row = item->data(Qt::UserRole).toInt(); row >= 1) emit BlowRowRequested(row);
        });

    resize(640, 620);
    Refresh();
}

void CBlowCheckDlg::Refresh() {
    FillFindings();
    FillRows();
}

void CBlowCheckDlg::FillFindings() {
    const std::vector<CheckFinding> findings = CheckSurvey(survey_);
    setWindowTitle(QStringLiteral("データのチェック (%1 件)").arg(findings.size()));
    findings_->setRowCount(0);
    if (findings.empty()) {
        findings_->setRowCount(1);
        findings_->setItem(0, 2, Cell(QStringLiteral("問題はありません"), 0));
    }
    for (const CheckFinding& f : findings) {
        const int line = findings_->rowCount();
        findings_->insertRow(line);
        findings_->setItem(line, 0, Cell(SeverityCaption(f.severity), f.row));
        findings_->setItem(line, 1, Cell(f.row ? QString::number(f.row) : QStringLiteral("-"), f.row, Qt::AlignRight));
        findings_->setItem(line, 2, Cell(Q(f.message), f.row));
    }
    findings_->resizeColumnsToContents();
}

void CBlowCheckDlg::FillRows() {
    convertedHeader_->setText(QStringLiteral("換算N (N=%1)").arg(relationText_));
    const int count = CountBlowRows(survey_);
    rows_->setRowCount(count);
    for (int r = 1; r <= count; ++r) {
        const BlowRow& row = survey_.blow[r];
        rows_->setItem(r - 1, 0, Cell(QString::number(r), r, Qt::AlignRight));
        for (int f = 1; f <= 4; ++f) rows_->setItem(r - 1, f, Cell(FromCp932(row[f]), r, Qt::AlignRight));
        rows_->setItem(r - 1, 5, Cell(Q(ConvertedN(nRelation_, row[4])), r, Qt::AlignRight));
    }
}

void CBlowCheckDlg::done(int result) {
    // Closing takes the focus from the field; that is no Enter.
    relation_->blockSignals(true);
    QDialog::done(result);
    relation_->blockSignals(false);
}

void CBlowCheckDlg::TakeRelation() {
    const QString text = relation_->text().trimmed();
    if (text == relationText_) return;
    const std::optional<NRelation> parsed = ParseNRelation(text.toStdString());
    if (!parsed) {
        // Refused where it was typed: the field gets back the relation in use.
        relation_->setText(relationText_);
        ShowMessage(std::string(kBadRelationMessage));
        relation_->setFocus();
        relation_->selectAll();
        return;
    }
    relationText_ = text;
    nRelation_ = *parsed;
    FillRows();
    emit RelationAccepted(relationText_);
}

}  // namespace vosk
