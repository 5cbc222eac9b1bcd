// Well-known addresses of every prefecture, looked up through the exported
// interface over the dictionary built from the real data.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "support/test_support.h"

namespace {

struct Known {
    const char* address;
    const char* code;
};

// The prefectural offices' street addresses and the codes of their towns.
const Known kKnown[] = {
    {"北海道札幌市中央区北3条西6丁目", "0600003"},
    {"青森県青森市長島1丁目1-1", "0300861"},
    {"岩手県盛岡市内丸10-1", "0200023"},
    {"宮城県仙台市青葉区本町3丁目8-1", "9800014"},
    {"秋田県秋田市山王4丁目1-1", "0100951"},
    {"山形県山形市松波2丁目8-1", "9900023"},
    {"福島県福島市杉妻町2-16", "9608065"},
    {"茨城県水戸市笠原町978-6", "3100852"},
    {"栃木県宇都宮市塙田1丁目1-20", "3200027"},
    {"群馬県前橋市大手町1丁目1-1", "3710026"},
    {"埼玉県さいたま市浦和区高砂3丁目15-1", "3300063"},
    {"千葉県千葉市中央区市場町1-1", "2600855"},
    {"東京都新宿区西新宿2丁目8-1", "1600023"},
    {"神奈川県横浜市中区日本大通1", "2310021"},
    {"新潟県新潟市中央区新光町4-1", "9500965"},
    {"富山県富山市新総曲輪1-7", "9300006"},
    {"石川県金沢市鞍月1丁目1", "9208203"},
    {"福井県福井市大手3丁目17-1", "9100005"},
    {"山梨県甲府市丸の内1丁目6-1", "4000031"},
    {"長野県長野市大字南長野幅下692-2", "3800837"},
    {"岐阜県岐阜市薮田南2丁目1-1", "5008384"},
    {"静岡県静岡市葵区追手町9-6", "4200853"},
    {"愛知県名古屋市中区三の丸3丁目1-2", "4600001"},
    {"三重県津市広明町13", "5140006"},
    {"滋賀県大津市京町4丁目1-1", "5200044"},
    {"京都府京都市上京区下立売通新町西入藪之内町", "6028041"},
    {"大阪府大阪市中央区大手前2丁目1-22", "5400008"},
    {"兵庫県神戸市中央区下山手通5丁目10-1", "6500011"},
    {"奈良県奈良市登大路町30", "6308213"},
    {"和歌山県和歌山市小松原通1丁目1", "6408269"},
    {"鳥取県鳥取市東町1丁目220", "6800011"},
    {"島根県松江市殿町1", "6900887"},
    {"岡山県岡山市北区内山下2丁目4-6", "7000824"},
    {"広島県広島市中区基町10-52", "7300011"},
    {"山口県山口市滝町1-1", "7530071"},
    {"徳島県徳島市万代町1丁目1", "7700941"},
    {"香川県高松市番町4丁目1-10", "7600017"},
    {"愛媛県松山市一番町4丁目4-2", "7900001"},
    {"高知県高知市丸ノ内1丁目2-20", "7800850"},
    {"福岡県福岡市博多区東公園7-7", "8120045"},
    {"佐賀県佐賀市城内1丁目1-59", "8400041"},
    {"長崎県長崎市尾上町3-1", "8500058"},
    {"熊本県熊本市中央区水前寺6丁目18-1", "8620950"},
    {"大分県大分市大手町3丁目1-1", "8700022"},
    {"宮崎県宮崎市橘通東2丁目10-1", "8800805"},
    {"鹿児島県鹿児島市鴨池新町10-1", "8900064"},
    {"沖縄県那覇市泉崎1丁目2-2", "9000021"},
};

using Zelko57 = int(const char*, char*, char*, char*);

struct Expected {
    const char* address;
    int flags;
    const char* code;
    const char* number;
};

// Towns whose name ends in a numeral, with the house number right after it.
const Expected kNumeralEnds[] = {
    {"新潟県長岡市寺泊五分一8-14", 1, "9590154", "8-14"},
    {"千葉県柏市新十余二6-3", 1, "2770804", "6-3"},
    {"富山県氷見市七分一2-12", 1, "9350066", "2-12"},
    {"岩手県二戸市金田一2-30", 1, "0285711", "2-30"},
    {"埼玉県川口市安行藤八3-5", 1, "3340051", "3-5"},
    {"岩手県二戸市金田一二丁目三十番", 1, "0285711", "2-30"},
};

// Municipality names of several prefectures, written without the prefecture.
const Expected kNamesakes[] = {
    {"伊達市梁川町青葉町", 9, "9600756", ""},
    {"伊達市荒町", 9, "9600423", ""},
};

// 字 before the town, and a 字 section after it.
const Expected kSections[] = {
    {"沖縄県中頭郡西原町字千原1", 1, "9030129", "1"},
    {"沖縄県国頭郡恩納村字恩納", 1, "9040411", ""},
    {"沖縄県中頭郡読谷村字座喜味", 1, "9040301", ""},
    {"長野県長野市大字南長野字幅下692-2", 1, "3800837", "692-2"},
};

// Two lots of one town with codes of their own.
const Expected kLots[] = {
    {"愛知県弥富市五之三川平1", 1, "4980018", "1"},
    {"愛知県弥富市五之三町123", 1, "4980012", "123"},
};

// Looks each address up through zelko57 of the built library.
void expectLookups(const Expected* begin, const Expected* end) {
    void* lib = dlopen(testing_support::binPath("libkeszip.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto zelko57 = reinterpret_cast<Zelko57*>(dlsym(lib, "zelko57"));
    ASSERT_NE(zelko57, nullptr);
    for (const Expected* e = begin; e != end; ++e) {
        char old[8] = {}, code7[12] = {}, number[16] = {};
        std::string address = testing_support::sj(e->address);
        EXPECT_EQ(zelko57(address.c_str(), old, code7, number), e->flags) << e->address;
        EXPECT_STREQ(code7, e->code) << e->address;
        EXPECT_STREQ(number, e->number) << e->address;
    }
    dlclose(lib);
}

}  // namespace

TEST(RealLookup, KnownAddressesOfEveryPrefecture) {
    KESZIP_REQUIRE_REAL_DATA();
    void* lib = dlopen(testing_support::binPath("libkeszip.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto zelko57 = reinterpret_cast<Zelko57*>(dlsym(lib, "zelko57"));
    ASSERT_NE(zelko57, nullptr);
    for (const auto& known : kKnown) {
        char old[8] = {}, code7[12] = {}, number[16] = {};
        std::string address = testing_support::sj(known.address);
        EXPECT_EQ(zelko57(address.c_str(), old, code7, number) & 1, 1) << known.address;
        EXPECT_STREQ(code7, known.code) << known.address;
    }
    dlclose(lib);
}

TEST(RealLookup, TownsEndingInANumeralWithAHouseNumber) {
    KESZIP_REQUIRE_REAL_DATA();
    expectLookups(std::begin(kNumeralEnds), std::end(kNumeralEnds));
}

TEST(RealLookup, MunicipalityNamesOfSeveralPrefectures) {
    KESZIP_REQUIRE_REAL_DATA();
    expectLookups(std::begin(kNamesakes), std::end(kNamesakes));
}

TEST(RealLookup, SectionMarkBeforeOrAfterTheTown) {
    KESZIP_REQUIRE_REAL_DATA();
    expectLookups(std::begin(kSections), std::end(kSections));
}

TEST(RealLookup, LotsWithCodesOfTheirOwn) {
    KESZIP_REQUIRE_REAL_DATA();
    expectLookups(std::begin(kLots), std::end(kLots));
}
