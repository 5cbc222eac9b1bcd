#include "search_place_lists.h"

#include <algorithm>
#include <string_view>

#include "conversion/sjis_literal.h"

namespace converter::search {
namespace {

constexpr std::string_view kPrefecturesUtf8[47] = {
    "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県",   "福島県", "茨城県",
    "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県",
    "石川県", "福井県", "山梨県", "長野県", "岐阜県", "静岡県",   "愛知県", "三重県",
    "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県", "島根県",
    "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県",   "高知県", "福岡県",
    "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県"};

constexpr std::string_view kLeadingOfficePrefecturesUtf8[] = {
    "東京都", "大阪府", "愛知県", "宮城県", "京都府", "神奈川県", "福岡県"};

}  // namespace

const std::vector<std::string>& prefectureNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (std::string_view name : kPrefecturesUtf8) out.push_back(sjisLiteral(name));
        return out;
    }();
    return names;
}

std::vector<std::string> officeAddressChoices() {
    std::vector<std::string> choices{std::string()};
    for (std::string_view name : kLeadingOfficePrefecturesUtf8) {
        choices.push_back(sjisLiteral(name));
    }
    const auto leadingEnd = choices.end();
    std::vector<std::string> rest;
    for (const std::string& name : prefectureNames()) {
        if (std::find(choices.begin() + 1, leadingEnd, name) == leadingEnd) rest.push_back(name);
    }
    choices.insert(choices.end(), rest.begin(), rest.end());
    return choices;
}

}  // namespace converter::search
