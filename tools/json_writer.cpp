#include "tools/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/cp932.h"

namespace vosk {

std::string JsonString(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    if (value == 0) value = 0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

std::string JsonField(const FieldText& cp932) { return JsonString(Cp932ToUtf8(cp932)); }

}  // namespace vosk
