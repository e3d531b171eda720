#include "soil/soil_name_composer.h"

#include <cmath>

#include "platform/cp932.h"
#include "platform/message_service.h"
#include "platform/string_table.h"
#include "survey/numbers.h"

namespace vosk {
namespace {

constexpr size_t kItemNameBytes = 32;
constexpr size_t kItemSymbolBytes = 8;

void Empty(SoilGroup& g) {
    g.name.clear();
    g.pattern.clear();
    g.symbol.clear();
    g.percentage.clear();
}

bool EndsWithAny(const FieldText& text, std::initializer_list<const char*> endings) {
    for (const char* e : endings)
        if (EndsWithCp932(text, Cp932Literal(e))) return true;
    return false;
}

// The digit after the decimal point of a code such as 5100.5.
int FractionDigit(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>((value - std::floor(value)) * 10.1);
}

// Sums of codes are taken wide, so no text a user typed can overflow them.
std::string PatternText(long long whole, int fraction, bool alwaysFraction) {
    std::string text = std::to_string(whole);
    if (fraction != 0 || alwaysFraction) text += "." + std::to_string(fraction);
    return text;
}

bool GuardAlternation(SoilGroup& target, PickOutcome& outcome) {
    if (!target.alternation) return false;
    ShowMessage(message::kNotForAlternation);
    Empty(target);
    outcome.refusedInAlternation = true;
    return true;
}

}  // namespace

AlternationState& SoilAlternation() {
    static AlternationState state;
    return state;
}

SoilNameLists FillSoilNameLists(const SoilNameList& table) {
    SoilNameLists lists;
    for (const SoilNameEntry& e : table.entries) {
        if (e.code < 0) continue;
        SoilList list;
        if (e.group == 1) {
            if (e.code >= 10000)
                list = SoilList::Whole;
            else if (e.code >= 100)
                list = SoilList::Alternation;
            else
                continue;
        } else {
            list = e.group == 2 ? SoilList::Auxiliary : SoilList::Appended;
        }
        SoilListItem item;
        item.name = TruncateCp932(e.name, kItemNameBytes);
        item.symbol = TruncateCp932(e.symbol, kItemSymbolBytes);
        item.code = FormatInteger(e.code);
        item.value = ParseDecimal(e.codeText);
        lists.items[static_cast<int>(list)].push_back(std::move(item));
    }
    return lists;
}

PickOutcome PickSoilName(SoilList list, const SoilListItem* item, int targetGroup, SoilGroup& target,
                         AlternationState& state) {
    PickOutcome outcome;
    if (list == SoilList::Alternation) {
        if (state.counter < 3 && target.alternation) {
            ++state.counter;
        } else {
            state.counter = 0;
            state.pendingFraction = 0;
        }
        if (!item) return outcome;
        static const FieldText kAlternation = Cp932Literal("互層"), kDot = Cp932Literal("・");
        FieldText name = target.name;
        long long pattern = ParseInteger(target.pattern);
        if (FindCp932(name, kAlternation) != std::string::npos) return outcome;
        long long code = ParseInteger(item->code);
        int fraction = FractionDigit(item->value);
        switch (state.counter) {
            case 0:
                if ((pattern < 0 || pattern > 99) && !name.empty() && !EndsWithAny(name, {"り", "混", "質"})) {
                    Empty(target);
                    outcome.resetFlags = true;
                    name.clear();
                    pattern = 0;
                    state.pendingFraction = 0;
                }
                target.name = name + item->name;
                target.pattern = PatternText(pattern + code, fraction, false);
                state.pendingFraction = 0;
                target.symbol = item->symbol + target.symbol;
                break;
            case 1:
                target.name = item->name + kDot;
                target.pattern = std::to_string(code + 90000);
                state.pendingFraction = fraction;
                target.symbol = item->symbol;
                break;
            case 2:
                if (!EndsWithCp932(name, kDot)) break;
                target.name = name + item->name + kAlternation;
                target.pattern = PatternText(pattern + code / 100, fraction | state.pendingFraction, true);
                state.pendingFraction = 0;
                if (!target.symbol.empty()) target.symbol += "/" + item->symbol;
                break;
            default:
                break;
        }
        return outcome;
    }

    if (GuardAlternation(target, outcome) || !item) return outcome;
    if (list == SoilList::Appended) {
        long long pattern = ParseInteger(target.pattern);
        if ((pattern < 0 || pattern > 9) && !target.name.empty() && !EndsWithAny(target.name, {"り", "混"})) {
            Empty(target);
            outcome.resetFlags = true;
            return outcome;
        }
        target.name += item->name;
        target.pattern = std::to_string(pattern + ParseInteger(item->code));
        target.symbol = item->symbol + target.symbol;
        return outcome;
    }
    // A whole name or an auxiliary name replaces what the group held. The
    // second symbol of group 2 follows only auxiliary names.
    target.name = item->name;
    target.pattern = item->code;
    if (targetGroup == 1 || list == SoilList::Auxiliary) target.symbol = item->symbol;
    return outcome;
}

}  // namespace vosk
