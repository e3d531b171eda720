#pragma once
// The document: the one open data sheet (it owns the survey), its path,
// title and modified flag, and the file commands New, Open, Save and Save As.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "survey/open_data_sheet.h"
#include "survey/recovery_copy.h"
#include "survey/survey_data.h"

class QFileDialog;

namespace vosk {

// The file dialogs the commands ask; tests put a stand-in in their place.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // A path chosen to open, or nothing when cancelled.
    virtual std::optional<QString> OpenPath(const QString& filter, const QString& defaultSuffix,
                                            const QString& startFolder) = 0;
    // A path chosen to save to, or nothing when cancelled.
    virtual std::optional<QString> SavePath(const QString& filter, const QString& initialFile) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    // The dialogs as the commands show them: each filter by its name alone,
    // while its patterns still choose the files listed.
    static std::unique_ptr<QFileDialog> MakeOpenDialog(const QString& filter, const QString& defaultSuffix,
                                                       const QString& startFolder);
    static std::unique_ptr<QFileDialog> MakeSaveDialog(const QString& filter, const QString& initialFile);

    std::optional<QString> OpenPath(const QString& filter, const QString& defaultSuffix,
                                    const QString& startFolder) override;
    std::optional<QString> SavePath(const QString& filter, const QString& initialFile) override;
};

// A session name for recovery copies, unique to this process and moment.
QString NewRecoverySession();

// A filter of the form "name|pattern|name|pattern||" as the file dialogs take it.
QString QtFileFilter(const QString& pipeFilter);

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
    // Changed since the last open, New or save. Nothing asks about it: it
    // marks the title and keeps a recovery copy up to date.
    bool HasUnsavedChanges() const { return unsaved_; }
    // The survey was changed by a command: writes the recovery copy.
    void NoteChanged();
    // Work in progress in an open dialog, as the survey would be after its
    // OK: kept as the recovery copy, the survey itself untouched.
    void KeepRecoveryOf(const SurveyData& inProgress);
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

signals:
    // The survey changed: the views update (settings, heading, repaint).
    void DocumentChanged();
    // The path changed; `path` goes into the recent-file list.
    void PathChanged(const QString& path);
    // HasUnsavedChanges changed.
    void UnsavedChanged();

private:
    void SetPathName(const QString& path);
    bool WriteTo(const QString& path);
    // Takes an opened sheet as the survey; false when it was refused.
    bool TakeOpened(OpenedSheet opened);
    void SetUnsaved(bool unsaved);
    void WriteRecovery();

    FileDialogs* dialogs_;
    QtFileDialogs qtDialogs_;
    SurveyData survey_;
    QString path_;
    bool modified_ = false;
    bool unsaved_ = false;
    RecoveryStore* recovery_ = nullptr;
    // Read from a DTD-format file: Save must not write an empty sheet over it.
    bool fromDtdFile_ = false;
};

}  // namespace vosk
