#pragma once
// The document: the one open data sheet (it owns the survey), its path,
// title and modified flag, the undo steps of the survey, and the file
// commands New, Open, Save, Save As and the CSV import and export.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <memory>
#include <optional>

#include "app/file_dialogs.h"
#include "survey/open_data_sheet.h"
#include "survey/recovery_copy.h"
#include "survey/survey_data.h"

namespace vosk {

// A session name for recovery copies, unique to this process and moment.
QString NewRecoverySession();

class CVoskDoc : public QObject {
    Q_OBJECT
public:
    explicit CVoskDoc(QObject* parent = nullptr);

    void SetFileDialogs(FileDialogs* dialogs) { dialogs_ = dialogs; }
    // Where recovery copies go; none (the default) writes none, as when
    // printing from the command line.
    void SetRecovery(RecoveryStore* recovery) { recovery_ = recovery; }

    // The survey; the view, the dialogs and the commands work on this one.
    SurveyData& Survey() { return survey_; }
    const SurveyData& Survey() const { return survey_; }

    const QString& PathName() const { return path_; }
    // The file name of the path, "無題" for a new document.
    QString Title() const;
    bool IsModified() const { return modified_; }
    // Changed since the last open, New or save: the undo steps are not at
    // the step saved. Nothing asks about it: it marks the title and keeps a
    // recovery copy up to date.
    bool HasUnsavedChanges() const { return !undo_.isClean(); }

    // Every change of the survey is one step here, named after the dialog
    // or command that made it; Save keeps the steps, New and Open clear
    // them. Undo and redo write the recovery copy (or remove it at the step
    // saved) and update the views.
    QUndoStack& UndoStack() { return undo_; }
    // A command changed the survey from `before` to what it is now: one step
    // named `name`. Writes the recovery copy.
    void RecordChange(const QString& name, std::unique_ptr<SurveyData> before);
    // Keeps `survey` as the recovery copy of this document: the survey
    // itself, or work in progress in an open dialog as it would be after
    // its OK (the document's survey untouched then).
    void KeepRecoveryOf(const SurveyData& survey);
    // The dialog closed without changing the survey: the copy goes back to
    // what the survey is (or away, when nothing is unsaved).
    void ResetRecovery();
    // Takes a recovery copy as the survey, bound to the file it belongs to
    // (Save writes that file); false when it could not be read.
    bool RestoreRecovery(const RecoveryCopy& copy);

    // New: the survey cleared, no path.
    void OnNewDocument();
    // The Open command.
    void OnOpenDataSheet();
    // The framework's open (command line, recent files): false when the file
    // could not be read or is no data sheet; the document then stays as it was.
    bool OpenDocumentFile(const QString& path);
    void OnSaveDataSheet();
    void OnSaveDataSheetAs();
    // A CSV file of the blow table as vosk-sheet import reads it: a new
    // document (no file, as New) whose one step is the import.
    void OnImportCsv();
    // The blow table as vosk-sheet export writes it (UTF-8, CR LF).
    void OnExportCsv();

signals:
    // The survey changed: the views update (settings, heading, repaint).
    void DocumentChanged();
    // The path changed; `path` goes into the recent-file list.
    void PathChanged(const QString& path);
    // HasUnsavedChanges changed.
    void UnsavedChanged();

private:
    friend class SurveySnapshot;
    // An undo or redo: `other` is the survey on the other side of the step.
    void SwapSurvey(SurveyData& other);
    // The steps moved: the recovery copy follows.
    void AfterStep();
    // New's own steps: the survey cleared, no path, no steps.
    void StartNewDocument();
    void SetPathName(const QString& path);
    bool WriteTo(const QString& path);
    // Takes an opened sheet as the survey; false when it was refused.
    bool TakeOpened(OpenedSheet opened);

    FileDialogs* dialogs_;
    QtFileDialogs qtDialogs_;
    SurveyData survey_;
    QString path_;
    bool modified_ = false;
    QUndoStack undo_;
    RecoveryStore* recovery_ = nullptr;
    // Read from a DTD-format file: Save must not write an empty sheet over it.
    bool fromDtdFile_ = false;
};

}  // namespace vosk
