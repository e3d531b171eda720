// Any bytes as Sys.ndx, a font file or a soil name list: loaded with the
// defaults, never a crash; Sys.ndx written and read back gives the same lines.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/sheet_settings.h"
#include "settings/soil_name_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vosk;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    SheetSettings first;
    ParseSettingsFile(first, bytes);
    ApplyRangeDefaults(first);
    SheetSettings second;
    ParseSettingsFile(second, FormatSettingsFile(first));
    for (int line = 1; line <= kSettingsFileLines; ++line)
        if (SettingsLine(first, line) != SettingsLine(second, line)) std::abort();

    for (int font = 1; font <= kSheetFontCount; ++font) {
        SheetFont f = ParseFontFile(font, bytes);
        if (!(f.size > 1) || f.size > FontSizeLimit(font) || f.face.size() <= 1) std::abort();
    }

    for (int pass = 0; pass < 2; ++pass) {
        SoilNameList list = ParseSoilNameList(bytes, pass);
        if (list.entries.size() > kMaxSoilNameEntries) std::abort();
        for (int g = 1; g <= kSoilNameGroups; ++g)
            if (list.first[g] > list.last[g] || list.last[g] > static_cast<int>(list.entries.size())) std::abort();
    }
    return 0;
}
