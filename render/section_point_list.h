#pragma once
// What the site section dialog edits, without widgets: the data sheets in
// order, the position of each row along the section line (as typed), the
// threshold and the by-depth choice; and the section they make.
//
// Positions belong to the rows: moving a sheet up or down swaps the sheets
// and leaves the positions where they are, so they stay in order along the
// line; removing a sheet removes its row with its position.

#include <string>
#include <vector>

#include "render/site_section.h"

namespace vosk {

class SectionPointList {
public:
    struct Row {
        SectionSheet sheet;
        std::string position;  // as typed, UTF-8
    };

    const std::vector<Row>& Rows() const { return rows_; }
    size_t Count() const { return rows_.size(); }

    // Appends a sheet at 10 m past the last row's position (0 for the
    // first). Refused when the list is full, or when the sheet has no
    // ground elevation and the section is drawn by elevation.
    SectionRefusal Add(SectionSheet sheet);
    // Reads `file` and appends it; refused as ReadSectionSheet and Add refuse.
    SectionRefusal AddFile(const std::string& file);
    bool Remove(size_t row);
    // Swaps the sheet of `row` with the one above (below); false at the end.
    bool MoveUp(size_t row);
    bool MoveDown(size_t row);
    void SetPosition(size_t row, const std::string& text);

    const std::string& Threshold() const { return threshold_; }
    void SetThreshold(const std::string& text) { threshold_ = text; }
    bool ByDepth() const { return byDepth_; }
    // Turning by-depth off is refused while a sheet has no ground elevation.
    SectionRefusal SetByDepth(bool on);

    // The section of the rows, or why not.
    SectionRefusal Build(SiteSection& section) const;

private:
    std::vector<Row> rows_;
    std::string threshold_ = "10";
    bool byDepth_ = false;
};

}  // namespace vosk
