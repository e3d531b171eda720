#include "render/section_point_list.h"

#include <utility>

namespace vosk {

SectionRefusal SectionPointList::Add(SectionSheet sheet) {
    if (SectionRefusal r = CheckPointCount(rows_.size() + 1)) return r;
    if (SectionRefusal r = CheckElevation(*sheet.survey, sheet.file, byDepth_)) return r;
    double x = 0;
    if (!rows_.empty()) {
        double last = 0;
        x = ParseSectionNumber(rows_.back().position, last) ? last + kDefaultSectionSpacing
                                                            : kDefaultSectionSpacing * static_cast<double>(rows_.size());
    }
    rows_.push_back(Row{std::move(sheet), FormatSectionNumber(x)});
    return {};
}

SectionRefusal SectionPointList::AddFile(const std::string& file) {
    // A full list refuses before the file is read.
    if (SectionRefusal r = CheckPointCount(rows_.size() + 1)) return r;
    SectionSheet sheet;
    if (SectionRefusal r = ReadSectionSheet(file, sheet)) return r;
    return Add(std::move(sheet));
}

bool SectionPointList::Remove(size_t row) {
    if (row >= rows_.size()) return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

bool SectionPointList::MoveUp(size_t row) {
    if (row == 0 || row >= rows_.size()) return false;
    std::swap(rows_[row].sheet, rows_[row - 1].sheet);
    return true;
}

bool SectionPointList::MoveDown(size_t row) {
    if (row + 1 >= rows_.size()) return false;
    return MoveUp(row + 1);
}

void SectionPointList::SetPosition(size_t row, const std::string& text) {
    if (row < rows_.size()) rows_[row].position = text;
}

SectionRefusal SectionPointList::SetByDepth(bool on) {
    if (!on)
        for (const Row& r : rows_)
            if (SectionRefusal refusal = CheckElevation(*r.sheet.survey, r.sheet.file, false)) return refusal;
    byDepth_ = on;
    return {};
}

SectionRefusal SectionPointList::Build(SiteSection& section) const {
    section = SiteSection{};
    SectionOptions options;
    options.byDepth = byDepth_;
    if (!ParseSectionNumber(threshold_, options.threshold) || CheckThreshold(options.threshold))
        return CheckThreshold(0);
    std::vector<SectionSheet> sheets;
    for (size_t i = 0; i < rows_.size(); ++i) {
        double x = 0;
        if (!ParseSectionNumber(rows_[i].position, x))
            return {SectionRefusal::PositionOrder, rows_[i].sheet.file,
                    "位置 (" + std::to_string(i + 1) + " 行目) は数値で入れてください: " + rows_[i].position};
        options.at.push_back(x);
        sheets.push_back(rows_[i].sheet);
    }
    return BuildSiteSection(sheets, options, section);
}

}  // namespace vosk
