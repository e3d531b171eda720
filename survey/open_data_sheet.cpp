#include "survey/open_data_sheet.h"

#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"

namespace vosk {

OpenedSheet OpenDataSheet(std::string_view bytes, ReadPath path, std::optional<std::string_view> companyName) {
    OpenedSheet opened;
    auto survey = std::make_unique<SurveyData>();
    opened.version = ReadDataSheet(*survey, bytes, path);
    if (!IsAcceptedSheetVersion(opened.version)) {
        opened.status = OpenedSheet::NotASheet;
        return opened;
    }
    if (companyName) NormaliseHeading(*survey, *companyName);
    opened.status = OpenedSheet::Opened;
    opened.survey = std::move(survey);
    return opened;
}

OpenedSheet OpenDataSheetFile(const std::filesystem::path& file, std::string_view shownPath, ReadPath path,
                              std::optional<std::string_view> companyName) {
    ReadError error = ReadError::None;
    auto bytes = ReadFileBytes(file, &error);
    // A file too large for any data sheet is refused as no data sheet;
    // anything else that cannot be read is a missing file.
    if (error == ReadError::TooLarge) {
        ShowMessage(message::kNotADataSheet);
        OpenedSheet refused;
        refused.status = OpenedSheet::NotASheet;
        return refused;
    }
    if (!bytes) {
        ShowMessage(message::kFileNotFound, std::string(shownPath));
        return {};
    }
    return OpenDataSheet(*bytes, path, companyName);
}

}  // namespace vosk
