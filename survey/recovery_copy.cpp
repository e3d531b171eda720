#include "survey/recovery_copy.h"

#include <algorithm>
#include <system_error>

#include "platform/file_io.h"
#include "survey/data_sheet.h"

namespace vosk {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSheetSuffix = ".vkr";
constexpr std::string_view kPathSuffix = ".path";

}  // namespace

RecoveryStore::RecoveryStore(fs::path folder, std::string session)
    : folder_(std::move(folder)), session_(std::move(session)) {}

fs::path RecoveryStore::SheetPath() const { return folder_ / (session_ + std::string(kSheetSuffix)); }
fs::path RecoveryStore::PathFile() const { return folder_ / (session_ + std::string(kPathSuffix)); }

bool RecoveryStore::Write(const SurveyData& survey, std::string_view digitsNd, std::string_view originalPath) {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    // The path changes seldom: it is written again only when it does.
    if (pathWritten_ != originalPath) {
        if (!WriteFileAtomically(PathFile(), originalPath)) return false;
        pathWritten_ = std::string(originalPath);
    }
    return WriteFileAtomically(SheetPath(), FormatDataSheet(survey, digitsNd));
}

void RecoveryStore::Discard() {
    std::error_code ec;
    fs::remove(SheetPath(), ec);
    fs::remove(PathFile(), ec);
    pathWritten_.reset();
}

void RecoveryStore::StartSession(std::string session) {
    session_ = std::move(session);
    pathWritten_.reset();
}

std::vector<RecoveryCopy> RecoveryStore::Others() const {
    std::vector<RecoveryCopy> copies;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& sheet = it->path();
        if (sheet.extension() != kSheetSuffix || sheet.stem() == session_) continue;
        std::error_code typeError;
        if (!fs::is_regular_file(sheet, typeError)) continue;
        RecoveryCopy copy{sheet, {}, fs::last_write_time(sheet, typeError)};
        fs::path pathFile = sheet;
        pathFile.replace_extension(kPathSuffix);
        if (auto bytes = ReadFileBytes(pathFile)) copy.originalPath = *bytes;
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.time > b.time; });
    return copies;
}

void RecoveryStore::Remove(const RecoveryCopy& copy) {
    std::error_code ec;
    fs::remove(copy.sheet, ec);
    fs::path pathFile = copy.sheet;
    pathFile.replace_extension(kPathSuffix);
    fs::remove(pathFile, ec);
}

}  // namespace vosk
