#pragma once
// The document: the one open data sheet (it owns the survey), its path,
// title and modified flag, and the file commands New, Open, Save and Save As.

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "survey/open_data_sheet.h"
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

// A filter of the form "name|pattern|name|pattern||" as the file dialogs take it.
QString QtFileFilter(const QString& pipeFilter);

class CVoskDoc : public QObject {
    Q_OBJECT
public:
    explicit CVoskDoc(QObject* parent = nullptr);

    void SetFileDialogs(FileDialogs* dialogs) { dialogs_ = dialogs; }

    // The survey; the view, the dialogs and the commands work on this one.
    SurveyData& Survey() { return survey_; }
    const SurveyData& Survey() const { return survey_; }

    const QString& PathName() const { return path_; }
    // The file name of the path, "無題" for a new document.
    QString Title() const;
    bool IsModified() const { return modified_; }

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

private:
    void SetPathName(const QString& path);
    bool WriteTo(const QString& path);
    // Takes an opened sheet as the survey; false when it was refused.
    bool TakeOpened(OpenedSheet opened);

    FileDialogs* dialogs_;
    QtFileDialogs qtDialogs_;
    SurveyData survey_;
    QString path_;
    bool modified_ = false;
    // Read from a DTD-format file: Save must not write an empty sheet over it.
    bool fromDtdFile_ = false;
};

}  // namespace vosk
