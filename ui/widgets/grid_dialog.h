#pragma once
// What the grid dialogs share (blow counts, soil names, JACIC soil names,
// master lists): the editable grid, OK through the grid's arbitration,
// Cancel with its question, Delete and, in the data dialogs, Add and
// Overwrite wired to the dialog's handlers, and leaving the current line.
// The dialog lays the controls out and supplies the grid hooks.

#include <QDialog>
#include <utility>
#include <vector>

#include "ui/widgets/editable_list_grid.h"

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
