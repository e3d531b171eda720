#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>
#include <algorithm>

namespace vosk {
namespace {

// The file list's sizes and modification times as the program's locale
// writes them (1.5 KiB, 2024/05/20 9:41): the file model writes them as the
// desktop's locale does, in English on an English desktop.
class LocalSizesAndDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        constexpr int kSizeColumn = 1, kModifiedColumn = 3;
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole) {
            QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(source))
                return QLocale().formattedDataSize(files->size(source));
            if (index.column() == kModifiedColumn)
                return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// What both dialogs share: Qt's own dialog (the desktop's, GTK's on GNOME,
// would speak the desktop's language, sizes and dates included), each filter
// by its name alone (the names already say the extension, "(*.vkr)" after
// them only repeats it), sizes and dates in Japanese, and a type column as
// wide as the Japanese type names.
std::unique_ptr<QFileDialog> MakeFileDialog(const QString& filter, const QString& start) {
    auto dialog = std::make_unique<QFileDialog>(nullptr, QString(), start, QtFileFilter(filter));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setProxyModel(new LocalSizesAndDates(dialog.get()));
    constexpr int kTypeColumn = 2;
    if (auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        list->header()->setSectionResizeMode(kTypeColumn, QHeaderView::ResizeToContents);
        // Wide enough for name, size, type and date side by side.
        dialog->resize(std::max(dialog->width(), 800), dialog->height());
    }
    return dialog;
}

}  // namespace

QString QtFileFilter(const QString& pipeFilter) {
    QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QFileDialog> QtFileDialogs::MakeOpenDialog(const QString& filter, const QString& defaultSuffix,
                                                           const QString& startFolder) {
    auto dialog = MakeFileDialog(filter, startFolder);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(defaultSuffix);
    return dialog;
}

std::unique_ptr<QFileDialog> QtFileDialogs::MakeSaveDialog(const QString& filter, const QString& initialFile) {
    auto dialog = MakeFileDialog(filter, initialFile);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    return dialog;
}

std::optional<QString> QtFileDialogs::OpenPath(const QString& filter, const QString& defaultSuffix,
                                               const QString& startFolder) {
    auto dialog = MakeOpenDialog(filter, defaultSuffix, startFolder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().first();
}

std::optional<QString> QtFileDialogs::SavePath(const QString& filter, const QString& initialFile) {
    auto dialog = MakeSaveDialog(filter, initialFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().first();
}

}  // namespace vosk
