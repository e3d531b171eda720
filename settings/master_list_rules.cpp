#include "settings/master_list_rules.h"

#include <cstdio>
#include <utility>

#include "platform/cp932.h"

namespace vosk {
namespace {

void SwapLines(CellGrid& grid, int a, int b) {
    for (int c = 1; c <= grid.Columns(); ++c) {
        FieldText t = grid.Cell(a, c);
        grid.SetCell(a, c, grid.Cell(b, c));
        grid.SetCell(b, c, std::move(t));
    }
}

// The report stops growing once it holds this many bytes.
constexpr size_t kReportLimit = 300;
constexpr int kReportedDuplicates = 6;

}  // namespace

int MoveMasterLineUp(CellGrid& grid, int line) {
    if (line <= 1 || line > grid.Lines()) return 0;
    SwapLines(grid, line, line - 1);
    return line - 1;
}

int MoveMasterLineDown(CellGrid& grid, int line) {
    if (line < 1 || line >= grid.UsedLength()) return 0;
    SwapLines(grid, line, line + 1);
    return line + 1;
}

MasterListFile FormatMasterList(const CellGrid& grid) {
    MasterListFile file;
    // Built in CP932, where the size limit counts.
    std::string report = Cp932Literal("同じデータがあります") + "\r\n";
    int duplicates = 0;
    const std::string kLineMark = Cp932Literal("行目と"), kLine = Cp932Literal("行目"), kBlank = Cp932Literal("　");
    for (int i = 1, used = grid.UsedLength(); i <= used; ++i) {
        const FieldText& text = grid.Cell(i, 1);
        if (text.empty()) continue;
        for (int j = 1; j < i; ++j) {
            if (grid.Cell(j, 1) != text) continue;
            if (++duplicates <= kReportedDuplicates && report.size() < kReportLimit) {
                char numbers[2][16];
                std::snprintf(numbers[0], sizeof numbers[0], "%2d", i);
                std::snprintf(numbers[1], sizeof numbers[1], "%2d", j);
                report.append(numbers[0]).append(kLineMark).append(numbers[1]).append(kLine);
                report.append(" [").append(text).append("]").append(kBlank).append("\r\n");
            }
        }
        file.bytes += text + "\r\n";
    }
    if (duplicates > 0) file.duplicates = Cp932ToUtf8(report);
    return file;
}

}  // namespace vosk
