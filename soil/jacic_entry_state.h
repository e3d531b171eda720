#pragma once
// The state the JACIC soil name dialog keeps beside its controls: which
// target group the soil name lists fill (1 the geology name, 2 the
// auxiliary name) and whether each group is an alternation (互層). The
// dialog reports what the user did; this class decides.

#include <array>
#include <string_view>

namespace vosk {

class JacicEntryState {
public:
    int TargetGroup() const { return targetGroup_; }
    bool Alternation(int group) const { return alternation_.at(static_cast<size_t>(group - 1)); }

    // The name field of `group` took the focus.
    void NameFocused(int group) { targetGroup_ = group; }
    // The grid's cell editor stands over `column`: the auxiliary name and
    // its pattern target group 2, every other column group 1.
    void CellEditorAt(int column);
    // Flag bit `bit` clicked: bits 0 and 6 (depth and name marks) go back
    // to group 1.
    void FlagClicked(int bit);
    // The depth or the first symbol left, a line deleted: group 1.
    void BackToFirstGroup() { targetGroup_ = 1; }

    // An alternation box clicked. True when the group's name, symbol and
    // pattern are to be emptied: an alternation is composed afresh.
    bool SetAlternation(int group, bool on);
    // Both groups plain again, as with the default flags.
    void ClearAlternations() { alternation_ = {}; }
    // A name loaded from a grid line: the group is an alternation when the
    // name holds "互層" (CP932).
    void NameLoaded(int group, std::string_view name);

private:
    int targetGroup_ = 1;
    std::array<bool, 2> alternation_{};
};

}  // namespace vosk
