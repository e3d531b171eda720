#pragma once
// The sheet settings of Sys.ndx (one setting per line) and the six sheet
// fonts of Font1.ndx … Font6.ndx.

#include <array>
#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "survey/field_text.h"

namespace vosk {

inline constexpr int kSettingsFileLines = 80;   // lines SaveSettings writes
inline constexpr int kSettingsReadLines = 76;   // lines read back
inline constexpr int kSheetFontCount = 6;

struct SheetSettings {
    FieldText pointNoStartMm;          // 2
    FieldText elevationStartMm;        // 3
    FieldText pointNoLabelWidthMm;     // 4
    FieldText digitsN;                 // 5
    FieldText digitsDepth;             // 6
    FieldText digitsIncrement;         // 7
    FieldText digitsNd;                // 8
    FieldText digitsColumn5;           // 9
    FieldText ndItemName;              // 10
    long topMarginMm = 0;              // 11
    long leftMarginMm = 0;             // 12
    FieldText titlePositionMm;         // 13
    FieldText bottomLinePositionMm;    // 14
    long hideMetreSign = 0;            // 15
    long monochrome = 0;               // 34
    FieldText tableRuleColour;         // 35
    FieldText grid1Colour;             // 36
    FieldText grid2Colour;             // 37
    long boxLineWidthPx = 0;           // 41
    long frameLineWidthPx = 0;         // 42
    long underlineWidthPx = 0;         // 43
    long underlineDashPx = 0;          // 44
    long underlineGapPx = 0;           // 45
    long tableRuleWidthPx = 0;         // 46
    long tableRuleDashPx = 0;          // 47
    long tableRuleGapPx = 0;           // 48
    long grid1WidthPx = 0;             // 50
    long grid1Dash = 0;                // 51
    long grid1Gap = 0;                 // 52
    long grid2WidthPx = 0;             // 53
    long grid2Dash = 0;                // 54
    long grid2Gap = 0;                 // 55
    long plotLineWidthPx = 0;          // 56
    long plotMarkWidthPx = 0;          // 57
    FieldText style2SoilColumnWidthMm;   // 58
    FieldText style2ScaleColumnWidthMm;  // 59
    FieldText style2GraphWidthMm;        // 60
    FieldText style2BlockHeightMm;       // 61
    FieldText style2BlockLeftMm;         // 62
    FieldText style2BlockTopMm;          // 63
    FieldText style2BlockTopTwoColumnMm; // 64
    FieldText companyName;             // 68
    FieldText contactText;             // 69
    long enterKeyMode = 0;             // 70
    std::array<FieldText, 6> storedOnly;  // 71 to 76, kept unchanged
};

// The defaults used when Sys.ndx cannot be opened; the other settings keep
// their values.
void ApplySettingsDefaults(SheetSettings& s);

// The positions that make no sense on paper get their standard values.
void ApplyRangeDefaults(SheetSettings& s);

// Stores the lines of a Sys.ndx file (line k into the setting of line k;
// lines past 76 and unlisted lines are ignored).
void ParseSettingsFile(SheetSettings& s, std::string_view bytes);

// Line `line` (1 to 80) as SaveSettings writes it, without line end.
FieldText SettingsLine(const SheetSettings& s, int line);

// The 80 lines of Sys.ndx, each with CR LF.
std::string FormatSettingsFile(const SheetSettings& s);

struct SheetFont {
    double size = 0;
    FieldText face;
    long colour = 0;
    long underline = 0;
};

// Size limits of font `index` (1 to 6).
double DefaultFontSize(int index);
double FontSizeLimit(int index);

// "ＭＳ 明朝" in CP932.
inline constexpr std::string_view kDefaultFontFace = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";

// A font file read over the reset face, colour and underline, then the face
// and size defaults applied.
SheetFont ParseFontFile(int index, std::string_view bytes);
// Only the defaults, for a font whose file is missing.
SheetFont DefaultFont(int index);

// The four lines of a font file, each with CR LF.
std::string FormatFontFile(const SheetFont& font);

// A colour setting ("0x808080", decimal or octal) as a colour.
Colour ParseColour(std::string_view text);

}  // namespace vosk
