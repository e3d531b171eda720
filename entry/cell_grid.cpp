#include "entry/cell_grid.h"

#include <cmath>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr double kSameDepthTolerance = 0.000001;
constexpr int kReportedDuplicates = 6;
constexpr size_t kReportBytes = 300;

std::string ToCp932(std::string_view utf8) {
    // The callers pass fixed Japanese texts that CP932 always holds.
    return Utf8ToCp932(utf8).value_or(std::string(utf8));
}

}  // namespace

CellGrid::CellGrid(int lines, int columns)
    : lines_(lines), columns_(columns) {
    if (lines < 1 || columns < 1) throw std::out_of_range("CellGrid size");
    cells_.resize(static_cast<size_t>(lines) * static_cast<size_t>(columns));
}

size_t CellGrid::Index(int line, int column) const {
    if (line < 1 || line > lines_ || column < 1 || column > columns_)
        throw std::out_of_range("CellGrid cell");
    return static_cast<size_t>(line - 1) * static_cast<size_t>(columns_) + static_cast<size_t>(column - 1);
}

const FieldText& CellGrid::Cell(int line, int column) const { return cells_[Index(line, column)]; }

void CellGrid::SetCell(int line, int column, FieldText text) { cells_[Index(line, column)] = std::move(text); }

bool CellGrid::IsBlankLine(int line) const {
    for (int c = 1; c <= columns_; ++c)
        if (!Cell(line, c).empty()) return false;
    return true;
}

bool CellGrid::HasText(int line) const {
    for (int c = 1; c <= columns_; ++c)
        if (IsNumericText(Cell(line, c)) != -1) return true;
    return false;
}

int CellGrid::UsedLength() const {
    for (int l = lines_; l >= 1; --l)
        if (!IsBlankLine(l)) return l;
    return 0;
}

int CellGrid::UsedLength(int column) const {
    for (int l = lines_; l >= 1; --l)
        if (!Cell(l, column).empty()) return l;
    return 0;
}

std::vector<FieldText> CellGrid::LineTexts(int line) const {
    std::vector<FieldText> texts;
    for (int c = 1; c <= columns_; ++c) texts.push_back(Cell(line, c));
    return texts;
}

void CellGrid::ClearLine(int line) {
    for (int c = 1; c <= columns_; ++c) SetCell(line, c, {});
}

void CellGrid::DeleteLine(int line) {
    for (int l = line; l < lines_; ++l)
        for (int c = 1; c <= columns_; ++c) SetCell(l, c, Cell(l + 1, c));
    ClearLine(lines_);
}

bool SameDepth(std::string_view a, std::string_view b) {
    return std::fabs(ParseDecimal(a) - ParseDecimal(b)) < kSameDepthTolerance;
}

int FindSameDepthLine(const CellGrid& grid, int depthColumn, std::string_view depth, int lastLine) {
    for (int l = 1; l <= lastLine && l <= grid.Lines(); ++l) {
        const FieldText& cell = grid.Cell(l, depthColumn);
        if (IsNumericText(cell) != 1) break;
        if (SameDepth(cell, depth)) return l;
    }
    return 0;
}

std::vector<int> LinesWithoutDepth(const CellGrid& grid, int depthColumn) {
    std::vector<int> lines;
    for (int l = 1; l <= grid.Lines(); ++l)
        if (grid.HasText(l) && IsNumericText(grid.Cell(l, depthColumn)) != 1) lines.push_back(l);
    return lines;
}

std::string MissingDepthMessage(const std::vector<int>& lines, std::string_view caption, std::string_view word) {
    std::string text(caption);
    text += "が無い、または不正な行があります.\n行: ";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(lines[i]);
    }
    text += "\n";
    text += word;
    text += "を入力するか、その行を削除してください.";
    return text;
}

std::vector<DepthPick> OrderByDepth(const CellGrid& grid, int depthColumn, const std::vector<int>& lines) {
    // Selection by minimum with a strict comparison rather than a sort: it
    // keeps ties in grid order and stays well-defined for a depth such as
    // "-nan" that compares with nothing.
    std::vector<int> left = lines;
    std::vector<DepthPick> order;
    order.reserve(lines.size());
    while (!left.empty()) {
        size_t best = 0;
        double bestValue = ParseDecimal(grid.Cell(left[0], depthColumn));
        for (size_t i = 1; i < left.size(); ++i) {
            double v = ParseDecimal(grid.Cell(left[i], depthColumn));
            if (v < bestValue) {
                best = i;
                bestValue = v;
            }
        }
        const FieldText& depth = grid.Cell(left[best], depthColumn);
        int same = 0;
        for (size_t i = 0; i < left.size(); ++i)
            if (i != best && SameDepth(grid.Cell(left[i], depthColumn), depth)) ++same;
        order.push_back({left[best], same});
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(best));
    }
    return order;
}

DuplicateDepthReport::DuplicateDepthReport(std::string_view header, std::string_view unit)
    : unit_(ToCp932(unit)), text_(ToCp932(header) + "\r\n") {}

void DuplicateDepthReport::Add(std::string_view depth, int sameDepthLeft) {
    if (full_ || !(ParseDecimal(depth) > 0)) return;
    for (int i = 0; i < sameDepthLeft; ++i) {
        ++count_;
        if (count_ <= kReportedDuplicates) {
            text_ += ' ';
            text_ += depth;
            text_ += ' ';
            text_ += unit_;
            text_ += " \r\n";
        }
        if (text_.size() >= kReportBytes) {
            full_ = true;
            return;
        }
    }
}

std::string DuplicateDepthReport::Text() const { return Cp932ToUtf8(text_); }

void DuplicateDepthReport::ShowIfAny() const {
    if (count_ > 0) ShowMessage(Text());
}

}  // namespace vosk
