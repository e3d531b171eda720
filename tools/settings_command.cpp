// vosk-sheet settings: the settings as the program loads them, as JSON.

#include <cstdio>
#include <memory>

#include "platform/cp932.h"
#include "platform/drive_map.h"
#include "settings/settings_store.h"
#include "tools/json_writer.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

std::string JsonPath(std::string_view windowsPath) { return JsonString(PathToUtf8(RealPath(windowsPath))); }

}  // namespace

int SettingsCommand(const std::vector<std::string>& args) {
    if (!args.empty()) return Usage("settings takes no arguments");
    auto survey = std::make_unique<SurveyData>();
    LoadToolSettings(*survey);
    SettingsStore& s = Settings();
    DetectPaperSize(s);

    std::string out = "{\"installFolder\": " + JsonField(s.installFolder) +
                      ", \"installPath\": " + JsonPath(s.installFolder) + ", \"files\": {" +
                      "\"Sys.ndx\": " + JsonPath(s.sysPath) + ", \"M.mst\": " + JsonPath(s.engineersPath) +
                      ", \"K.mst\": " + JsonPath(s.remarksPath) + ", \"Zbn.mst\": " + JsonPath(s.simpleSoilPath) +
                      ", \"WdtvJCA.mst\": " + JsonPath(s.soilListPath) + "}, \"sys\": [";
    for (int line = 1; line <= kSettingsFileLines; ++line) {
        if (line > 1) out += ',';
        out += JsonField(SettingsLine(s.sheet, line));
    }
    out += "], \"fonts\": [";
    for (int i = 1; i <= kSheetFontCount; ++i) {
        const SheetFont& f = s.fonts[i];
        if (i > 1) out += ", ";
        out += "{\"size\": " + JsonNumber(f.size) + ", \"face\": " + JsonField(f.face) +
               ", \"colour\": " + std::to_string(f.colour) + ", \"underline\": " + std::to_string(f.underline) + "}";
    }
    out += "], \"soilList\": [";
    for (int pass = 0; pass < 2; ++pass) {
        const SoilNameList& list = s.soilNames[pass];
        if (pass > 0) out += ", ";
        out += "{\"entries\": " + std::to_string(list.entries.size()) + ", \"groups\": [";
        for (int g = 1; g <= kSoilNameGroups; ++g) {
            if (g > 1) out += ", ";
            out += "[" + std::to_string(list.first[g]) + ", " + std::to_string(list.last[g]) + "]";
        }
        out += "]}";
    }
    out += "], \"paper\": [" + std::to_string(s.paperWidthMm) + ", " + std::to_string(s.paperHeightMm) + "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kDone;
}

}  // namespace vosk::tool
