#include "ui/widgets/grid_dialog.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <memory>

#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/csv_text.h"

namespace vosk {
namespace {

// Routes a paste of several lines in an entry field to its dialog's grid.
class LinePasteRouter : public QObject {
public:
    LinePasteRouter(QLineEdit* edit, std::function<void(const QString&)> pasteRows)
        : QObject(edit), edit_(edit), pasteRows_(std::move(pasteRows)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            Paste();
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            // The edit's own menu, its paste going the same way as Ctrl+V.
            std::unique_ptr<QMenu> menu(edit_->createStandardContextMenu());
            const QString paste = QLineEdit::tr("&Paste");
            for (QAction* action : menu->actions()) {
                if (!action->text().startsWith(paste)) continue;
                QObject::disconnect(action, SIGNAL(triggered()), edit_, SLOT(paste()));
                QObject::connect(action, &QAction::triggered, this, [this] { Paste(); });
            }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return false;
    }

private:
    void Paste() {
        const QString text = QGuiApplication::clipboard()->text();
        const std::string utf8 = text.toStdString();
        if (IsSeveralLines(utf8)) {
            pasteRows_(text);
            return;
        }
        // One cell of a spreadsheet comes with a line end the field cannot hold.
        const std::string_view line = WithoutLastLineEnd(utf8);
        if (!edit_->isReadOnly()) edit_->insert(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    }

    QLineEdit* edit_;
    std::function<void(const QString&)> pasteRows_;
};

}  // namespace

GridDialog::GridDialog(QWidget* parent) : QDialog(parent) {}

// The grid stops calling back first: the dialog's parts are gone by the
// time the base class hides the window.
GridDialog::~GridDialog() {
    if (grid_) grid_->Detach();
}

void GridDialog::CreateGrid(int lines, std::vector<GridColumn> columns, const long& enterKeyMode, Editing editing) {
    grid_ = new EditableListGrid(this, this, lines, std::move(columns), enterKeyMode);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ok_->setDefault(true);
    if (editing == Editing::AddOverwriteDelete) {
        add_ = new QPushButton(QStringLiteral("追加"), this);
        overwrite_ = new QPushButton(QStringLiteral("上書き"), this);
        connect(add_, &QPushButton::clicked, this, [this] { OnAdd(); });
        connect(overwrite_, &QPushButton::clicked, this, [this] { OnOverwrite(); });
    }
    delete_ = new QPushButton(QStringLiteral("削除"), this);
    connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(ok_, &QPushButton::clicked, grid_, &EditableListGrid::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &GridDialog::reject);
    connect(grid_, &EditableListGrid::CellsChanged, this, &GridDialog::TableEdited);
}

bool GridDialog::StoreInto(SurveyData&) const { return false; }

bool GridDialog::CancelNeedsQuestion() const { return grid_->IsModified() && grid_->UsedLength() >= 1; }

void GridDialog::reject() {
    if (CancelNeedsQuestion() &&
        ShowMessage(message::kDiscardChanges, {}, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    QDialog::reject();
}

void GridDialog::LeaveCurrentLine() {
    if (grid_->CurrentLine() >= 1) grid_->DeselectLine(grid_->CurrentLine());
    grid_->SetCurrentLine(0);
}

TableTextResult GridDialog::EnterPastedText(std::string_view, char, CellGrid&) { return {}; }

std::string GridDialog::CopiedText(const std::vector<int>&) const { return {}; }

void GridDialog::PasteRows(const QString& text) {
    // A refused cell edit is mended first.
    if (!grid_->EndEditing()) return;
    const std::string utf8 = text.toStdString();
    const TableTextResult result = grid_->ChangeCells(
        [&](CellGrid& cells) { return EnterPastedText(utf8, TableSeparator(utf8), cells); });
    if (!result.Ok()) {
        ShowMessage(FormatMessageText(message::kPasteLineRefused, std::to_string(result.refusedLine)) + "\n" +
                    result.refusal);
        return;
    }
    if (result.entered == 0) return;
    grid_->SetModified();
    Pasted(result);
    // As after Add: the new rows are no line to correct, the fields are for
    // a new one.
    LeaveCurrentLine();
    if (add_) add_->setEnabled(true);
}

QString GridDialog::CopyRows(const std::vector<int>& lines) const {
    std::vector<int> withText;
    for (int line : lines)
        if (grid_->Cells().HasText(line)) withText.push_back(line);
    return QString::fromStdString(CopiedText(withText));
}

void GridDialog::PasteLinesIntoGrid(QLineEdit* edit) {
    edit->installEventFilter(new LinePasteRouter(edit, [this](const QString& text) { PasteRows(text); }));
}

bool GridDialog::SettleAwaitingEntry() {
    if (!EntryAwaitingAdd()) return true;
    switch (ShowMessage(message::kEntryNotAdded, {}, MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes: return AddAwaitingEntry();
        case MessageAnswer::No: return true;
        default: return false;
    }
}

}  // namespace vosk
