#include "app/vosk_doc.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "settings/settings_store.h"
#include "survey/data_sheet.h"

namespace vosk {
namespace {

const QString kOpenFilter = QStringLiteral("簡易動的コーン試験Ver.1(.vkr)|*.vkr|すべて(*.*)|*.*||");
const QString kSaveFilter = QStringLiteral("簡易動的コーン試験Ver.1(.vkr)|*.vkr;|すべて(*.*)|*.*||");
const QString kExtension = QStringLiteral("vkr");

// From UTF-16, so a Japanese file name is right on every system.
std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

}  // namespace

CVoskDoc::CVoskDoc(QObject* parent) : QObject(parent), dialogs_(&qtDialogs_) {}

QString CVoskDoc::Title() const {
    return path_.isEmpty() ? QStringLiteral("無題") : QFileInfo(path_).fileName();
}

void CVoskDoc::SetPathName(const QString& path) {
    path_ = path;
    emit PathChanged(path);
}

QString NewRecoverySession() {
    return QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
}

void CVoskDoc::SetUnsaved(bool unsaved) {
    if (unsaved_ == unsaved) return;
    unsaved_ = unsaved;
    emit UnsavedChanged();
}

void CVoskDoc::NoteChanged() {
    SetUnsaved(true);
    KeepRecoveryOf(survey_);
}

void CVoskDoc::KeepRecoveryOf(const SurveyData& survey) {
    if (recovery_) recovery_->Write(survey, Settings().sheet.digitsNd, path_.toStdString());
}

void CVoskDoc::ResetRecovery() {
    if (!recovery_) return;
    if (unsaved_)
        KeepRecoveryOf(survey_);
    else
        recovery_->Discard();
}

bool CVoskDoc::RestoreRecovery(const RecoveryCopy& copy) {
    OpenedSheet opened =
        OpenDataSheetFile(copy.sheet, PathToUtf8(copy.sheet), ReadPath::Framework, Settings().sheet.companyName);
    if (!TakeOpened(std::move(opened))) return false;
    // The copy is now this run's: written again under its session, the old
    // one gone, so a second crash still loses nothing.
    SetPathName(QString::fromStdString(copy.originalPath));
    NoteChanged();
    RecoveryStore::Remove(copy);
    return true;
}

void CVoskDoc::OnNewDocument() {
    // A survey left unsaved keeps its recovery copy; the new one writes its own.
    if (recovery_ && unsaved_) recovery_->StartSession(NewRecoverySession().toStdString());
    SetUnsaved(false);
    path_.clear();
    modified_ = false;
    fromDtdFile_ = false;
    ClearSurvey(survey_);
    emit PathChanged(QString());
    emit DocumentChanged();
}

void CVoskDoc::OnOpenDataSheet() {
    LastFolderFile lastFolder = ReadLastFolderFile(Settings());
    QString startFolder = QString::fromStdString(Cp932ToUtf8(lastFolder.folder));
    std::optional<QString> chosen = dialogs_->OpenPath(kOpenFilter, kExtension, startFolder);
    if (!chosen) return;
    const QString path = *chosen;
    qsizetype nameAt = path.size() - QFileInfo(path).fileName().size();
    QString folder = nameAt >= 1 ? path.left(nameAt - 1) : startFolder;

    if (!TakeOpened(OpenDataSheetFile(FsPath(path), path.toStdString(), ReadPath::OpenCommand,
                                      Settings().sheet.companyName)))
        return;
    SetPathName(path);

    if (auto folderCp932 = Utf8ToCp932(folder.toStdString())) lastFolder.folder = *folderCp932;
    WriteLastFolderFile(Settings(), lastFolder);
}

bool CVoskDoc::OpenDocumentFile(const QString& path) {
    // A refused file is a failed open: it is never bound to the document,
    // so no later Save can write over it.
    if (!TakeOpened(OpenDataSheetFile(FsPath(path), path.toStdString(), ReadPath::Framework,
                                      Settings().sheet.companyName)))
        return false;
    SetPathName(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CVoskDoc::TakeOpened(OpenedSheet opened) {
    if (!opened.Ok()) return false;
    survey_ = std::move(*opened.survey);
    fromDtdFile_ = opened.FromDtdFile();
    modified_ = false;
    // The file the user chose replaces the survey: its copy is stale.
    if (recovery_) recovery_->Discard();
    SetUnsaved(false);
    emit DocumentChanged();
    return true;
}

bool CVoskDoc::WriteTo(const QString& path) {
    AtomicFile file(FsPath(path));
    if (!WriteDataSheet(survey_, Settings().sheet.digitsNd, file) || !file.Commit()) {
        ShowMessage(message::kSaveFailed);
        return false;
    }
    if (recovery_) recovery_->Discard();
    SetUnsaved(false);
    return true;
}

void CVoskDoc::OnSaveDataSheet() {
    QString path = path_;
    QString title = path_.isEmpty() ? QString() : Title();
    QString extension = title.right(3);
    if (title.isEmpty()) {
        path += QStringLiteral(".") + kExtension;
        extension = kExtension;
    }
    if (path_.isEmpty() || extension.isEmpty() || extension.compare(kExtension, Qt::CaseInsensitive) != 0 ||
        fromDtdFile_) {
        OnSaveDataSheetAs();
        return;
    }
    if (!WriteTo(path)) return;
    SetPathName(path);
    modified_ = false;
}

void CVoskDoc::OnSaveDataSheetAs() {
    std::optional<QString> chosen = dialogs_->SavePath(kSaveFilter, path_);
    if (!chosen) return;
    QString path = *chosen;
    if (path.endsWith(QLatin1Char('.'))) path.chop(1);
    QString extension = QFileInfo(path).suffix();
    if (extension.isEmpty()) {
        path += QStringLiteral(".") + kExtension;
        extension = kExtension;
    }
    if (extension.compare(kExtension, Qt::CaseInsensitive) != 0) {
        ShowMessage(std::string("拡張子を vkr(VKR)にして下さい"));
        return;
    }
    if (!WriteTo(path)) return;
    fromDtdFile_ = false;
    SetPathName(path);
    modified_ = false;
}

}  // namespace vosk
