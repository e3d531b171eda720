#pragma once
// The rules of the digits dialog ("表示桁数 項目名") that need no widgets:
// its choices, its standard example and what OK stores.

#include <vector>

#include "settings/sheet_settings.h"

namespace vosk {

// The digits dialog's controls by number.
namespace digits_control {
inline constexpr int kN = 1056;
inline constexpr int kDepth = 1057;
inline constexpr int kIncrement = 1058;
inline constexpr int kNd = 1059;
inline constexpr int kNdItemName = 1019;
inline constexpr int kStyle2N = 1000;   // shows the decimals of N
inline constexpr int kStyle2Nd = 1003;  // shows the decimals of Nd
inline constexpr int kStandardExample = 1080;
}  // namespace digits_control

struct DigitsForm {
    FieldText digitsN;
    FieldText digitsDepth;
    FieldText digitsIncrement;
    FieldText digitsNd;
    FieldText ndItemName;
};

// The items of the four digits combo boxes and of the Nd item name.
std::vector<FieldText> DigitsChoices();
std::vector<FieldText> NdItemNameChoices();

DigitsForm LoadDigitsForm(const SheetSettings& s);
bool DigitsNeedStandardExample(const DigitsForm& form);
void ApplyStandardDigits(DigitsForm& form);
void StoreDigitsForm(const DigitsForm& form, SheetSettings& s);

}  // namespace vosk
