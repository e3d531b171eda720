#include "settings/digits_rules.h"

#include "platform/cp932.h"

namespace vosk {

std::vector<FieldText> DigitsChoices() {
    return {Cp932Literal("自動"), Cp932Literal("0 (整数)"), "1", "2"};
}

std::vector<FieldText> NdItemNameChoices() { return {Cp932Literal("Nd(回)"), Cp932Literal("Na(回)"), ""}; }

DigitsForm LoadDigitsForm(const SheetSettings& s) {
    return DigitsForm{s.digitsN, s.digitsDepth, s.digitsIncrement, s.digitsNd, s.ndItemName};
}

bool DigitsNeedStandardExample(const DigitsForm& form) { return form.digitsN.empty(); }

void ApplyStandardDigits(DigitsForm& f) {
    f.digitsN = "0";
    f.digitsDepth = Cp932Literal("自動");
    f.digitsIncrement = Cp932Literal("自動");
    f.digitsNd = "0";
    f.ndItemName = Cp932Literal("Nd(回)");
}

void StoreDigitsForm(const DigitsForm& f, SheetSettings& s) {
    s.digitsN = f.digitsN;
    s.digitsDepth = f.digitsDepth;
    s.digitsIncrement = f.digitsIncrement;
    s.digitsNd = f.digitsNd;
    s.ndItemName = f.ndItemName;
}

}  // namespace vosk
