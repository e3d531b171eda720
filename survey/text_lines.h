#pragma once
// Cutting file bytes into lines: every reader removes the line end it finds
// (CR LF, LF, or none on a last line) and never a character of the text.

#include <string_view>

namespace vosk {

inline std::string_view StripLineEnd(std::string_view line) {
    if (line.ends_with("\r\n")) return line.substr(0, line.size() - 2);
    if (line.ends_with('\n')) return line.substr(0, line.size() - 1);
    return line;
}

// Calls `f(line)` with every physical line of `bytes`, its line end included;
// a last line without line end counts too. Stops when `f` returns false.
template <typename F>
void ForEachLine(std::string_view bytes, F&& f) {
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        size_t len = end == std::string_view::npos ? bytes.size() : end + 1;
        if (!f(bytes.substr(0, len))) return;
        bytes.remove_prefix(len);
    }
}

// As ForEachLine, but a line longer than `maxBytes` (line end included)
// arrives as several pieces of at most `maxBytes`, as list files are read.
template <typename F>
void ForEachPiece(std::string_view bytes, size_t maxBytes, F&& f) {
    while (!bytes.empty()) {
        size_t end = bytes.find('\n');
        size_t len = end == std::string_view::npos ? bytes.size() : end + 1;
        if (len > maxBytes) len = maxBytes;
        if (!f(bytes.substr(0, len))) return;
        bytes.remove_prefix(len);
    }
}

}  // namespace vosk
