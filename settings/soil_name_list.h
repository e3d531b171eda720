#pragma once
// The soil name master list (WdtvJCA.mst): entries in three groups, each
// with a name, a symbol and a code. It is read twice: pass 0 takes the code
// of column 3, pass 1 that of column 4 (the list the JACIC soil name dialog
// offers).

#include <array>
#include <string_view>
#include <vector>

#include "survey/field_text.h"

namespace vosk {

inline constexpr int kSoilNameGroups = 3;
inline constexpr size_t kMaxSoilNameEntries = 256;
inline constexpr size_t kSoilNameLineBytes = 89;

struct SoilNameEntry {
    int group = 0;        // 1 to 3
    FieldText name;
    FieldText symbol;
    FieldText codeText;   // as it stands in the file ("5100.5")
    long code = -1;       // its integer value, -1 when not a number
};

struct SoilNameList {
    std::vector<SoilNameEntry> entries;  // entry k is number k + 1
    // First and last entry number of each group (index 1 to 3), 0 and 0 for
    // a group without entries.
    std::array<int, kSoilNameGroups + 1> first{};
    std::array<int, kSoilNameGroups + 1> last{};
    long headerValue = 0;  // third field of the first group header
};

// Parses the bytes of a soil name list for pass 0 or 1.
SoilNameList ParseSoilNameList(std::string_view bytes, int pass);

}  // namespace vosk
