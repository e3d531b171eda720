#pragma once
// Recovery copies: the survey of a window with unsaved changes, kept as an
// ordinary data sheet in a folder of the user's own after every change, so
// that a crash, a power cut or a closed window loses nothing. Each run of
// the window writes under a session name of its own; a copy that a finished
// run left behind is offered on the next start.
//
// A copy is two files: NAME.vkr, the survey exactly as Save writes it, and
// NAME.path, the UTF-8 path of the file it belongs to (empty for a survey
// never saved). The path file is written first, so a copy found always has
// the path it was written with or, for a crash between the two, none.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/survey_data.h"

namespace vosk {

struct RecoveryCopy {
    std::filesystem::path sheet;      // NAME.vkr
    std::string originalPath;         // UTF-8, empty for a new survey
    std::filesystem::file_time_type time;
};

class RecoveryStore {
public:
    // Copies live in `folder` (created on the first write); this run writes
    // under `session`.
    RecoveryStore(std::filesystem::path folder, std::string session);

    // Replaces this session's copy atomically; false when it could not be
    // written (the previous copy stays).
    bool Write(const SurveyData& survey, std::string_view digitsNd, std::string_view originalPath);
    // Removes this session's copy (after Save, or when another file opens).
    void Discard();
    // Goes on under another session name, keeping the copy written so far
    // (New with unsaved changes: the old survey's copy stays on offer).
    void StartSession(std::string session);

    // Copies of other sessions, newest first.
    std::vector<RecoveryCopy> Others() const;
    static void Remove(const RecoveryCopy& copy);

    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path SheetPath() const;
    std::filesystem::path PathFile() const;

    std::filesystem::path folder_;
    std::string session_;
    std::optional<std::string> pathWritten_;  // this session's NAME.path holds it
};

}  // namespace vosk
