// KESTEL.DIC's codes from the real telephone area data and KEN_ALL.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ken_all.h"
#include "layout/dic_format.h"
#include "support/test_support.h"
#include "telephone_codes.h"
#include "telephone_dictionary.h"
#include "zip_source.h"

using namespace mkdic;
using testing_support::dataPath;
using testing_support::sj;

namespace {

class TelephoneRealData : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!testing_support::realDataAvailable()) return;
        const TelephoneSources sources = readTelephoneSources(dataPath("telephone"));
        const SourceFile source = readSourceFile(dataPath("ken_all.zip"), "KEN_ALL.CSV");
        model_ = new DictionaryModel(buildTelephoneModel(parseKenAll(source.bytes), sources));
    }
    static void TearDownTestSuite() {
        delete model_;
        model_ = nullptr;
    }

    // The codes of the first town of `local` whose name starts with `town`,
    // following n = 255 back to the record that holds them.
    static std::vector<std::uint32_t> codes(std::uint16_t local, const std::string& town) {
        for (const Municipality& m : model_->municipalities) {
            if (m.code != local) continue;
            std::string held;
            for (const Town& t : m.towns) {
                if (t.continuation) continue;
                if (static_cast<unsigned char>(t.tail[0]) != kSameCodes) held = t.tail;
                if (t.name.rfind(sj(town), 0) != 0) continue;
                std::vector<std::uint32_t> out;
                const auto* p = reinterpret_cast<const unsigned char*>(held.data());
                for (unsigned i = 0; i < p[0]; ++i)
                    out.push_back(keszip::dic::get24(p + 1 + 3 * i));
                return out;
            }
        }
        return {};
    }
    static bool has(const std::vector<std::uint32_t>& codes, const char* written) {
        return std::find(codes.begin(), codes.end(), encodeTelCode(written)) != codes.end();
    }

    static DictionaryModel* model_;
};

DictionaryModel* TelephoneRealData::model_ = nullptr;

// One test: building the model from the real data takes seconds, and each
// test runs in a process of its own.
TEST_F(TelephoneRealData, CodesOfRealTowns) {
    KESZIP_REQUIRE_REAL_DATA();
    {
        SCOPED_TRACE("Tokyo and Osaka");
        const auto chiyoda = codes(13101, "丸の内");
        EXPECT_TRUE(has(chiyoda, "03-3"));
        EXPECT_TRUE(has(chiyoda, "03-5"));
        EXPECT_TRUE(has(codes(27128, "本町"), "06-6"));  // Osaka, Chuo ward
    }
    {
        SCOPED_TRACE("split municipality");
        // Kushiro: the towns of 音別町 belong to the 01547 area, the rest to 0154.
        const auto onbetsu = codes(1206, "音別町");
        EXPECT_TRUE(has(onbetsu, "01547"));
        EXPECT_FALSE(has(onbetsu, "0154-2"));
        const auto akan = codes(1206, "阿寒町");
        EXPECT_TRUE(has(akan, "0154-2"));
        EXPECT_FALSE(has(akan, "01547"));
    }
    {
        SCOPED_TRACE("every town has codes");
        // Wards newer than the telephone data (Hamamatsu's of 2024) take their city's codes.
        EXPECT_FALSE(codes(22138, "").empty());
        for (const Municipality& m : model_->municipalities)
            for (const Town& t : m.towns) EXPECT_NE(t.tail, std::string(1, '\0')) << m.code;
    }
    {
        SCOPED_TRACE("blocks and key ranges");
        for (const Municipality& m : model_->municipalities) {
            EXPECT_LE(m.blockBytes(), keszip::dic::kMaxBlockSize) << m.code;
            EXPECT_LE(std::to_string(m.lowOldCode), std::to_string(m.highOldCode)) << m.code;
        }
    }
}

}  // namespace

namespace {

TEST(TelephoneDictionaryFile, BuiltBesideTheLibrary) {
    KESZIP_REQUIRE_REAL_DATA();
    const std::string bytes = testing_support::readFile(testing_support::binPath("KESTEL.DIC"));
    ASSERT_GT(bytes.size(), keszip::dic::kMainHeaderSize);
    EXPECT_EQ(bytes.substr(0, sizeof kTelSignature),
              std::string(kTelSignature, sizeof kTelSignature));
    // No code list: its header fields stay zero.
    const auto* h = reinterpret_cast<const unsigned char*>(bytes.data());
    EXPECT_EQ(keszip::dic::getWord(h + keszip::dic::kHeaderCodeCount), 0);
}

}  // namespace
