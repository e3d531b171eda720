#include "app/vosk_doc.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <utility>

#include "entry/blow_table_text.h"
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
const QString kCsvFilter = QStringLiteral("CSV ファイル(*.csv)|*.csv|すべて(*.*)|*.*||");
const QString kCsvExtension = QStringLiteral("csv");
// The most steps kept; older ones are dropped.
constexpr int kUndoSteps = 100;

// From UTF-16, so a Japanese file name is right on every system.
std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

}  // namespace

// One change of the survey as an undo step: it holds the survey on the
// other side of the step, and undo and redo swap it with the document's.
class SurveySnapshot : public QUndoCommand {
public:
    SurveySnapshot(CVoskDoc& doc, const QString& name, std::unique_ptr<SurveyData> other)
        : QUndoCommand(name), doc_(doc), other_(std::move(other)) {}

    void undo() override { doc_.SwapSurvey(*other_); }
    void redo() override {
        // Pushed after the change: the survey already is what redo gives.
        if (std::exchange(pushed_, false)) return;
        doc_.SwapSurvey(*other_);
    }

private:
    CVoskDoc& doc_;
    std::unique_ptr<SurveyData> other_;
    bool pushed_ = true;
};

CVoskDoc::CVoskDoc(QObject* parent) : QObject(parent), dialogs_(&qtDialogs_) {
    undo_.setUndoLimit(kUndoSteps);
    connect(&undo_, &QUndoStack::cleanChanged, this, &CVoskDoc::UnsavedChanged);
    connect(&undo_, &QUndoStack::indexChanged, this, &CVoskDoc::AfterStep);
}

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

void CVoskDoc::RecordChange(const QString& name, std::unique_ptr<SurveyData> before) {
    undo_.push(new SurveySnapshot(*this, name, std::move(before)));
}

void CVoskDoc::SwapSurvey(SurveyData& other) {
    std::swap(survey_, other);
    emit DocumentChanged();
}

void CVoskDoc::AfterStep() {
    if (!recovery_) return;
    // At the step saved the file holds the survey: no copy is needed.
    if (undo_.isClean())
        recovery_->Discard();
    else
        KeepRecoveryOf(survey_);
}

void CVoskDoc::KeepRecoveryOf(const SurveyData& survey) {
    if (recovery_) recovery_->Write(survey, Settings().sheet.digitsNd, path_.toStdString());
}

void CVoskDoc::ResetRecovery() {
    if (!recovery_) return;
    if (HasUnsavedChanges())
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
    // Unsaved, with no step back to what the file holds.
    undo_.resetClean();
    KeepRecoveryOf(survey_);
    RecoveryStore::Remove(copy);
    return true;
}

void CVoskDoc::StartNewDocument() {
    // A survey left unsaved keeps its recovery copy; the new one writes its own.
    if (recovery_ && HasUnsavedChanges()) recovery_->StartSession(NewRecoverySession().toStdString());
    undo_.clear();
    path_.clear();
    modified_ = false;
    fromDtdFile_ = false;
    ClearSurvey(survey_);
    emit PathChanged(QString());
}

void CVoskDoc::OnNewDocument() {
    StartNewDocument();
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
    undo_.clear();
    // The file the user chose replaces the survey: its copy is stale.
    if (recovery_) recovery_->Discard();
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
    // The steps stay: undo goes on from the step saved.
    undo_.setClean();
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

void CVoskDoc::OnImportCsv() {
    const QString startFolder = QString::fromStdString(Cp932ToUtf8(ReadLastFolderFile(Settings()).folder));
    std::optional<QString> chosen = dialogs_->OpenPath(kCsvFilter, kCsvExtension, startFolder);
    if (!chosen) return;
    const QString path = *chosen;
    std::optional<std::string> bytes = ReadFileBytes(FsPath(path));
    if (!bytes) {
        ShowMessage(message::kFileNotFound, path.toStdString());
        return;
    }
    BlowCsvImport imported = ImportBlowCsv(*bytes);
    if (!imported.survey) {
        if (imported.refusedLine != 0)
            ShowMessage(FormatMessageText(message::kCsvLineRefused, std::to_string(imported.refusedLine)) + "\n" +
                        imported.refusal);
        else if (!imported.refusal.empty())
            ShowMessage(imported.refusal);
        return;
    }
    // A new document, as the tool makes a new survey: its one step is the import.
    StartNewDocument();
    auto before = std::make_unique<SurveyData>(survey_);
    survey_ = std::move(*imported.survey);
    RecordChange(QStringLiteral("CSV の取り込み"), std::move(before));
    emit DocumentChanged();
}

void CVoskDoc::OnExportCsv() {
    QString initial;
    if (!path_.isEmpty()) {
        const QFileInfo info(path_);
        initial = info.dir().filePath(info.completeBaseName() + QStringLiteral(".") + kCsvExtension);
    }
    std::optional<QString> chosen = dialogs_->SavePath(kCsvFilter, initial);
    if (!chosen) return;
    QString path = *chosen;
    if (path.endsWith(QLatin1Char('.'))) path.chop(1);
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".") + kCsvExtension;
    if (!WriteFileAtomically(FsPath(path), FormatBlowCsv(survey_))) ShowMessage(message::kSaveFailed);
}

}  // namespace vosk
