#pragma once
// Soil and geology names composed by picking words from the four lists of
// the JACIC-compatible soil name dialog, filled from the soil name master
// table: whole names, auxiliary names, words appended to a name, and names
// that can form an alternation of two soils ("互層").

#include <array>
#include <vector>

#include "settings/soil_name_list.h"
#include "survey/field_text.h"

namespace vosk {

struct SoilListItem {
    FieldText name;      // at most 32 bytes of the entry's name
    FieldText symbol;    // at most 8 bytes of the entry's symbol
    FieldText code;      // the entry's code, "%ld"
    double value = 0;    // the code as a decimal (5100.5)
};

enum class SoilList { Whole, Auxiliary, Appended, Alternation };

struct SoilNameLists {
    std::array<std::vector<SoilListItem>, 4> items;  // by SoilList
    const std::vector<SoilListItem>& operator[](SoilList l) const { return items[static_cast<int>(l)]; }
};

// The lists from the master table: group 1 codes of 10000 and more are whole
// names, 100 to 9999 alternation-capable names, smaller ones not listed;
// group 2 auxiliary names; group 3 appended words; negative codes skipped.
SoilNameLists FillSoilNameLists(const SoilNameList& table);

// The entry controls of one target group.
struct SoilGroup {
    FieldText name;
    FieldText pattern;
    FieldText symbol;      // group 1: the stored symbol; group 2: the second symbol, never stored
    FieldText percentage;
    bool alternation = false;
};

// The alternation counter and the pending fraction digit live for the run.
struct AlternationState {
    int counter = 0;
    int pendingFraction = 0;
};
AlternationState& SoilAlternation();

struct PickOutcome {
    bool resetFlags = false;    // the flag check boxes go back to the default
    bool refusedInAlternation = false;  // message 4011 was shown
};

// A pick of `item` (nullptr: nothing selected) from `list` into `target`
// (group 1 or 2). The dialog writes the current line back afterwards.
PickOutcome PickSoilName(SoilList list, const SoilListItem* item, int targetGroup, SoilGroup& target,
                         AlternationState& state);

}  // namespace vosk
