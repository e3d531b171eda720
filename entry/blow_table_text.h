#pragma once
// The blow table as text: the CSV files the tool's import reads and its
// export writes (the window's CSV commands are the same), the rows pasted
// into the blow-count grid, and the rows it copies. One set of rules for
// all of them: N, depth h and an optional remark per line, or the columns
// export writes after its header, or the grid's own five columns.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "entry/blow_rules.h"
#include "entry/converted_n.h"
#include "entry/table_text.h"
#include "survey/survey_data.h"

namespace vosk {

// The columns export writes; a text with this header gives N, depth and
// remark from columns 2, 3 and 6, so an exported table reads back.
inline constexpr std::array<std::string_view, 6> kBlowCsvColumns = {"depth (m)", "N",  "h (cm)",
                                                                    "Δh (cm)",   "Nd", "remark"};

// The heading of the converted N column export adds last: this text, the
// relation and ")". Reading passes over it as over Δh and Nd.
inline constexpr std::string_view kConvertedNColumn = "換算N (N=";

// The rules of a blow table text: without a header N, depth, remark (three
// fields); after export's header its columns; a first line with text in a
// fourth or fifth field is read as the grid's columns (N, depth, Δh, Nd,
// remark), as the grid copies them. A first line whose depth is text is a
// header and is passed over.
const TableTextRules& BlowTextRules();

// Enters the lines of `text` into the blow grid as Add enters them with
// `switches`; all or nothing (EnterTableText).
TableTextResult EnterBlowText(std::string_view text, char separator, CellGrid& grid,
                              const AutoCalcSwitches& switches);

// What a CSV file gave for a new survey.
struct BlowCsvImport {
    // The new survey, when the file was taken.
    std::unique_ptr<SurveyData> survey;
    // The line refused (from 1), 0 when the file as a whole was refused.
    int refusedLine = 0;
    std::string refusal;  // UTF-8; empty when taken
};

// A new survey whose blow table is the CSV file's bytes (UTF-8, or CP932
// as Japanese spreadsheets save it): each line entered as the blow-count
// dialog's Add enters it on a new survey (both switches on), then stored
// as its OK stores it. The heading is empty.
BlowCsvImport ImportBlowCsv(std::string_view bytes);

// The blow table as UTF-8 CSV with CR LF: export's header, then one line
// per row from row 1 while its depth is a number: the depth in metres,
// then the five fields. With `relation`, a last column of the converted N
// headed with `relationText`.
std::string FormatBlowCsv(const SurveyData& survey, const NRelation* relation = nullptr,
                          std::string_view relationText = {});

// Grid lines as the grid copies them: all five cells, tab-separated.
std::string BlowLinesAsText(const CellGrid& grid, const std::vector<int>& lines);

}  // namespace vosk
