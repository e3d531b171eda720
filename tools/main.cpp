// vosk-sheet: the data sheet from the command line.

#include <string>
#include <vector>

#include "tools/tool_common.h"

int main(int argc, char** argv) {
    using namespace vosk::tool;
    if (argc < 2) return Usage("no command");
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "dump") return DumpCommand(args);
    if (command == "set") return SetCommand(args);
    return Usage("unknown command: " + command);
}
