// Character tables of the address-text folding, as Shift-JIS codes.
#include <algorithm>
#include <array>

#include "fold_internal.h"

namespace keszip::folding {
namespace {

// Full-width symbols 0x8141-0x8197 by position; 0 means dropped. The
// iteration mark 0x8158 is never looked up here (it folds as a kanji) and
// 0x817F is unassigned.
constexpr std::uint16_t kSymbolFirst = 0x8141;
constexpr std::uint16_t kSymbolLast = 0x8197;
constexpr unsigned char kSymbols[kSymbolLast - kSymbolFirst + 1] = {
    0xA4, 0xA1, ',',  0,    0,    ':',  ';',  '?',  // 8141 、 。 ， ． ・ ： ； ？
    '!',  0xDE, 0xDF, '`',  '`',  0,    '^',  '~',  // 8149 ！ ゛ ゜ ´ ｀ ¨ ＾ ￣
    '_',  0,    0,    0,    0,    0,    0,    0,    // 8151 ＿ ヽ ヾ ゝ ゞ 〃 仝 々
    0,    0,    '-',  '-',  '-',  0,    0,    '~',  // 8159 〆 〇 ー ― ‐ ／ ＼ ～
    0,    '|',  0,    0,    '\'', '\'', '"',  '"',  // 8161 ∥ ｜ … ‥ ‘ ’ “ ”
    '(',  ')',  0,    0,    '[',  ']',  '{',  '}',  // 8169 （ ） 〔 〕 ［ ］ ｛ ｝
    '<',  '>',  0,    0,    0xA2, 0xA3, 0,    0,    // 8171 〈 〉 《 》 「 」 『 』
    0,    0,    '+',  '-',  0,    0,    0,    0,    // 8179 【 】 ＋ － ± × (unassigned) ÷
    '=',  0,    '<',  '>',  0,    0,    0,    0,    // 8181 ＝ ≠ ＜ ＞ ≦ ≧ ∞ ∴
    0,    0,    0xDF, '\'', '"',  0,    '\\', '$',  // 8189 ♂ ♀ ° ′ ″ ℃ ￥ ＄
    0,    0,    '%',  '#',  0,    '*',  '@',        // 8191 ￠ ￡ ％ ＃ ＆ ＊ ＠
};

// Half-width kana of katakana ァ..ヶ (0x8340-0x8396 without 0x837F) by
// position; hiragana ぁ..ん (0x829F-0x82F1) use the same positions.
constexpr unsigned char kVoiced = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoiced = 0xDF;  // ﾟ
// clang-format off
constexpr HalfWidthKana kKana[] = {
    {0xB1, 0}, {0xB1, 0}, {0xB2, 0}, {0xB2, 0}, {0xB3, 0}, {0xB3, 0},                    // ァアィイゥウ
    {0xB4, 0}, {0xB4, 0}, {0xB5, 0}, {0xB5, 0}, {0xB6, 0}, {0xB6, kVoiced},              // ェエォオカガ
    {0xB7, 0}, {0xB7, kVoiced}, {0xB8, 0}, {0xB8, kVoiced}, {0xB9, 0}, {0xB9, kVoiced},  // キギクグケゲ
    {0xBA, 0}, {0xBA, kVoiced}, {0xBB, 0}, {0xBB, kVoiced}, {0xBC, 0}, {0xBC, kVoiced},  // コゴサザシジ
    {0xBD, 0}, {0xBD, kVoiced}, {0xBE, 0}, {0xBE, kVoiced}, {0xBF, 0}, {0xBF, kVoiced},  // スズセゼソゾ
    {0xC0, 0}, {0xC0, kVoiced}, {0xC1, 0}, {0xC1, kVoiced}, {0xC2, 0}, {0xC2, 0},        // タダチヂッツ
    {0xC2, kVoiced}, {0xC3, 0}, {0xC3, kVoiced}, {0xC4, 0}, {0xC4, kVoiced}, {0xC5, 0},  // ヅテデトドナ
    {0xC6, 0}, {0xC7, 0}, {0xC8, 0}, {0xC9, 0}, {0xCA, 0}, {0xCA, kVoiced},              // ニヌネノハバ
    {0xCA, kSemiVoiced}, {0xCB, 0}, {0xCB, kVoiced},                                     // パヒビ
    {0xCB, kSemiVoiced}, {0xCC, 0}, {0xCC, kVoiced},                                     // ピフブ
    {0xCC, kSemiVoiced}, {0xCD, 0}, {0xCD, kVoiced},                                     // プヘベ
    {0xCD, kSemiVoiced}, {0xCE, 0}, {0xCE, kVoiced},                                     // ペホボ
    {0xCE, kSemiVoiced}, {0xCF, 0}, {0xD0, 0}, {0xD1, 0}, {0xD2, 0}, {0xD3, 0},          // ポマミムメモ
    {0xD4, 0}, {0xD4, 0}, {0xD5, 0}, {0xD5, 0}, {0xD6, 0}, {0xD6, 0},                    // ャヤュユョヨ
    {0xD7, 0}, {0xD8, 0}, {0xD9, 0}, {0xDA, 0}, {0xDB, 0}, {0xDC, 0},                    // ラリルレロヮ
    {0xDC, 0}, {0xB2, 0}, {0xB4, 0}, {0xA6, 0}, {0xDD, 0}, {0xB3, kVoiced},              // ワヰヱヲンヴ
    {0xB6, 0}, {0xB9, 0},                                                                // ヵヶ
};
// clang-format on
static_assert(std::size(kKana) == 86);

// Built-in kanji pairs in their order of precedence: the suffix pairs first,
// then the variant forms folded to one form in both modes.
constexpr KanjiPair kPairs[] = {
    {0x9373, "\xC4", true, false},          // 都 ﾄ
    {0x93B9, "\xC4\xDE\xB3", true, false},  // 道 ﾄﾞｳ
    {0x957B, "\xCC", true, false},          // 府 ﾌ
    {0x8CA7, "\xB9\xDD", true, false},      // 県 ｹﾝ
    {0x8E73, "\xBC", true, false},          // 市 ｼ
    {0x8C53, "\xB8\xDE\xDD", true, false},  // 郡 ｸﾞﾝ
    {0x8BE6, "\xB8", true, false},          // 区 ｸ
    {0x92AC, "\xCF\xC1", true, true},       // 町 ﾏﾁ
    {0x91BA, "\xD1\xD7", true, true},       // 村 ﾑﾗ
    {0x9387, "\xDD\xCF", true, true},       // 島 ﾝﾏ
    {0x8E9A, "\xB1\xBB\xDE", true, false},  // 字 ｱｻﾞ
    {0x9454, "\xC9", true, false},          // 乃 ﾉ
    {0x9456, "\xC9", true, false},          // 之 ﾉ
    {0x9388, "\xDD\xCF", true, true},       // 嶋 ﾝﾏ
    {0xE9CB, "\x88\xB1", false, false},     // 鰺 鯵
    {0xE9F2, "\x89\xA7", false, false},     // 鶯 鴬
    {0xE579, "\x8A\x61", false, false},     // 蠣 蛎
    {0x9D98, "\x8A\x68", false, false},     // 攪 撹
    {0xE27D, "\x8A\x98", false, false},     // 竈 釜
    {0x8A96, "\x8A\x98", false, false},     // 竃 釜
    {0x9FF3, "\x8A\xC1", false, false},     // 灌 潅
    {0xE67C, "\x8A\xD0", false, false},     // 諫 諌
    {0xE8F2, "\x8C\x7A", false, false},     // 頸 頚
    {0xE1E6, "\x8D\x7B", false, false},     // 礦 砿
    {0xE541, "\x8E\xC7", false, false},     // 蘂 蕊
    {0xE8D5, "\x90\x78", false, false},     // 靱 靭
    {0xE6CB, "\x91\x47", false, false},     // 賤 賎
    {0x9AE2, "\x92\xD9", false, false},     // 壺 壷
    {0xE1E8, "\x93\x76", false, false},     // 礪 砺
    {0x9E8D, "\x93\x8E", false, false},     // 檮 梼
    {0x9FB7, "\x93\x93", false, false},     // 濤 涛
    {0xE78E, "\x93\xF4", false, false},     // 邇 迩
    {0xE5A2, "\x94\x88", false, false},     // 蠅 蝿
    {0x9E77, "\x95\x4F", false, false},     // 檜 桧
    {0x98D4, "\x96\x99", false, false},     // 儘 侭
    {0xE54D, "\x96\xF7", false, false},     // 藪 薮
    {0xE2C4, "\x98\x55", false, false},     // 籠 篭
    {0xE8D4, "\x90\x78", false, false},     // 靫 靭
    {0xE056, "\x91\xF2", false, false},     // 澤 沢
    {0x97B4, "\x97\xB3", false, false},     // 龍 竜
    {0x9E8A, "\x8F\xF0", false, false},     // 條 条
    {0x918C, "\x94\x94", false, false},     // 糟 粕
    {0x88AF, "\x88\xB0", false, false},     // 葦 芦
    {0x9FE2, "\x8C\x6B", false, false},     // 溪 渓
    {0x95A3, "\x9F\xBA", false, false},     // 淵 渕
    {0x8ADA, "\x8A\xD9", false, false},     // 舘 館
    {0x95F5, "\x95\xF4", false, false},     // 峯 峰
    {0x915C, "\x91\x5D", false, false},     // 曾 曽
    {0x9F4E, "\x8D\xF7", false, false},     // 櫻 桜
    {0x98C5, "\x95\xA7", false, false},     // 佛 仏
    {0xEAA0, "\x96\x8A", false, false},     // 槇 槙
    {0x9448, "\x94\x49", false, false},     // 禰 祢
    {0x9579, "\x95\x78", false, false},     // 冨 富
    {0x8AA1, "\x8A\xA0", false, false},     // 苅 刈
    {0xEA8E, "\x90\xC4", false, false},     // 齊 斉
    {0x8DD6, "\x90\xC4", false, false},     // 斎 斉
    {0xE256, "\x90\xC4", false, false},     // 齋 斉
    {0x8E58, "\x8D\xF2", false, false},     // 珊 柵
    {0x999B, "\x8C\x95", false, false},     // 剱 剣
    {0x8CC8, "\x96\xA4", false, false},     // 己 巳
};

// Each code appears once, so a lookup by code finds the pair that comes
// first in the order of precedence.
constexpr auto kPairsByCode = [] {
    std::array<const KanjiPair*, std::size(kPairs)> sorted{};
    for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i] = &kPairs[i];
    std::sort(sorted.begin(), sorted.end(),
              [](const KanjiPair* a, const KanjiPair* b) { return a->from < b->from; });
    return sorted;
}();
static_assert(std::adjacent_find(kPairsByCode.begin(), kPairsByCode.end(),
                                 [](const KanjiPair* a, const KanjiPair* b) {
                                     return a->from == b->from;
                                 }) == kPairsByCode.end());

struct NumeralCode {
    std::uint16_t code;
    int value;
};
constexpr NumeralCode kDigits[] = {
    {0x88EA, 1}, {0x93F1, 2}, {0x8E4F, 3}, {0x8E6C, 4}, {0x8CDC, 5},  // 一二三四五
    {0x985A, 6}, {0x8EB5, 7}, {0x94AA, 8}, {0x8BE3, 9}, {0x97EB, 0},  // 六七八九零
    {0x88EB, 1}, {0x93F3, 2}, {0x8E51, 3}, {0x8CDE, 5},               // 壱弐参伍
};
constexpr NumeralCode kMultipliers[] = {
    {0x8F5C, 1}, {0x8F45, 1}, {0x9553, 2}, {0x90E7, 3},  // 十拾百千
};

}  // namespace

unsigned char foldSymbol(std::uint16_t code) {
    if (code < kSymbolFirst || code > kSymbolLast) return 0;
    return kSymbols[code - kSymbolFirst];
}

HalfWidthKana foldKana(std::uint16_t code) {
    if (code >= 0x829F && code <= 0x82F1) return kKana[code - 0x829F];
    if (code >= 0x8340 && code <= 0x8396 && code != 0x837F)
        return kKana[code - 0x8340 - (code > 0x837F ? 1 : 0)];
    return {};
}

const KanjiPair* findKanjiPair(std::uint16_t code, bool withSuffixes) {
    auto it =
        std::lower_bound(kPairsByCode.begin(), kPairsByCode.end(), code,
                         [](const KanjiPair* pair, std::uint16_t c) { return pair->from < c; });
    if (it == kPairsByCode.end() || (*it)->from != code) return nullptr;
    if ((*it)->suffix && !withSuffixes) return nullptr;
    return *it;
}

int kanjiDigit(std::uint16_t code) {
    for (const auto& d : kDigits)
        if (d.code == code) return d.value;
    return -1;
}

int kanjiMultiplierExponent(std::uint16_t code) {
    for (const auto& m : kMultipliers)
        if (m.code == code) return m.value;
    return 0;
}

}  // namespace keszip::folding
