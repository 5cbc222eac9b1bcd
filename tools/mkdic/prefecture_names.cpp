#include "prefecture_names.h"

#include <platform/sjis.h>

#include <array>
#include <string_view>

#include "build_error.h"

namespace mkdic {

namespace {

struct Entry {
    std::string_view name, reading;
};

constexpr std::array<Entry, 47> kPrefectures = {{
    {"北海道", "ﾎｯｶｲﾄﾞｳ"}, {"青森県", "ｱｵﾓﾘｹﾝ"},    {"岩手県", "ｲﾜﾃｹﾝ"},   {"宮城県", "ﾐﾔｷﾞｹﾝ"},
    {"秋田県", "ｱｷﾀｹﾝ"},   {"山形県", "ﾔﾏｶﾞﾀｹﾝ"},   {"福島県", "ﾌｸｼﾏｹﾝ"},  {"茨城県", "ｲﾊﾞﾗｷｹﾝ"},
    {"栃木県", "ﾄﾁｷﾞｹﾝ"},  {"群馬県", "ｸﾞﾝﾏｹﾝ"},    {"埼玉県", "ｻｲﾀﾏｹﾝ"},  {"千葉県", "ﾁﾊﾞｹﾝ"},
    {"東京都", "ﾄｳｷｮｳﾄ"},  {"神奈川県", "ｶﾅｶﾞﾜｹﾝ"}, {"新潟県", "ﾆｲｶﾞﾀｹﾝ"}, {"富山県", "ﾄﾔﾏｹﾝ"},
    {"石川県", "ｲｼｶﾜｹﾝ"},  {"福井県", "ﾌｸｲｹﾝ"},     {"山梨県", "ﾔﾏﾅｼｹﾝ"},  {"長野県", "ﾅｶﾞﾉｹﾝ"},
    {"岐阜県", "ｷﾞﾌｹﾝ"},   {"静岡県", "ｼｽﾞｵｶｹﾝ"},   {"愛知県", "ｱｲﾁｹﾝ"},   {"三重県", "ﾐｴｹﾝ"},
    {"滋賀県", "ｼｶﾞｹﾝ"},   {"京都府", "ｷｮｳﾄﾌ"},     {"大阪府", "ｵｵｻｶﾌ"},   {"兵庫県", "ﾋｮｳｺﾞｹﾝ"},
    {"奈良県", "ﾅﾗｹﾝ"},    {"和歌山県", "ﾜｶﾔﾏｹﾝ"},  {"鳥取県", "ﾄｯﾄﾘｹﾝ"},  {"島根県", "ｼﾏﾈｹﾝ"},
    {"岡山県", "ｵｶﾔﾏｹﾝ"},  {"広島県", "ﾋﾛｼﾏｹﾝ"},    {"山口県", "ﾔﾏｸﾞﾁｹﾝ"}, {"徳島県", "ﾄｸｼﾏｹﾝ"},
    {"香川県", "ｶｶﾞﾜｹﾝ"},  {"愛媛県", "ｴﾋﾒｹﾝ"},     {"高知県", "ｺｳﾁｹﾝ"},   {"福岡県", "ﾌｸｵｶｹﾝ"},
    {"佐賀県", "ｻｶﾞｹﾝ"},   {"長崎県", "ﾅｶﾞｻｷｹﾝ"},   {"熊本県", "ｸﾏﾓﾄｹﾝ"},  {"大分県", "ｵｵｲﾀｹﾝ"},
    {"宮崎県", "ﾐﾔｻﾞｷｹﾝ"}, {"鹿児島県", "ｶｺﾞｼﾏｹﾝ"}, {"沖縄県", "ｵｷﾅﾜｹﾝ"},
}};

std::string toSjis(std::string_view utf8) {
    auto converted = platform::utf8ToSjis(utf8);
    if (!converted) throw BuildError("cannot convert a prefecture name to Shift-JIS");
    return *converted;
}

}  // namespace

PrefectureName defaultPrefectureName(unsigned code) {
    if (code < 1 || code > kPrefectures.size()) {
        throw BuildError("prefecture code " + std::to_string(code) + " is not 1-47");
    }
    const Entry& entry = kPrefectures[code - 1];
    return {toSjis(entry.name), toSjis(entry.reading)};
}

}  // namespace mkdic
