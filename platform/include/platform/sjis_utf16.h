// Shift-JIS (code page 932) to and from UTF-16, the form wide texts take
// inside workbook files. Lenient like the system's own code-page calls: a
// character without a counterpart becomes '?' and conversion goes on.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class Utf16Converter {
  public:
    Utf16Converter();
    ~Utf16Converter();
    Utf16Converter(const Utf16Converter&) = delete;
    Utf16Converter& operator=(const Utf16Converter&) = delete;

    // False when a character had no Shift-JIS form (it became '?').
    bool toSjis(std::u16string_view text, std::string& out);
    void toUtf16(std::string_view sjis, std::u16string& out);

  private:
    void* toSjis_;
    void* toUtf16_;
};

}  // namespace platform
