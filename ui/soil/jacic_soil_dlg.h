#pragma once
// The JACIC-compatible soil name dialog "土質名 (JACIC版互換土質地質名)": the
// soil layers of the survey in an editable grid of 100 lines and 17 columns,
// entry controls for one layer whose names are composed by picking words
// from four lists, the display flag check boxes, and Add, Overwrite and
// Delete. The rules are those of soil/jacic_soil_rules.h and the name
// composition of soil/soil_name_composer.h; this class only wires widgets
// to them. Controls the form does not show are created hidden and keep
// working: picks fill them, gathering reads them, loading fills them. The
// survey changes only when OK stores the grid.

#include <QDialog>
#include <array>
#include <map>

#include "soil/jacic_entry_state.h"
#include "soil/jacic_soil_rules.h"
#include "soil/soil_name_composer.h"
#include "ui/widgets/grid_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vosk {

struct SettingsStore;
struct SurveyData;

class CJacicSoilDlg : public GridDialog {
    Q_OBJECT
public:
    // Reads the soil rows of `survey` and the pass-1 soil name table of
    // `settings`; OK stores the rows into `survey`.
    CJacicSoilDlg(SurveyData& survey, const SettingsStore& settings, QWidget* parent = nullptr);
    ~CJacicSoilDlg() override;

    // The entry controls of one target group (1 geology name, 2 auxiliary
    // name).
    struct Group {
        QLineEdit* name = nullptr;
        QLineEdit* pattern = nullptr;
        QLineEdit* symbol = nullptr;  // group 2: the second symbol, never stored
        QLineEdit* percentage = nullptr;
        QCheckBox* alternation = nullptr;
    };

    QLineEdit* DepthEdit() const { return depth_; }
    const Group& TargetControls(int group) const { return groups_.at(static_cast<size_t>(group - 1)); }
    int TargetGroup() const { return state_.TargetGroup(); }
    // The check box of flag bit 0 to 8; nullptr for bit 5.
    QCheckBox* FlagBox(int bit) const { return flags_.at(static_cast<size_t>(bit)); }
    QComboBox* DelimiterBox() const { return delimiter_; }
    QListWidget* List(SoilList list) const { return lists_.at(static_cast<size_t>(list)); }
    QCheckBox* TopsoilBox() const { return topsoil_; }

    bool StoreInto(SurveyData& survey) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadLineIntoEntry(int line, int column) override;
    void ClearEntryFields() override;
    void ConfirmDialog() override;

    void BuildControls();
    void FillLists();
    void SetEdit(QLineEdit* edit, const FieldText& bytes);
    bool EditBytes(QLineEdit* edit, FieldText& out) const;
    // The entry row from the controls; false when a control holds text that
    // cannot be held, which with `tell` is told (the text kept selected).
    bool GatherEntry(JacicLine& entry, bool tell = false) const;
    int CheckedFlags() const;
    void SetFlags(int flags);
    void ResetFlags();
    void SetAlternation(int group, bool on);
    bool OnCurrentLine() const;
    void WriteBack();
    void OnLeave(QWidget* control);
    void OnPick(SoilList list);
    void OnAdd() override;
    void OnOverwrite() override;
    void OnDelete() override;
    TableTextResult EnterPastedText(std::string_view text, char separator, CellGrid& cells) override;
    std::string CopiedText(const std::vector<int>& lines) const override;
    bool EntryAwaitingAdd() const override;
    bool AddAwaitingEntry() override;
    void ScrollToLine(int line);

    SurveyData& survey_;
    const SettingsStore& settings_;
    QLineEdit* depth_ = nullptr;
    std::array<Group, 2> groups_;
    std::array<QCheckBox*, kFlagBits> flags_{};
    QComboBox* delimiter_ = nullptr;
    std::array<QListWidget*, 4> lists_{};
    QCheckBox* topsoil_ = nullptr;
    QLabel* topsoilLabel_ = nullptr;

    SoilNameLists records_;
    JacicEntryState state_;
    // The bytes the dialog last put into each edit and the text shown for
    // them: a text the user left alone keeps those bytes exactly.
    std::map<const QLineEdit*, std::pair<QString, FieldText>> loaded_;
};

}  // namespace vosk
