// Arbitrary bytes through the address-text folding: both forms, a tiny and a
// full-size buffer, with and without the built-in pairs and with a few
// KESZIP.TBL pairs, and the office-name variant. The buffers are checked for
// writes past their end and for a missing or misplaced terminator.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "src/fold.h"

namespace {

keszip::FoldSettings makeSettings(bool tableOff, int level) {
    keszip::FoldSettings settings;
    settings.kanjiTableOff = tableOff ? 1 : 0;
    settings.kanSuujiConvLevel = level;
    settings.kanjiSubstitutions = {
        {"\xFB\xFC", "\x8D\x82"},                  // 髙 → 高
        {"\xED\x95\x8B\xCA", "\x8D\xE8\x8B\xCA"},  // 﨑玉 → 崎玉 (two characters)
        {"\x88\xEA", "\x93\xF1\x8F\x5C\xB6\xDE"},  // 一 → 二十ｶﾞ (grows, ends in kana)
        {"\x8A\x4B", "\x8F"},                      // 階 → a lone lead byte
    };
    return settings;
}

void foldInto(std::string_view text, std::size_t outSize, int mode,
              const keszip::FoldSettings& settings) {
    constexpr std::size_t kGuard = 16;
    std::vector<char> buffer(outSize + kGuard, '\x5A');
    const std::size_t length = keszip::foldText(text, buffer.data(), outSize, mode, settings);
    for (std::size_t i = outSize; i < buffer.size(); ++i)
        if (buffer[i] != '\x5A') std::abort();
    if (outSize == 0) return;
    if (length >= outSize || buffer[length] != '\0' || std::strlen(buffer.data()) != length)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const keszip::FoldSettings kSettings[] = {makeSettings(false, 0), makeSettings(false, 1),
                                                     makeSettings(true, 0)};
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& settings : kSettings) {
        for (int mode : {keszip::kFoldLiteral, keszip::kFoldMatching}) {
            foldInto(text, 7, mode, settings);
            foldInto(text, keszip::kFoldBufferSize, mode, settings);
        }
        if (keszip::foldOfficeText(text, settings).size() >= keszip::kFoldBufferSize) std::abort();
    }
    return 0;
}
