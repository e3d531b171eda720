#include "survey/list_file.h"

#include "platform/cp932.h"
#include "survey/text_lines.h"

namespace vosk {
namespace {

// The longest start of `text` that fits `maxBytes` and ends on a character
// boundary; at least one character, so reading goes on.
size_t PieceLength(std::string_view text, size_t maxBytes) {
    size_t fit = Cp932FitLength(text, maxBytes);
    return fit > 0 || text.empty() ? fit : Cp932CharLength(text, 0);
}

}  // namespace

std::vector<FieldText> SplitListEntries(std::string_view bytes, size_t pieceBytes, size_t maxEntries) {
    std::vector<FieldText> entries;
    if (pieceBytes == 0) return entries;
    ForEachLine(bytes, [&](std::string_view line) {
        std::string_view text = StripLineEnd(line);
        do {
            if (entries.size() >= maxEntries) return false;
            size_t len = PieceLength(text, pieceBytes);
            entries.emplace_back(text.substr(0, len));
            text.remove_prefix(len);
        } while (!text.empty());
        return true;
    });
    return entries;
}

}  // namespace vosk
