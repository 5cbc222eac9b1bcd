#include "barcode_encoding.h"

namespace kesbar {
namespace {

using enum Bar;

const SymbolShape kShapes[kSymbolCount] = {
    {"0", {Long, Timing, Timing}},     {"1", {Long, Long, Timing}},
    {"2", {Long, Lower, Upper}},       {"3", {Lower, Long, Upper}},
    {"4", {Long, Upper, Lower}},       {"5", {Long, Timing, Long}},
    {"6", {Lower, Upper, Long}},       {"7", {Upper, Long, Lower}},
    {"8", {Upper, Lower, Long}},       {"9", {Timing, Long, Long}},
    {"-", {Timing, Long, Timing}},     {"[CC1]", {Lower, Upper, Timing}},
    {"[CC2]", {Lower, Timing, Upper}}, {"[CC3]", {Upper, Lower, Timing}},
    {"[CC4]", {Timing, Lower, Upper}}, {"[CC5]", {Upper, Timing, Lower}},
    {"[CC6]", {Timing, Upper, Lower}}, {"[CC7]", {Timing, Timing, Long}},
    {"[CC8]", {Long, Long, Long}},     {"[STC]", {None, Long, Lower}},
    {"[SPC]", {Lower, Long, None}},
};

}  // namespace

const SymbolShape& symbolShape(int value) { return kShapes[value]; }

Result finishData(std::string& data) {
    if (data.size() > 3 && data[3] == '-') data.erase(3, 1);
    return data.size() <= 6 ? Result::TooShort : Result::Success;
}

Result encode(std::string_view data, Barcode& barcode) {
    std::int8_t* symbols = barcode.data() + 1;
    int filled = 0;
    for (std::size_t i = 0; i < data.size() && filled < kDataPositions; ++i) {
        char c = data[i];
        if (c >= '0' && c <= '9') {
            symbols[filled++] = static_cast<std::int8_t>(c - '0');
            continue;
        }
        if (c == '-') {
            symbols[filled++] = kHyphen;
            continue;
        }
        std::int8_t control, offset;
        if (c >= 'A' && c <= 'J') {
            control = kCC1, offset = static_cast<std::int8_t>(c - 'A');
        } else if (c >= 'K' && c <= 'T') {
            control = kCC2, offset = static_cast<std::int8_t>(c - 'K');
        } else if (c >= 'U' && c <= 'Z') {
            control = kCC3, offset = static_cast<std::int8_t>(c - 'U');
        } else {
            return Result::BadCharacter;
        }
        symbols[filled++] = control;
        // A letter reaching past the last position keeps only its control code.
        if (filled < kDataPositions) symbols[filled++] = offset;
    }
    while (filled < kDataPositions) symbols[filled++] = kCC4;
    barcode[0] = kStart;
    barcode[kDataPositions + 1] = static_cast<std::int8_t>(checkSymbol(symbols));
    barcode[kDataPositions + 2] = kStop;
    return Result::Success;
}

int checkSymbol(const std::int8_t* data) {
    int sum = 0;
    for (int i = 0; i < kDataPositions; ++i) sum += data[i];
    int rest = sum % 19;
    return rest == 0 ? 0 : 19 - rest;
}

std::string barcodeText(const Barcode& barcode) {
    std::string text;
    for (std::int8_t value : barcode) text += symbolShape(value).name;
    return text;
}

}  // namespace kesbar
