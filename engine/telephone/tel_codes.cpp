#include "tel_codes.h"

#include <array>

#include "renumber.h"

namespace keszip::tel {
namespace {

constexpr std::array<std::string_view, 47> kPrefectureNames = {
    "\x96\x6B\x8A\x43\x93\xB9",          // 北海道
    "\x90\xC2\x90\x58\x8C\xA7",          // 青森県
    "\x8A\xE2\x8E\xE8\x8C\xA7",          // 岩手県
    "\x8B\x7B\x8F\xE9\x8C\xA7",          // 宮城県
    "\x8F\x48\x93\x63\x8C\xA7",          // 秋田県
    "\x8E\x52\x8C\x60\x8C\xA7",          // 山形県
    "\x95\x9F\x93\x87\x8C\xA7",          // 福島県
    "\x88\xEF\x8F\xE9\x8C\xA7",          // 茨城県
    "\x93\xC8\x96\xD8\x8C\xA7",          // 栃木県
    "\x8C\x51\x94\x6E\x8C\xA7",          // 群馬県
    "\x8D\xE9\x8B\xCA\x8C\xA7",          // 埼玉県
    "\x90\xE7\x97\x74\x8C\xA7",          // 千葉県
    "\x93\x8C\x8B\x9E\x93\x73",          // 東京都
    "\x90\x5F\x93\xDE\x90\xEC\x8C\xA7",  // 神奈川県
    "\x90\x56\x8A\x83\x8C\xA7",          // 新潟県
    "\x95\x78\x8E\x52\x8C\xA7",          // 富山県
    "\x90\xCE\x90\xEC\x8C\xA7",          // 石川県
    "\x95\x9F\x88\xE4\x8C\xA7",          // 福井県
    "\x8E\x52\x97\x9C\x8C\xA7",          // 山梨県
    "\x92\xB7\x96\xEC\x8C\xA7",          // 長野県
    "\x8A\xF2\x95\x8C\x8C\xA7",          // 岐阜県
    "\x90\xC3\x89\xAA\x8C\xA7",          // 静岡県
    "\x88\xA4\x92\x6D\x8C\xA7",          // 愛知県
    "\x8E\x4F\x8F\x64\x8C\xA7",          // 三重県
    "\x8E\xA0\x89\xEA\x8C\xA7",          // 滋賀県
    "\x8B\x9E\x93\x73\x95\x7B",          // 京都府
    "\x91\xE5\x8D\xE3\x95\x7B",          // 大阪府
    "\x95\xBA\x8C\xC9\x8C\xA7",          // 兵庫県
    "\x93\xDE\x97\xC7\x8C\xA7",          // 奈良県
    "\x98\x61\x89\xCC\x8E\x52\x8C\xA7",  // 和歌山県
    "\x92\xB9\x8E\xE6\x8C\xA7",          // 鳥取県
    "\x93\x87\x8D\xAA\x8C\xA7",          // 島根県
    "\x89\xAA\x8E\x52\x8C\xA7",          // 岡山県
    "\x8D\x4C\x93\x87\x8C\xA7",          // 広島県
    "\x8E\x52\x8C\xFB\x8C\xA7",          // 山口県
    "\x93\xBF\x93\x87\x8C\xA7",          // 徳島県
    "\x8D\x81\x90\xEC\x8C\xA7",          // 香川県
    "\x88\xA4\x95\x51\x8C\xA7",          // 愛媛県
    "\x8D\x82\x92\x6D\x8C\xA7",          // 高知県
    "\x95\x9F\x89\xAA\x8C\xA7",          // 福岡県
    "\x8D\xB2\x89\xEA\x8C\xA7",          // 佐賀県
    "\x92\xB7\x8D\xE8\x8C\xA7",          // 長崎県
    "\x8C\x46\x96\x7B\x8C\xA7",          // 熊本県
    "\x91\xE5\x95\xAA\x8C\xA7",          // 大分県
    "\x8B\x7B\x8D\xE8\x8C\xA7",          // 宮崎県
    "\x8E\xAD\x8E\x99\x93\x87\x8C\xA7",  // 鹿児島県
    "\x89\xAB\x93\xEA\x8C\xA7",          // 沖縄県
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string formatTelCode(std::uint32_t code, bool hyphen) {
    std::string text = "0" + std::to_string(code & 0xFFFFF);
    const std::size_t position = (code >> 20) & 0xF;
    if (hyphen && position >= 1 && position <= text.size()) text.insert(position - 1, 1, '-');
    return text;
}

std::uint32_t telKey(std::string_view number) {
    std::uint32_t key = 0;
    int digits = 0;
    for (char c : number) {
        if (c == '-') continue;
        if (!isDigit(c) || digits == 9) break;
        key = key * 10 + static_cast<std::uint32_t>(c - '0');
        ++digits;
    }
    return key;
}

bool matchesTelCode(std::string_view number, std::string_view written) {
    const bool hyphenated = number.find('-') != std::string_view::npos;
    std::size_t c = 0;
    for (char n : number) {
        if (n == ' ') continue;
        if (!hyphenated)
            while (c < written.size() && written[c] == '-') ++c;
        // The whole code leads the number: the number lies in the code's band.
        if (c == written.size()) return true;
        if (written[c] != n) return false;
        ++c;
    }
    return c == written.size() || written[c] == '-';
}

TelCodeList listTelCodes(const TownCandidate& town, int baseDate) {
    TelCodeList list;
    list.count = static_cast<int>(town.telCodes.size());
    for (std::uint32_t code : town.telCodes) {
        std::string written = formatTelCode(code);
        if (baseDate >= 1)
            if (auto renumbered = renumber(written, baseDate)) written = std::move(*renumbered);
        if (!list.text.empty()) list.text += ',';
        list.text += written;
    }
    return list;
}

std::string_view prefectureName(int prefecture) {
    if (prefecture < 1 || prefecture > static_cast<int>(kPrefectureNames.size())) return {};
    return kPrefectureNames[static_cast<std::size_t>(prefecture - 1)];
}

}  // namespace keszip::tel
