#include "survey/field_text.h"

#include "platform/message_service.h"

namespace vosk {
namespace {

bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

int IsNumericText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) ++i;
    if (i == text.size()) return -1;
    return std::string_view("1234567890.+-").find(text[i]) != std::string_view::npos ? 1 : 0;
}

size_t NextCsvField(std::string_view line, FieldText& field) {
    field.clear();
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\n') return 0;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            return i + 1;
        } else {
            field += c;
        }
    }
    return 0;
}

int SplitCsvLine(std::string_view line, FieldText* fields, int count) {
    line = line.substr(0, kMaxCsvLineLength);
    int found = 0;
    while (found < count && !line.empty()) {
        size_t next = NextCsvField(line, fields[found++]);
        if (next == 0) break;
        line.remove_prefix(next);
    }
    for (int k = found; k < count; ++k) fields[k].clear();
    return found;
}

int GetCsvFieldQuiet(FieldText& field, std::string_view line, int n) {
    field.clear();
    if (line.empty()) return -1;
    if (n < 1) return 0;
    FieldText current;
    line = line.substr(0, kMaxCsvLineLength);
    for (int k = 1; !line.empty(); ++k) {
        size_t next = NextCsvField(line, current);
        if (k == n) {
            field = std::move(current);
            return 1;
        }
        if (next == 0) break;
        line.remove_prefix(next);
    }
    return 0;
}

void ReportOverlongCsvLine(std::string_view line) {
    if (line.size() > kMaxCsvLineLength) ShowMessage(std::string("too many csv"));
}

int GetCsvField(FieldText& field, std::string_view line, int n) {
    ReportOverlongCsvLine(line);
    return GetCsvFieldQuiet(field, line, n);
}

int SignOf(long value) { return (value > 0) - (value < 0); }

}  // namespace vosk
