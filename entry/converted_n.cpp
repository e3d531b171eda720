#include "entry/converted_n.h"

#include <cctype>
#include <cmath>
#include <string>

#include "survey/numbers.h"

namespace vosk {
namespace {

// A plain decimal number without sign ("1.5", "0.67", ".5") at `pos`.
bool TakeNumber(const std::string& s, size_t& pos, double& value) {
    const size_t start = pos;
    bool digits = false;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) ++pos, digits = true;
    if (pos < s.size() && s[pos] == '.')
        for (++pos; pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]));) ++pos, digits = true;
    if (!digits) {
        pos = start;
        return false;
    }
    value = ParseDecimal(std::string_view(s).substr(start, pos - start));
    return true;
}

bool TakeWord(const std::string& s, size_t& pos, std::string_view word) {
    if (s.compare(pos, word.size(), word) != 0) return false;
    pos += word.size();
    return true;
}

// "nd", "nd/D", "B*nd" at `pos`: the factor of Nd.
bool TakeNdTerm(const std::string& s, size_t& pos, double& factor) {
    double b = 1;
    if (TakeNumber(s, pos, b) && !TakeWord(s, pos, "*")) return false;
    if (!TakeWord(s, pos, "nd")) return false;
    if (TakeWord(s, pos, "/")) {
        double d = 0;
        if (!TakeNumber(s, pos, d) || d == 0) return false;
        b /= d;
    }
    factor = b;
    return true;
}

}  // namespace

std::optional<NRelation> ParseNRelation(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t') s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t pos = 0;
    NRelation relation;
    double sign = 1;
    // An optional constant in front: "A+", "A-", "-A+".
    if (TakeWord(s, pos, "-")) sign = -1;
    const size_t afterSign = pos;
    double a = 0;
    if (TakeNumber(s, pos, a) && pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        relation.a = sign * a;
        sign = s[pos++] == '-' ? -1 : 1;
    } else {
        pos = afterSign;
    }
    if (!TakeNdTerm(s, pos, relation.b) || pos != s.size()) return std::nullopt;
    relation.b *= sign;
    if (!std::isfinite(relation.a) || !std::isfinite(relation.b)) return std::nullopt;
    return relation;
}

FieldText ConvertedN(const NRelation& relation, std::string_view ndText) {
    if (IsNumericText(ndText) != 1) return {};
    const double n = relation.a + relation.b * ParseDecimal(ndText);
    if (!std::isfinite(n)) return {};
    return FormatFixed(n, 2);
}

}  // namespace vosk
