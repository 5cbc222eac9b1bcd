// Reading rules of the matching form: kana readings of the administrative
// suffixes, Kyoto's street directions and a few names whose spellings vary,
// rewritten in place so that every spelling gives one key.
#include <array>
#include <cstring>

#include "fold_internal.h"

namespace keszip::folding {
namespace {

struct ReadingRule {
    std::string_view from;
    std::string_view to;  // same length as `from`
};

constexpr ReadingRule kRules[] = {
    {"\xC1\xD6\xB3", "\xCF\xC1*"},     // ﾁﾖｳ → ﾏﾁ*
    {"\xBF\xDD", "\xD1\xD7"},          // ｿﾝ → ﾑﾗ
    {"\xC4\xB3", "\xDD\xCF"},          // ﾄｳ → ﾝﾏ
    {"\xBC\xDE\xCF", "\xDD\xCF*"},     // ｼﾞﾏ → ﾝﾏ*
    {"\x8F\xE3\xD9", "\x8F\xE3*"},     // 上ﾙ → 上*
    {"\x89\xBA\xD9", "\x89\xBA*"},     // 下ﾙ → 下*
    {"\x93\xFC\xD9", "\x93\xFC*"},     // 入ﾙ → 入*
    {"\x92\xCA\xD8", "\x92\xCA*"},     // 通ﾘ → 通*
    {"\xC2\xDE\xD0", "\xBD\xDE\xD0"},  // ﾂﾞﾐ → ｽﾞﾐ
    {"\xBB\xDD\xBC\xD4\xB2\xDD"
     "60",
     "\xBB\xDD\xBC\xD4\xB2\xDD\xDD\xDD"},  // ｻﾝｼﾔｲﾝ60 → ｻﾝｼﾔｲﾝﾝﾝ
    {"\xD0\xC5\xC4\xD0\xD7\xB2"
     "21",
     "\xD0\xC5\xC4\xD0\xD7\xB2\xC6\xB2"},  // ﾐﾅﾄﾐﾗｲ21 → ﾐﾅﾄﾐﾗｲﾆｲ
    {"\xCF\xC2\xBB\xDE\xB6\xBC", "\xCF\xC2\xBB\xB6\xBC*"},  // ﾏﾂｻﾞｶｼ → ﾏﾂｻｶｼ*
    {"SS30", "SS\xBB\xDD"},                                 // SS30 → SSｻﾝ
};

constexpr bool sameLengths() {
    for (const auto& rule : kRules)
        if (rule.from.size() != rule.to.size()) return false;
    return true;
}
static_assert(sameLengths());

// The bytes some rule starts with: every other position is passed over at once.
constexpr std::array<bool, 256> ruleStarts() {
    std::array<bool, 256> starts{};
    for (const auto& rule : kRules) starts[static_cast<unsigned char>(rule.from[0])] = true;
    return starts;
}
constexpr std::array<bool, 256> kRuleStarts = ruleStarts();

}  // namespace

void applyReadingRules(char* work, std::size_t size) {
    std::size_t pos = 0;
    while (pos < size) {
        const ReadingRule* match = nullptr;
        if (kRuleStarts[static_cast<unsigned char>(work[pos])]) {
            const std::string_view rest(work + pos, size - pos);
            for (const auto& rule : kRules) {
                if (rest.starts_with(rule.from)) {
                    match = &rule;
                    break;
                }
            }
        }
        if (match) {
            std::memcpy(work + pos, match->to.data(), match->to.size());
            pos += match->to.size();
        } else {
            pos += charLength(work, pos, size);
        }
    }
}

}  // namespace keszip::folding
