#include "platform/command_line.h"

namespace vosk {

const char* const kHeadlessQtPlatform = "offscreen";

void UseBinaryStandardStreams() {}

// The bytes as the shell gave them: names are UTF-8 on this system.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

}  // namespace vosk
