#pragma once
// The simple soil name dialog "土質名 - - - 様式2で有効": the soil layers of
// the survey as depth of the lower end and soil name in an editable grid of
// 100 lines, two entry fields with Add, Overwrite and Delete, and the soil
// names of Zbn.mst to pick from. Every check, placement and the final store
// are the rules of soil/simple_soil_rules.h; this class only wires widgets
// to them. The survey changes only when OK stores the table.

#include <QDialog>
#include <array>
#include <vector>

#include "soil/simple_soil_rules.h"
#include "ui/widgets/grid_dialog.h"
#include "ui/widgets/field_guard.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vosk {

struct SettingsStore;
struct SurveyData;

class CSoilNameDlg : public GridDialog {
    Q_OBJECT
public:
    // Reads the soil rows of `survey` and the soil name list Zbn.mst of
    // `settings`; OK stores the rows into `survey`.
    CSoilNameDlg(SurveyData& survey, const SettingsStore& settings, QWidget* parent = nullptr);

    // The entry field of column 1 (depth) or 2 (name).
    QLineEdit* Field(int column) const { return fields_.at(static_cast<size_t>(column)).edit; }
    QListWidget* NameList() const { return nameList_; }

    bool StoreInto(SurveyData& survey) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadLineIntoEntry(int line, int column) override;
    void ClearEntryFields() override;
    void ConfirmDialog() override;

    void BuildControls();
    void FillNameList();
    void SetField(int column, const FieldText& bytes);
    bool FieldBytes(int column, FieldText& out) const;
    bool AcceptField(int column, RefusalNotice notice);
    bool GatherEntry(SoilEntry& entry);
    bool OnLine() const;
    void OnLeaveField(int column);
    void OnPickName(int row);
    void LiveUpdate();
    void OnAdd() override;
    void OnOverwrite() override;
    void OnDelete() override;
    TableTextResult EnterPastedText(std::string_view text, char separator, CellGrid& cells) override;
    void Pasted(const TableTextResult& result) override;
    std::string CopiedText(const std::vector<int>& lines) const override;
    bool EntryAwaitingAdd() const override;
    bool AddAwaitingEntry() override;

    SurveyData& survey_;
    const SettingsStore& settings_;
    std::array<EntryField, 3> fields_;  // 1 depth, 2 name
    QListWidget* nameList_ = nullptr;
    std::vector<FieldText> names_;  // the bytes of the list's items
    SoilLayerOrigins origins_;
    bool refusing_ = false;
};

}  // namespace vosk
