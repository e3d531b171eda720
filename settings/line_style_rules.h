#pragma once
// The rules of the line style dialog ("線種 調査業者名") that need no
// widgets: what it shows, its standard sets, the colour mode and what OK
// stores.

#include <span>

#include "settings/sheet_settings.h"

namespace vosk {

// The line style dialog's controls by number.
namespace line_style_control {
inline constexpr int kUnderlineWidth = 1106;
inline constexpr int kUnderlineDash = 1107;
inline constexpr int kUnderlineGap = 1108;
inline constexpr int kBoxLineWidth = 1095;
inline constexpr int kFrameLineWidth = 1096;
inline constexpr int kTableRuleWidth = 1103;
inline constexpr int kTableRuleDash = 1104;
inline constexpr int kTableRuleGap = 1105;
inline constexpr int kTableRuleColour = 1000;
inline constexpr int kTableRuleColourButton = 1068;
inline constexpr int kColour = 1071;      // "カラー"
inline constexpr int kMonochrome = 1072;  // "白黒"
inline constexpr int kGrid1Width = 1028;
inline constexpr int kGrid1Colour = 1001;
inline constexpr int kGrid1ColourButton = 1022;
inline constexpr int kGrid2Width = 1097;
inline constexpr int kGrid2Colour = 1002;
inline constexpr int kGrid2ColourButton = 1070;
inline constexpr int kPlotLineWidth = 1029;
inline constexpr int kPlotMarkWidth = 1030;
inline constexpr int kCompanyName = 1085;
inline constexpr int kColourStandard = 1045;  // "カラー 標準"
inline constexpr int kColourFine = 1046;      // "カラー 細密"
}  // namespace line_style_control

struct LineStyleForm {
    FieldText underlineWidthPx;
    FieldText underlineDashPx;
    FieldText underlineGapPx;
    FieldText boxLineWidthPx;
    FieldText frameLineWidthPx;
    FieldText tableRuleWidthPx;
    FieldText tableRuleDashPx;
    FieldText tableRuleGapPx;
    FieldText tableRuleColour;
    bool monochrome = false;  // "白黒", else "カラー"
    FieldText grid1WidthPx;
    FieldText grid1Colour;
    FieldText grid2WidthPx;
    FieldText grid2Colour;
    FieldText plotLineWidthPx;
    FieldText plotMarkWidthPx;
    FieldText companyName;
};

// The integer edits of the line style dialog, in the order OK checks them.
struct LineStyleIntegerControl {
    int control;
    FieldText LineStyleForm::*text;
    long SheetSettings::*setting;
};
std::span<const LineStyleIntegerControl> LineStyleIntegerControls();

// The three colour edits.
struct LineStyleColourControl {
    int control;
    FieldText LineStyleForm::*text;
};
std::span<const LineStyleColourControl> LineStyleColourControls();

LineStyleForm LoadLineStyleForm(const SheetSettings& s);
// Colour mode draws the table rules solid in their colour: the rule gap
// becomes "0" (the dialog also locks the rule dash and gap).
void ApplyColourMode(LineStyleForm& form);
// "カラー 標準", or with `fine` "カラー 細密" (grid 2 width "1", colour "0xffff80").
void ApplyStandardLineStyle(LineStyleForm& form, bool fine);
// Stores the form with both grids set solid (dash 5, gap 0); a field that is
// not an integer stores nothing and gives its control number. 0 when stored.
int StoreLineStyleForm(const LineStyleForm& form, SheetSettings& s);

// A colour as the colour picker writes it: "0x%06x".
FieldText FormatColourText(unsigned long colour);

}  // namespace vosk
