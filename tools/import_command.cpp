// vosk-sheet import FILE.csv -o OUT.vkr [--heading N=TEXT]...: a blow table
// from a CSV file, each line entered as the blow-count dialog's Add enters
// it, the table stored as its OK stores it.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "entry/blow_rules.h"
#include "platform/drive_map.h"
#include "platform/cp932.h"
#include "platform/file_io.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/field_check.h"
#include "survey/text_lines.h"
#include "tools/tool_common.h"

namespace vosk::tool {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Where N, depth and remark stand in a line, and how many fields the line may
// have.
struct CsvLayout {
    size_t n, depth, remark, width;
};
constexpr CsvLayout kEntryLayout{0, 1, 2, 3};
constexpr CsvLayout kExportLayout{1, 2, 5, kBlowCsvColumns.size()};

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        char32_t cp, min;
        if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (s.size() - i < len) return false;
        for (size_t k = 1; k < len; ++k) {
            unsigned char t = s[i + k];
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // Overlong forms and surrogates are not UTF-8 a spreadsheet writes.
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

// The CSV text as UTF-8: UTF-8 when it is valid UTF-8 (a BOM dropped), else
// CP932 as Japanese spreadsheet programs save it. False when it is neither.
bool DecodeCsv(std::string_view bytes, std::string& utf8) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!IsValidUtf8(bytes)) return false;
        utf8 = bytes;
        return true;
    }
    if (IsValidUtf8(bytes)) {
        utf8 = bytes;
        return true;
    }
    if (!IsValidCp932(bytes)) return false;
    utf8 = Cp932ToUtf8(bytes);
    return true;
}

// The fields of one line without its line end. A field that starts with a
// quote runs to the closing quote and may hold commas; "" inside it is one
// quote. A quoted field cannot span lines: no field may hold a line break.
bool SplitCsv(std::string_view line, std::vector<std::string>& fields, std::string& problem) {
    fields.clear();
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) {
                    problem = "a quoted field is not closed on its line";
                    return false;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i];
            }
            if (i < line.size() && line[i] != ',') {
                problem = "text after the closing quote of a field";
                return false;
            }
        } else {
            size_t end = std::min(line.find(',', i), line.size());
            field.assign(line.substr(i, end - i));
            i = end;
        }
        fields.push_back(std::move(field));
        if (i >= line.size()) return true;
        ++i;  // the comma
    }
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

bool AllBlank(const std::vector<std::string>& fields) {
    for (const auto& f : fields)
        if (!IsBlank(f)) return false;
    return true;
}

std::string FieldAt(const std::vector<std::string>& fields, size_t i) {
    return i < fields.size() ? fields[i] : std::string();
}

bool IsExportHeader(const std::vector<std::string>& fields) {
    if (fields.size() < kBlowCsvColumns.size()) return false;
    for (size_t i = 0; i < kBlowCsvColumns.size(); ++i)
        if (fields[i] != kBlowCsvColumns[i]) return false;
    return true;
}

int Refuse(int line, const std::string& text) {
    std::fprintf(stderr, "vosk-sheet: line %d: %s\n", line, text.c_str());
    return kUsage;
}

}  // namespace

int ImportCommand(const std::vector<std::string>& args) {
    std::string input, output;
    HeadingChanges changes;
    if (int rc = ParseWriteArguments(args, input, output, changes); rc != kDone) return rc;
    if (input.empty()) return Usage("import needs a CSV file");
    if (output.empty()) return Usage("import needs -o OUT.vkr");

    auto bytes = ReadFileBytes(PathFromUtf8(input));
    if (!bytes) {
        ShowMessage(message::kFileNotFound, input);
        return kFileError;
    }
    std::string text;
    if (!DecodeCsv(*bytes, text)) {
        std::fprintf(stderr, "vosk-sheet: %s is neither UTF-8 nor CP932 text\n", input.c_str());
        return kUsage;
    }

    // The dialog as it opens on a new survey: an empty grid, both auto
    // switches on whatever this run's switches are.
    CellGrid grid(kBlowRowCount, kBlowFieldCount);
    const AutoCalcSwitches switches{true, true};
    CsvLayout layout = kEntryLayout;
    bool firstLine = true;
    int lineNumber = 0;
    int rc = kDone;
    std::vector<std::string> fields;
    std::string problem;
    ForEachLine(text, [&](std::string_view raw) {
        ++lineNumber;
        if (!SplitCsv(StripLineEnd(raw), fields, problem)) {
            rc = Refuse(lineNumber, problem);
            return false;
        }
        if (AllBlank(fields)) return true;
        if (firstLine) {
            firstLine = false;
            if (IsExportHeader(fields)) {
                layout = kExportLayout;
                if (fields.size() > layout.width && fields[layout.width].starts_with(kConvertedNColumn)) ++layout.width;
                return true;
            }
            if (IsNumericText(FieldAt(fields, kEntryLayout.depth)) == 0) return true;
        }
        for (size_t i = layout.width; i < fields.size(); ++i) {
            if (!IsBlank(fields[i])) {
                rc = Refuse(lineNumber, "more than " + std::to_string(layout.width) +
                                            " fields (a remark that holds a comma needs double quotes)");
                return false;
            }
        }
        BlowRow entry;
        for (auto [column, index] : {std::pair{blow_column::kN, layout.n},
                                     std::pair{blow_column::kDepth, layout.depth},
                                     std::pair{blow_column::kRemark, layout.remark}}) {
            FieldCheck check = CheckEnteredText(FieldAt(fields, index), FieldKind::Table);
            if (!check.ok()) {
                rc = Refuse(lineNumber, check.refusal);
                return false;
            }
            entry[column] = std::move(check.bytes);
        }
        // The Add's refusal is a message box in the dialog; here it must say
        // which line it refused.
        if (Placement placed = PlaceAdd(entry, grid, switches); placed.line == 0) {
            rc = Refuse(lineNumber, FormatMessageText(placed.refusal.id, placed.refusal.arg));
            return false;
        }
        return true;
    });
    if (rc != kDone) return rc;

    auto survey = std::make_unique<SurveyData>();
    if (!StoreBlowTable(grid, *survey, switches)) return kUsage;
    LoadToolSettings(*survey);
    for (auto& [field, value] : changes) survey->heading[field] = std::move(value);
    return WriteSheetFile(output, *survey);
}

}  // namespace vosk::tool
