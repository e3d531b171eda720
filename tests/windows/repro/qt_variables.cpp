// Wine leaves out of a Windows program's environment every Unix variable
// whose name begins with QT_ (so that the host's Qt settings do not reach a
// Windows Qt program), where Windows hands a child its parent's environment
// whole. Run with QT_REPRO=1 and OTHER_REPRO=1 set: under Wine only
// OTHER_REPRO arrives, so the test scripts give Qt's variables through the
// prefix's user environment (HKCU\Environment) instead.
#include <cstdio>
#include <cstdlib>

int wmain() {
    const bool qt = std::getenv("QT_REPRO") != nullptr;
    const bool other = std::getenv("OTHER_REPRO") != nullptr;
    std::printf("QT_REPRO %s, OTHER_REPRO %s\n", qt ? "arrived" : "missing", other ? "arrived" : "missing");
    // Wine's behaviour as described: the one missing, the other there.
    return !qt && other ? 0 : 1;
}
