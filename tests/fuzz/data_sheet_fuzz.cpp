// Any bytes as a data sheet: read by both paths, normalised, drawn page by
// page and as a point of a site section, written and read back. Besides crashes it checks that a written file
// reads back as the same tables.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/message_service.h"
#include "platform/recording_canvas.h"
#include "render/report_page.h"
#include "render/site_section.h"
#include "render/site_section_drawing.h"
#include "survey/data_sheet.h"

namespace {

class SilentMessages : public vosk::MessageService {
public:
    vosk::MessageAnswer Show(const std::string&, vosk::MessageButtons) override { return vosk::MessageAnswer::Ok; }
};

bool SameTables(const vosk::SurveyData& a, const vosk::SurveyData& b) {
    using namespace vosk;
    if (a.heading.field != b.heading.field) return false;
    int soil = CountSoilRows(a), blow = CountStoredBlowRows(a);
    if (soil != CountSoilRows(b) || blow != CountStoredBlowRows(b)) return false;
    for (int r = 1; r <= soil; ++r)
        for (int f = 1; f <= kSoilFieldCount; ++f)
            if (a.soil[r][f] != b.soil[r][f]) return false;
    for (int r = 1; r <= blow; ++r)
        for (int f = 1; f <= kBlowFieldCount; ++f)
            if (a.blow[r][f] != b.blow[r][f]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vosk;
    static SilentMessages silent;
    SetMessageService(&silent);
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    auto framework = std::make_unique<SurveyData>();
    ReadDataSheet(*framework, bytes, ReadPath::Framework);
    auto first = std::make_unique<SurveyData>();
    if (ReadDataSheet(*first, bytes, ReadPath::OpenCommand) != sheet_version::kCurrent) return 0;

    static SettingsStore settings = [] {
        SettingsStore s;
        ApplySettingsDefaults(s.sheet);
        ApplyRangeDefaults(s.sheet);
        for (int i = 1; i <= kSheetFontCount; ++i) s.fonts[i] = DefaultFont(i);
        return s;
    }();
    NormaliseHeading(*first, settings.sheet.companyName);
    // Every page (the first twenty of a sheet with absurd depths), in both styles.
    for (const char* style : {"0", "1"}) {
        first->heading[heading::kSheetStyle] = style;
        PageState state;
        int pages = CountSheetPages(*first, state);
        for (int page = 1; page <= pages && page <= 20; ++page) {
            RecordingCanvas canvas(96, 96);
            DrawSheetPage(canvas, *first, settings, page);
        }
    }
    // A point of a site section, by elevation (when it has one) and by depth.
    for (bool byDepth : {false, true}) {
        const std::vector<SectionSheet> sheets{{"fuzz.vkr", std::shared_ptr<const SurveyData>(first.get(), [](auto*) {})}};
        SectionOptions options;
        options.byDepth = byDepth;
        SiteSection section;
        if (BuildSiteSection(sheets, options, section)) continue;
        RecordingCanvas canvas(96, 96);
        DrawSiteSection(canvas, section, settings);
    }
    // As Save writes it: the digits and maximum depth fields set first.
    SetSavedHeadingFields(*first, "1");
    std::string written = FormatDataSheet(*first, "1");
    auto second = std::make_unique<SurveyData>();
    if (ReadDataSheet(*second, written, ReadPath::OpenCommand) != sheet_version::kCurrent) std::abort();
    // Writing what was read back gives the same file: nothing drifts.
    if (!SameTables(*first, *second) || FormatDataSheet(*second, "1") != written) std::abort();
    return 0;
}
