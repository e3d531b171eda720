#include "survey/csv_text.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/string_table.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        char32_t cp, min;
        if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (s.size() - i < len) return false;
        for (size_t k = 1; k < len; ++k) {
            unsigned char t = s[i + k];
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // Overlong forms and surrogates are not UTF-8 a spreadsheet writes.
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

bool DecodeCsvText(std::string_view bytes, std::string& utf8) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        if (!IsValidUtf8(bytes)) return false;
        utf8 = bytes;
        return true;
    }
    if (IsValidUtf8(bytes)) {
        utf8 = bytes;
        return true;
    }
    if (!IsValidCp932(bytes)) return false;
    utf8 = Cp932ToUtf8(bytes);
    return true;
}

char TableSeparator(std::string_view text) { return text.find('\t') != std::string_view::npos ? '\t' : ','; }

std::string_view WithoutLastLineEnd(std::string_view text) { return StripLineEnd(text); }

bool IsSeveralLines(std::string_view text) {
    return WithoutLastLineEnd(text).find('\n') != std::string_view::npos;
}

bool SplitTableLine(std::string_view line, char separator, std::vector<std::string>& fields, std::string& problem) {
    fields.clear();
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            for (++i;; ++i) {
                if (i >= line.size()) {
                    problem = MessageText(message::kUnclosedQuote);
                    return false;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i];
            }
            if (i < line.size() && line[i] != separator) {
                problem = MessageText(message::kTextAfterQuote);
                return false;
            }
        } else {
            size_t end = std::min(line.find(separator, i), line.size());
            field.assign(line.substr(i, end - i));
            i = end;
        }
        fields.push_back(std::move(field));
        if (i >= line.size()) return true;
        ++i;  // the separator
    }
}

std::string QuoteTableField(std::string_view text, char separator) {
    if (text.find_first_of("\"\r\n") == std::string_view::npos && text.find(separator) == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace vosk
