// Addresses written as real address lists write them, built from the real
// towns one group per form (bench/written_forms): each must come back with
// the code of the town it was built from.
#include "written_forms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "real_towns.h"
#include "src/lookup.h"
#include "src/zip_engine.h"
#include "support/test_support.h"

TEST(RealLookup, AddressesAsListsWriteThem) {
    KESZIP_REQUIRE_REAL_DATA();
    const auto towns = bench::loadRealTowns(testing_support::dataPath("ken_all.zip"));
    const auto one = bench::townsNamingOnePlace(towns);
    keszip::ZipEngine engine(KESZIP_BIN_DIR);
    ASSERT_TRUE(engine.open());
    for (const auto& form :
         bench::writtenForms(towns, one, engine.foldSettings().kanjiSubstitutions)) {
        EXPECT_FALSE(form.cases.empty()) << form.name;
        std::size_t wrong = 0;
        for (const auto& c : form.cases) {
            char code7[16] = {};
            const int flags = keszip::lookupAddress(engine, c.address, {code7, nullptr, nullptr});
            if (flags != 0 && std::strtoul(code7, nullptr, 10) == c.town->code7) continue;
            if (++wrong <= 5)
                std::printf("    %s: %s -> %s, own code %07u\n", form.name.c_str(),
                            testing_support::u8(c.address).c_str(), code7, c.town->code7);
        }
        // A few addresses of a form are also written in another way that
        // the lookup reads otherwise (日本橋大伝馬 beside 日本橋 with its
        // buildings); the share right stays at 99.5 % at least.
        EXPECT_LE(wrong * 200, form.cases.size())
            << form.name << ": " << wrong << " of " << form.cases.size();
    }
}

// A postal code written before the address is checked against the answer:
// every 97th town with its own code, with the code of the town after it,
// and with a code no town has; the flag tells exactly when they differ.
TEST(RealLookup, LeadingPostalCodeIsCheckedAgainstTheAnswer) {
    KESZIP_REQUIRE_REAL_DATA();
    const auto towns = bench::loadRealTowns(testing_support::dataPath("ken_all.zip"));
    const auto one = bench::townsNamingOnePlace(towns);
    keszip::ZipEngine engine(KESZIP_BIN_DIR);
    ASSERT_TRUE(engine.open());
    std::size_t checked = 0;
    for (std::size_t i = 0; i + 1 < one.size(); i += 97) {
        const auto& t = one[i];
        const std::string address = t.prefName + t.cityName + t.baseName() + "1-2";
        for (std::uint32_t written : {t.code7, one[i + 1].code7, 9999999u}) {
            char code[16];
            std::snprintf(code, sizeof code, "%03u-%04u ", written / 10000, written % 10000);
            char code7[16] = {};
            const int flags =
                keszip::lookupAddress(engine, code + address, {code7, nullptr, nullptr});
            if (flags == 0) continue;
            const std::uint32_t found =
                static_cast<std::uint32_t>(std::strtoul(code7, nullptr, 10));
            EXPECT_EQ((flags & keszip::kFlagCodeDiffers) != 0, found != written)
                << code << testing_support::u8(address) << " -> " << code7;
            ++checked;
        }
    }
    EXPECT_GT(checked, 3000u);
}
