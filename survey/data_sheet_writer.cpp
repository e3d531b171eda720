#include "survey/data_sheet.h"

#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr std::string_view kFullWidthQuote = "\xfa\x57";   // ＂
constexpr std::string_view kFullWidthDollar = "\x81\x90";  // ＄

// Replaces what would change the structure of the file on reading: "$$"
// (a section marker), a line feed (the end of a line, with a CR before it).
// In table fields a double quote (quoting) too. A lone CR is carried as is.
// In a table field "$$" is written with two quotes between the dollars,
// which the reader drops again: a field read from a file as "$"$" comes back
// exactly.
void AppendSafeText(std::string& out, std::string_view text, bool tableField) {
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '$' && i + 1 < text.size() && text[i + 1] == '$') {
            if (tableField) {
                out += "$\"\"";
                continue;
            }
            out += kFullWidthDollar;
            out += kFullWidthDollar;
            ++i;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += ' ';
            ++i;
        } else if (c == '\n') {
            out += ' ';
        } else if (c == '"' && tableField) {
            out += kFullWidthQuote;
        } else {
            out += c;
        }
    }
}

// A table field; one holding a comma is enclosed in double quotes, which the
// reader removes again.
void AppendTableField(std::string& out, std::string_view text) {
    bool quote = text.find(',') != std::string_view::npos;
    if (quote) out += '"';
    AppendSafeText(out, text, true);
    if (quote) out += '"';
}

void AppendTableRow(std::string& out, const FieldText* fields, int count) {
    for (int f = 0; f < count; ++f) {
        if (f > 0) out += ',';
        AppendTableField(out, fields[f]);
    }
    out += "\r\n";
}

}  // namespace

FieldText ComputeMaxDepth(const SurveyData& survey) {
    double value = 0.0;
    if (int n = CountSoilRows(survey); n >= 1) value = ParseDecimal(survey.soil[n][1]);
    if (int m = CountBlowRows(survey); m >= 1) {
        double blow = ParseDecimal(survey.blow[m][2]) * 0.01;
        if (blow > value) value = blow;
    }
    return FormatFixed(value, 2);
}

void SetSavedHeadingFields(SurveyData& survey, std::string_view digitsNd) {
    survey.heading[heading::kDigitsNd] = digitsNd;
    survey.heading[heading::kMaxDepth] = ComputeMaxDepth(survey);
}

std::string FormatDataSheet(const SurveyData& survey, std::string_view digitsNd) {
    const FieldText maxDepth = ComputeMaxDepth(survey);
    std::string out;
    out.reserve(16384);
    out += kSheetMagic;
    out += "\r\n$$Z\r\n";
    for (int i = 1; i <= kHeadingFieldCount; ++i) {
        std::string_view text = i == heading::kDigitsNd ? digitsNd
                                : i == heading::kMaxDepth ? std::string_view(maxDepth)
                                                          : std::string_view(survey.heading[i]);
        // A field that already carries its line end is written as that line.
        if (text.ends_with("\r\n")) text.remove_suffix(2);
        AppendSafeText(out, text, false);
        out += "\r\n";
    }
    out += "$$A\r\n";
    for (int r = 1, n = CountSoilRows(survey); r <= n; ++r)
        AppendTableRow(out, &survey.soil[r][1], kSoilFieldCount);
    out += "$$C\r\n";
    for (int r = 1, n = CountStoredBlowRows(survey); r <= n; ++r)
        AppendTableRow(out, &survey.blow[r][1], kBlowFieldCount);
    out += "$$c\r\n";
    for (int r = 1, n = CountBlowRows(survey); r <= n; ++r) {
        out += FormatFixed(ParseDecimal(survey.blow[r][2]) * 0.01, 2);
        out += ',';
        AppendTableField(out, survey.blow[r][4]);
        out += ",\r\n";
    }
    return out;
}

bool WriteDataSheet(SurveyData& survey, std::string_view digitsNd, OutputFile& out) {
    SetSavedHeadingFields(survey, digitsNd);
    return out.Write(FormatDataSheet(survey, digitsNd));
}

}  // namespace vosk
