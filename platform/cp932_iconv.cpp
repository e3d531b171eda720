#include "platform/cp932_codec.h"

#include <cerrno>
#include <iconv.h>

namespace vosk::cp932_codec {
namespace {

// One iconv descriptor per direction, reset before each use; the program has
// a single thread.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the number of input bytes left
    // unconverted at the first failure (0 when everything converted).
    size_t Run(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        // Flush any shift state (none for these encodings, but cheap).
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        return inLeft;
    }

private:
    iconv_t cd_;
};

Converter& ToCp932() {
    static Converter c("CP932", "UTF-8");
    return c;
}

Converter& FromCp932() {
    static Converter c("UTF-8", "CP932");
    return c;
}

}  // namespace

bool Available() { return ToCp932().ok() && FromCp932().ok(); }

size_t Utf8ToCp932(std::string_view in, std::string& out) { return ToCp932().Run(in, out); }

size_t Cp932ToUtf8(std::string_view in, std::string& out) { return FromCp932().Run(in, out); }

}  // namespace vosk::cp932_codec
