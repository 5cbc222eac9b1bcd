// The one place where UTF-8 text enters the engine and its answers leave it
// in UTF-8: the handle API's UTF-8 calls, and through them the command line
// tool and the bindings.
#pragma once

#include <platform/sjis.h>

#include <string>
#include <string_view>

namespace keszip {

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF).
bool isUtf8(std::string_view text);

// Converts a user's UTF-8 text into the engine's Shift-JIS form in `out`.
// Dash and minus forms without a Shift-JIS form become '-' (those with one,
// such as U+2010, U+2015, U+2212 and U+FF0D, convert to the Shift-JIS dash the
// engine already reads as a hyphen); any other character without a Shift-JIS
// form becomes the placeholder 〓. Returns KESZIP_UTF8_OK,
// KESZIP_UTF8_REPLACED when a placeholder was written, and KESZIP_UTF8_INVALID
// or KESZIP_UTF8_NUL_BYTE (with `out` empty) for text that cannot be what its
// writer meant.
int utf8ToEngineText(std::string_view utf8, platform::SjisConverter& converter, std::string& out);

// The UTF-8 form of an engine text into `out` (`size` bytes with its NUL),
// cut at a whole character when it would not fit. `scratch` is reused
// between calls.
void engineTextToUtf8(std::string_view sjis, platform::SjisConverter& converter, char* out,
                      std::size_t size, std::string& scratch);

}  // namespace keszip
