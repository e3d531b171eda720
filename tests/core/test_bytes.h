#pragma once
// CP932 texts the tests use, as escaped bytes.

#include <string_view>

namespace vosk::test {

inline constexpr std::string_view kKabushikiGaisha = "\x8a\x94\x8e\xae\x89\xef\x8e\xd0";  // 株式会社
inline constexpr std::string_view kNendo = "\x94\x53\x93\x79";                            // 粘土
inline constexpr std::string_view kJichin = "\x8e\xa9\x92\xbe";                           // 自沈

}  // namespace vosk::test
