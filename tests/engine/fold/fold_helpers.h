// Folding written with UTF-8 test texts: the input is converted to Shift-JIS,
// folded, and the result converted back for readable comparisons.
#pragma once

#include <string>
#include <string_view>

#include "src/fold.h"
#include "support/test_support.h"

namespace fold_test {

inline std::string fold(std::string_view utf8, int mode = keszip::kFoldMatching,
                        const keszip::FoldSettings& settings = {}, unsigned* report = nullptr) {
    return testing_support::u8(keszip::foldText(testing_support::sj(utf8), mode, settings, report));
}

inline std::string literal(std::string_view utf8, const keszip::FoldSettings& settings = {}) {
    return fold(utf8, keszip::kFoldLiteral, settings);
}

inline keszip::FoldSettings withTable(
    std::initializer_list<std::pair<std::string_view, std::string_view>> pairs) {
    keszip::FoldSettings settings;
    for (const auto& [key, value] : pairs)
        settings.kanjiSubstitutions.push_back(
            {testing_support::sj(key), testing_support::sj(value)});
    return settings;
}

struct Case {
    const char* input;
    const char* expected;
};

}  // namespace fold_test
