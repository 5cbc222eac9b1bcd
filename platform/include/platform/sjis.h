// Shift-JIS (code page 932, with the NEC and IBM extensions) to and from UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/sjis_bytes.h"

namespace platform {

// nullopt when the input is not valid in the source encoding or a character
// has no counterpart in the target encoding.
std::optional<std::string> sjisToUtf8(std::string_view sjis);
std::optional<std::string> utf8ToSjis(std::string_view utf8);

// Lenient form for display: undecodable bytes become U+FFFD.
std::string sjisToUtf8Lossy(std::string_view sjis);

// A reusable converter for many texts in a row: it keeps its conversion
// descriptors open instead of setting them up for every text.
class SjisConverter {
  public:
    SjisConverter();
    ~SjisConverter();
    SjisConverter(const SjisConverter&) = delete;
    SjisConverter& operator=(const SjisConverter&) = delete;
    // As the functions above; `out` receives the result, false on failure.
    bool toUtf8(std::string_view sjis, std::string& out);
    bool toSjis(std::string_view utf8, std::string& out);
    // Lenient form for display: undecodable bytes become U+FFFD.
    void toUtf8Lossy(std::string_view sjis, std::string& out);

  private:
    void* toUtf8_;
    void* toSjis_;
};

}  // namespace platform
