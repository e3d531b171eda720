#pragma once
// "データのチェック": the findings of the blow-table checks of the survey,
// and the converted N of every row beside its Nd by a relation typed above
// the lists. A double click on a blow row asks for the blow-count dialog at
// that row; the caller opens it and calls Refresh afterwards.

#include <QDialog>

#include "entry/converted_n.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace vosk {

struct SurveyData;

class CBlowCheckDlg : public QDialog {
    Q_OBJECT
public:
    // `relation` is the one remembered; the default when it does not parse.
    CBlowCheckDlg(const SurveyData& survey, const QString& relation, QWidget* parent = nullptr);

    // Checks the survey again and shows the result.
    void Refresh();

    // A relation typed but not taken goes with the window, unannounced.
    void done(int result) override;

    QString Relation() const { return relationText_; }
    QLineEdit* RelationField() const { return relation_; }
    QTableWidget* Findings() const { return findings_; }
    QTableWidget* Rows() const { return rows_; }

signals:
    // A blow row (from 1) was double-clicked.
    void BlowRowRequested(int row);
    // A new relation was typed and accepted.
    void RelationAccepted(const QString& relation);

private:
    void FillFindings();
    void FillRows();
    void TakeRelation();

    const SurveyData& survey_;
    QString relationText_;
    NRelation nRelation_;
    QLineEdit* relation_;
    QTableWidget* findings_;
    QTableWidget* rows_;
    QLabel* convertedHeader_;
};

}  // namespace vosk
