#pragma once
// The file dialogs the document's commands ask, behind an interface so that
// tests answer them from a script.

#include <QString>
#include <memory>
#include <optional>

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

}  // namespace vosk
