#pragma once
// The blow-count data dialog "測定データ": the blow table of the survey in
// an editable grid of 100 lines, entry fields for one row (N, depth h, Δh,
// Nd, remark) with Add, Overwrite and Delete, and the two auto-calculation
// switches. Every derivation, check, placement and the final store are the
// blow-count rules of entry/blow_rules.h; this class only wires widgets to
// them. The survey changes only when OK stores the table.

#include <QDialog>
#include <array>

#include "entry/blow_rules.h"
#include "survey/survey_data.h"
#include "ui/widgets/field_guard.h"
#include "ui/widgets/grid_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vosk {

struct SettingsStore;

class CBlowDataDlg : public GridDialog {
    Q_OBJECT
public:
    // Reads the blow rows of `survey` and the remark list K.mst; OK stores
    // the table into `survey`. `autoCalc` are the switches of the run.
    CBlowDataDlg(SurveyData& survey, AutoCalcSwitches& autoCalc, const SettingsStore& settings,
                 QWidget* parent = nullptr);

    // The entry field of blow column 1 to 4 (N, depth, Δh, Nd).
    QLineEdit* Field(int column) const { return fields_.at(static_cast<size_t>(column)).edit; }
    QComboBox* RemarkBox() const { return remark_; }
    QCheckBox* DeltaHAuto() const { return deltaHAuto_; }
    QCheckBox* NdAuto() const { return ndAuto_; }
    QLabel* ModeText() const { return modeText_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool StoreInto(SurveyData& survey) const override;

private:
    void LoadLineIntoEntry(int line, int column) override;
    void ClearEntryFields() override;
    void ConfirmDialog() override;

    void BuildControls();
    void FillRemarks();
    void SetField(int column, const FieldText& bytes);
    bool FieldBytes(int column, FieldText& out) const;
    bool AcceptField(int column, RefusalNotice notice);
    bool GatherEntry(BlowRow& entry);
    void OnLeaveField(int column);
    void LiveUpdate();
    void ApplyAutoSwitches();
    void OnAdd() override;
    void OnOverwrite() override;
    void OnDelete() override;
    TableTextResult EnterPastedText(std::string_view text, char separator, CellGrid& cells) override;
    std::string CopiedText(const std::vector<int>& lines) const override;
    bool EntryAwaitingAdd() const override;
    bool AddAwaitingEntry() override;

    SurveyData& survey_;
    AutoCalcSwitches& autoCalc_;
    const SettingsStore& settings_;
    std::array<EntryField, 6> fields_;  // 1 N, 2 depth, 3 Δh, 4 Nd, 5 remark
    QComboBox* remark_ = nullptr;
    QCheckBox* deltaHAuto_ = nullptr;
    QCheckBox* ndAuto_ = nullptr;
    QLabel* modeText_ = nullptr;
    bool refusing_ = false;
};

}  // namespace vosk
