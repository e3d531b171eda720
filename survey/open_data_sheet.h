#pragma once
// Opening a data sheet, the same for the window and the tool: the file's
// bytes are read into a survey of its own, so whatever held the previous
// survey replaces it only when the file was taken.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "survey/data_sheet.h"

namespace vosk {

struct OpenedSheet {
    enum Status { Opened, Unreadable, NotASheet };
    Status status = Unreadable;
    int version = sheet_version::kNone;
    std::unique_ptr<SurveyData> survey;  // set when Opened

    bool Ok() const { return status == Opened; }
    // A DTD-format file reads as an empty survey: Save must not write it back.
    bool FromDtdFile() const { return Ok() && version != sheet_version::kCurrent; }
};

// Reads `bytes` as a data sheet. The reader shows its own refusal messages.
// With `companyName` the heading is normalised as after every opening.
OpenedSheet OpenDataSheet(std::string_view bytes, ReadPath path, std::optional<std::string_view> companyName);

// The file at `file` opened as above. A path that is no readable regular
// file shows "ファイルが見つかりません( path )" with `shownPath` and is
// Unreadable; a file over the size of any data sheet is NotASheet.
OpenedSheet OpenDataSheetFile(const std::filesystem::path& file, std::string_view shownPath, ReadPath path,
                              std::optional<std::string_view> companyName);

}  // namespace vosk
