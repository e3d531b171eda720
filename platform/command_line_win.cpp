#include "platform/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

#include "platform/drive_map.h"

namespace vosk {

const char* const kHeadlessQtPlatform = "minimal:enable_fonts:freetype";

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// argv holds the arguments in the ANSI code page, which cannot hold every
// name; the UTF-16 command line can.
std::vector<std::string> Utf8Arguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(PathToUtf8(std::filesystem::path(wide[i])));
    LocalFree(wide);
    return arguments;
}

}  // namespace vosk
