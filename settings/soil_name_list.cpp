#include "settings/soil_name_list.h"

#include "platform/cp932.h"
#include "survey/numbers.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

constexpr std::string_view kGroupMark = "[\x91\xe6";      // "[第"
constexpr std::string_view kEndMark = "[\x8f\x49\x97\xb9";  // "[終了"

}  // namespace

SoilNameList ParseSoilNameList(std::string_view bytes, int pass) {
    SoilNameList list;
    int group = 0;
    bool headerSeen = false;
    ForEachPiece(bytes, kSoilNameLineBytes, [&](std::string_view raw) {
        std::string_view line = StripLineEnd(raw);
        if (line.size() < 3) return true;
        if (FindCp932(line, kEndMark) != std::string_view::npos) return false;
        if (FindCp932(line, kGroupMark) != std::string_view::npos) {
            ++group;
            if (!headerSeen) {
                FieldText value;
                GetCsvFieldQuiet(value, line, 3);
                list.headerValue = ParseInteger(value);
                headerSeen = true;
            }
            return true;
        }
        if (group < 1 || group > kSoilNameGroups || list.entries.size() >= kMaxSoilNameEntries) return true;
        SoilNameEntry e;
        e.group = group;
        FieldText fields[4];
        SplitCsvLine(line, fields, 4);
        e.name = std::move(fields[0]);
        e.symbol = std::move(fields[1]);
        e.codeText = std::move(fields[pass == 0 ? 2 : 3]);
        e.code = IsNumericText(e.codeText) == 1 ? ParseInteger(e.codeText) : -1;
        list.entries.push_back(std::move(e));
        int number = static_cast<int>(list.entries.size());
        if (list.first[group] == 0) list.first[group] = number;
        list.last[group] = number;
        return true;
    });
    return list;
}

}  // namespace vosk
