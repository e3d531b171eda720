#include "settings/line_style_rules.h"

#include <cstdio>
#include <iterator>

#include "survey/numbers.h"

namespace vosk {

using namespace line_style_control;

namespace {

constexpr LineStyleIntegerControl kLineStyleIntegers[] = {
    {kUnderlineWidth, &LineStyleForm::underlineWidthPx, &SheetSettings::underlineWidthPx},
    {kUnderlineDash, &LineStyleForm::underlineDashPx, &SheetSettings::underlineDashPx},
    {kUnderlineGap, &LineStyleForm::underlineGapPx, &SheetSettings::underlineGapPx},
    {kBoxLineWidth, &LineStyleForm::boxLineWidthPx, &SheetSettings::boxLineWidthPx},
    {kFrameLineWidth, &LineStyleForm::frameLineWidthPx, &SheetSettings::frameLineWidthPx},
    {kTableRuleWidth, &LineStyleForm::tableRuleWidthPx, &SheetSettings::tableRuleWidthPx},
    {kTableRuleDash, &LineStyleForm::tableRuleDashPx, &SheetSettings::tableRuleDashPx},
    {kTableRuleGap, &LineStyleForm::tableRuleGapPx, &SheetSettings::tableRuleGapPx},
    {kGrid1Width, &LineStyleForm::grid1WidthPx, &SheetSettings::grid1WidthPx},
    {kGrid2Width, &LineStyleForm::grid2WidthPx, &SheetSettings::grid2WidthPx},
    {kPlotLineWidth, &LineStyleForm::plotLineWidthPx, &SheetSettings::plotLineWidthPx},
    {kPlotMarkWidth, &LineStyleForm::plotMarkWidthPx, &SheetSettings::plotMarkWidthPx},
};

constexpr LineStyleColourControl kLineStyleColours[] = {
    {kTableRuleColour, &LineStyleForm::tableRuleColour},
    {kGrid1Colour, &LineStyleForm::grid1Colour},
    {kGrid2Colour, &LineStyleForm::grid2Colour},
};

}  // namespace

std::span<const LineStyleIntegerControl> LineStyleIntegerControls() { return kLineStyleIntegers; }

std::span<const LineStyleColourControl> LineStyleColourControls() { return kLineStyleColours; }

LineStyleForm LoadLineStyleForm(const SheetSettings& s) {
    LineStyleForm f;
    for (const LineStyleIntegerControl& c : kLineStyleIntegers) f.*c.text = FormatInteger(s.*c.setting);
    f.tableRuleColour = s.tableRuleColour;
    f.grid1Colour = s.grid1Colour;
    f.grid2Colour = s.grid2Colour;
    f.monochrome = s.monochrome != 0;
    f.companyName = s.companyName;
    return f;
}

void ApplyColourMode(LineStyleForm& f) {
    if (!f.monochrome) f.tableRuleGapPx = "0";
}

void ApplyStandardLineStyle(LineStyleForm& f, bool fine) {
    f.underlineWidthPx = "2";
    f.underlineDashPx = "6";
    f.underlineGapPx = "6";
    f.boxLineWidthPx = "2";
    f.frameLineWidthPx = "1";
    f.tableRuleWidthPx = "1";
    f.tableRuleDashPx = "4";
    f.tableRuleGapPx = "2";
    f.grid1WidthPx = "1";
    f.grid2WidthPx = "0";
    f.plotLineWidthPx = "1";
    f.plotMarkWidthPx = "2";
    f.monochrome = false;
    f.tableRuleColour = "0x808080";
    f.grid1Colour = "0x404040";
    f.grid2Colour = "0x808080";
    ApplyColourMode(f);
    if (fine) {
        f.grid2WidthPx = "1";
        f.grid2Colour = "0xffff80";
    }
}

int StoreLineStyleForm(const LineStyleForm& f, SheetSettings& s) {
    long values[std::size(kLineStyleIntegers)];
    for (size_t i = 0; i < std::size(kLineStyleIntegers); ++i)
        if (!ParseWholeInteger(f.*kLineStyleIntegers[i].text, values[i])) return kLineStyleIntegers[i].control;
    for (size_t i = 0; i < std::size(kLineStyleIntegers); ++i) s.*kLineStyleIntegers[i].setting = values[i];
    s.tableRuleColour = f.tableRuleColour;
    s.grid1Colour = f.grid1Colour;
    s.grid2Colour = f.grid2Colour;
    s.monochrome = f.monochrome ? 1 : 0;
    s.companyName = f.companyName;
    // The grids are always drawn solid.
    s.grid1Dash = s.grid2Dash = 5;
    s.grid1Gap = s.grid2Gap = 0;
    return 0;
}

FieldText FormatColourText(unsigned long colour) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%06lx", colour);
    return buffer;
}

}  // namespace vosk
