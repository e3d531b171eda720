#include "settings/sheet_settings.h"

#include <cstdio>
#include <variant>

#include "survey/numbers.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

// The line of Sys.ndx each setting lives on: text settings keep the line as
// it stands, integer settings are read as 0 unless the line passes the
// numeric test.
struct LineEntry {
    int line;
    std::variant<FieldText SheetSettings::*, long SheetSettings::*> member;
};

constexpr LineEntry kLines[] = {
    {2, &SheetSettings::pointNoStartMm},
    {3, &SheetSettings::elevationStartMm},
    {4, &SheetSettings::pointNoLabelWidthMm},
    {5, &SheetSettings::digitsN},
    {6, &SheetSettings::digitsDepth},
    {7, &SheetSettings::digitsIncrement},
    {8, &SheetSettings::digitsNd},
    {9, &SheetSettings::digitsColumn5},
    {10, &SheetSettings::ndItemName},
    {11, &SheetSettings::topMarginMm},
    {12, &SheetSettings::leftMarginMm},
    {13, &SheetSettings::titlePositionMm},
    {14, &SheetSettings::bottomLinePositionMm},
    {15, &SheetSettings::hideMetreSign},
    {34, &SheetSettings::monochrome},
    {35, &SheetSettings::tableRuleColour},
    {36, &SheetSettings::grid1Colour},
    {37, &SheetSettings::grid2Colour},
    {41, &SheetSettings::boxLineWidthPx},
    {42, &SheetSettings::frameLineWidthPx},
    {43, &SheetSettings::underlineWidthPx},
    {44, &SheetSettings::underlineDashPx},
    {45, &SheetSettings::underlineGapPx},
    {46, &SheetSettings::tableRuleWidthPx},
    {47, &SheetSettings::tableRuleDashPx},
    {48, &SheetSettings::tableRuleGapPx},
    {50, &SheetSettings::grid1WidthPx},
    {51, &SheetSettings::grid1Dash},
    {52, &SheetSettings::grid1Gap},
    {53, &SheetSettings::grid2WidthPx},
    {54, &SheetSettings::grid2Dash},
    {55, &SheetSettings::grid2Gap},
    {56, &SheetSettings::plotLineWidthPx},
    {57, &SheetSettings::plotMarkWidthPx},
    {58, &SheetSettings::style2SoilColumnWidthMm},
    {59, &SheetSettings::style2ScaleColumnWidthMm},
    {60, &SheetSettings::style2GraphWidthMm},
    {61, &SheetSettings::style2BlockHeightMm},
    {62, &SheetSettings::style2BlockLeftMm},
    {63, &SheetSettings::style2BlockTopMm},
    {64, &SheetSettings::style2BlockTopTwoColumnMm},
    {68, &SheetSettings::companyName},
    {69, &SheetSettings::contactText},
    {70, &SheetSettings::enterKeyMode},
};

constexpr int kFirstStoredOnlyLine = 71;

const LineEntry* FindLine(int line) {
    for (const LineEntry& e : kLines)
        if (e.line == line) return &e;
    return nullptr;
}

struct FontLimits {
    double defaultSize;
    double limit;
};
constexpr FontLimits kFontLimits[kSheetFontCount + 1] = {{0, 0},    {12, 400}, {10, 100}, {8, 100},
                                                         {9, 100},  {8, 100},  {9, 100}};

}  // namespace

void ApplySettingsDefaults(SheetSettings& s) {
    s.topMarginMm = 5;
    s.leftMarginMm = 20;
    s.boxLineWidthPx = 2;
    s.frameLineWidthPx = 1;
    s.grid1WidthPx = 1;
    s.grid1Dash = 5;
    s.grid1Gap = 0;
    s.grid2WidthPx = 1;
    s.style2SoilColumnWidthMm = "5";
    s.style2ScaleColumnWidthMm = "7";
    s.style2GraphWidthMm = "80";
    s.style2BlockHeightMm = "100";
    s.style2BlockLeftMm = "86";
    s.style2BlockTopMm = "40";
    s.style2BlockTopTwoColumnMm = "120";
    s.companyName = "\x8a\x94\x8e\xae\x89\xef\x8e\xd0";  // 株式会社
    s.contactText = "Vosk support <support@vosk.example>";
    s.enterKeyMode = 1;
}

void ApplyRangeDefaults(SheetSettings& s) {
    // A position that is no number at all (a missing Sys.ndx) gets its
    // standard value too; the others fall below their limit as 0.
    if (IsNumericText(s.pointNoStartMm) != 1 || ParseDecimal(s.pointNoStartMm) <= -10) s.pointNoStartMm = "31.0";
    if (ParseDecimal(s.elevationStartMm) < 10) s.elevationStartMm = "70.0";
    if (ParseDecimal(s.pointNoLabelWidthMm) < 10) s.pointNoLabelWidthMm = "25.0";
    if (ParseDecimal(s.bottomLinePositionMm) < 10) s.bottomLinePositionMm = "257";
}

void ParseSettingsFile(SheetSettings& s, std::string_view bytes) {
    int line = 0;
    ForEachLine(bytes, [&](std::string_view raw) {
        if (++line > kSettingsReadLines) return false;
        std::string_view text = StripLineEnd(raw);
        if (line >= kFirstStoredOnlyLine) {
            s.storedOnly[line - kFirstStoredOnlyLine] = text;
        } else if (const LineEntry* e = FindLine(line)) {
            if (auto* field = std::get_if<FieldText SheetSettings::*>(&e->member)) {
                s.*(*field) = text;
            } else {
                long SheetSettings::*number = std::get<long SheetSettings::*>(e->member);
                // The Enter key keeps its standard behaviour when the line is unusable.
                long fallback = number == &SheetSettings::enterKeyMode ? 1 : 0;
                s.*number = IsNumericText(text) == 1 ? ParseInteger(text) : fallback;
            }
        }
        return true;
    });
}

FieldText SettingsLine(const SheetSettings& s, int line) {
    if (line == 1) return "100";
    if (line >= kFirstStoredOnlyLine && line <= kSettingsReadLines) return s.storedOnly[line - kFirstStoredOnlyLine];
    const LineEntry* e = FindLine(line);
    if (!e) return {};
    if (auto* field = std::get_if<FieldText SheetSettings::*>(&e->member)) return s.*(*field);
    return FormatInteger(s.*std::get<long SheetSettings::*>(e->member));
}

std::string FormatSettingsFile(const SheetSettings& s) {
    std::string out;
    for (int line = 1; line <= kSettingsFileLines; ++line) {
        out += SettingsLine(s, line);
        out += "\r\n";
    }
    return out;
}

double DefaultFontSize(int index) { return kFontLimits[index].defaultSize; }

double FontSizeLimit(int index) { return kFontLimits[index].limit; }

SheetFont DefaultFont(int index) { return ParseFontFile(index, {}); }

SheetFont ParseFontFile(int index, std::string_view bytes) {
    SheetFont font;
    int line = 0;
    ForEachLine(bytes, [&](std::string_view raw) {
        std::string_view text = StripLineEnd(raw);
        switch (++line) {
            case 1: font.size = ParseDecimal(text); break;
            case 2: font.face = text; break;
            case 3: font.colour = ParseIntegerAnyBase(text); break;
            case 4: font.underline = ParseInteger(text); break;
            default: return false;
        }
        return true;
    });
    if (font.face.size() <= 1) font.face = kDefaultFontFace;
    if (!(font.size > 1) || font.size > FontSizeLimit(index)) font.size = DefaultFontSize(index);
    return font;
}

std::string FormatFontFile(const SheetFont& font) {
    return FormatFixed(font.size, 1) + "\r\n" + font.face + "\r\n" + FormatInteger(font.colour) + "\r\n" +
           FormatInteger(font.underline) + "\r\n";
}

Colour ParseColour(std::string_view text) { return static_cast<Colour>(ParseIntegerAnyBase(text)); }

}  // namespace vosk
