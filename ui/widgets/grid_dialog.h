#pragma once
// What the grid dialogs share (blow counts, soil names, JACIC soil names,
// master lists): the editable grid, OK through the grid's arbitration,
// Cancel with its question, Delete and, in the data dialogs, Add and
// Overwrite wired to the dialog's handlers, leaving the current line, rows
// pasted into the grid or into the entry fields and copied from it, and
// the question on OK while the entry fields hold a line not yet in the
// grid. The dialog lays the controls out and supplies the grid hooks and
// the core rules of its table.

#include <QDialog>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entry/table_text.h"
#include "ui/widgets/editable_list_grid.h"

class QLineEdit;
class QPushButton;

namespace vosk {

struct SurveyData;

class GridDialog : public QDialog, protected EditableListGrid::Host {
    Q_OBJECT
public:
    ~GridDialog() override;

    EditableListGrid* Grid() const { return grid_; }
    QPushButton* AddButton() const { return add_; }  // nullptr without Add
    QPushButton* OverwriteButton() const { return overwrite_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // What OK would store, stored into `survey` (a copy: a recovery copy of
    // work in progress is made from it). False when the dialog stores no
    // survey or the table cannot be stored as it stands.
    virtual bool StoreInto(SurveyData& survey) const;

public slots:
    // Cancel, Esc and closing the window: asks before dropping changes.
    void reject() override;

signals:
    // The table changed while the dialog is open.
    void TableEdited();

protected:
    enum class Editing { AddOverwriteDelete, DeleteOnly };
    explicit GridDialog(QWidget* parent);

    // The grid of `lines` lines and the buttons, connected. Enter follows
    // the setting `enterKeyMode`.
    void CreateGrid(int lines, std::vector<GridColumn> columns, const long& enterKeyMode, Editing editing);

    virtual void OnAdd() {}
    virtual void OnOverwrite() {}
    virtual void OnDelete() = 0;
    // Whether Cancel must ask: by default only when the grid was changed
    // and still holds a line.
    virtual bool CancelNeedsQuestion() const;

    // No line is current any more; its selection goes.
    void LeaveCurrentLine();

    // ---- Paste and copy ---------------------------------------------------

    // Text pasted into the grid, or several lines pasted into an entry
    // field: entered by EnterPastedText in one change of the grid; the
    // first line refused stops with the dialog's message and its line
    // number, and nothing of the paste is kept.
    void PasteRows(const QString& text) override;
    QString CopyRows(const std::vector<int>& lines) const override;
    // The dialog's core rule for a pasted text (its Add for each line, all
    // or nothing); by default the dialog takes no paste.
    virtual TableTextResult EnterPastedText(std::string_view text, char separator, CellGrid& cells);
    // After a paste entered `result.gridLines`.
    virtual void Pasted(const TableTextResult& result) { (void)result; }
    // What the grid copies of `lines` (UTF-8); by default nothing.
    virtual std::string CopiedText(const std::vector<int>& lines) const;
    // A paste of several lines into `edit` (Ctrl+V, its context menu) goes
    // to the grid; one line stays an ordinary paste, without its line end.
    void PasteLinesIntoGrid(QLineEdit* edit);

    // ---- OK with a line in the entry fields ---------------------------------

    // Whether the entry fields hold a line the user typed that is in no
    // line of the grid; by default never.
    virtual bool EntryAwaitingAdd() const { return false; }
    // Adds that line as Add does; false when it was refused (the message
    // is shown).
    virtual bool AddAwaitingEntry() { return false; }
    // Before OK stores: with a line awaiting Add, asks whether to add it
    // (Yes: added, then stored; No: stored without it; Cancel: back to the
    // dialog). False when OK must not store.
    bool SettleAwaitingEntry();

    // Runs an add or overwrite rule of the core on the grid and shows its
    // refusal. Returns the line written, 0 when refused.
    template <typename Rule>
    int Place(Rule&& rule) {
        const Placement placed = grid_->ChangeCells(std::forward<Rule>(rule));
        ShowRefusal(placed.refusal);
        return placed.line;
    }

    EditableListGrid* grid_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* overwrite_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vosk
