// vosk-sheet check FILE.vkr ... [--json]: the blow table of each data sheet
// against the rules of the test.

#include <cstdio>
#include <memory>

#include "entry/blow_checks.h"
#include "tools/json_writer.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

constexpr int kFindings = 1;

std::string JsonFinding(const CheckFinding& f) {
    std::string out = "{\"id\": " + JsonString(f.id) + ", \"severity\": " + JsonString(SeverityName(f.severity)) +
                      ", \"row\": " + std::to_string(f.row) + ", \"message\": " + JsonString(f.message) +
                      ", \"values\": {";
    for (size_t i = 0; i < f.values.size(); ++i) {
        const auto& [name, value] = f.values[i];
        out += (i ? ", " : "") + JsonString(name) + ": " + (value ? JsonNumber(*value) : "null");
    }
    return out + "}}";
}

}  // namespace

int CheckCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json") json = true;
        else if (a.starts_with("--")) return Usage("unknown option: " + a);
        else files.push_back(a);
    }
    if (files.empty()) return Usage("check needs a file");

    // Every file is read before anything is printed: a refused file leaves
    // no half report.
    std::vector<std::vector<CheckFinding>> results;
    auto survey = std::make_unique<SurveyData>();
    for (const std::string& file : files) {
        int version = 0;
        if (int rc = ReadSheetFile(file, *survey, version); rc != kDone) return rc;
        results.push_back(CheckSurvey(*survey));
    }

    std::string out = json ? "{\"files\": [" : "";
    bool flagged = false;
    for (size_t i = 0; i < files.size(); ++i) {
        flagged = flagged || HasErrorOrWarning(results[i]);
        if (json) {
            out += (i ? ", " : "") + std::string("{\"file\": ") + JsonString(files[i]) + ", \"findings\": [";
            for (size_t k = 0; k < results[i].size(); ++k) out += (k ? ", " : "") + JsonFinding(results[i][k]);
            out += "]}";
            continue;
        }
        for (const CheckFinding& f : results[i])
            out += files[i] + ":" + std::to_string(f.row) + ": " + std::string(SeverityName(f.severity)) + " " +
                   std::string(f.id) + ": " + std::string(f.message) + "\n";
    }
    if (json) out += "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return flagged ? kFindings : kDone;
}

}  // namespace vosk::tool
