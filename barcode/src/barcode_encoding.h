// The customer barcode's symbols and the encoding of barcode data into them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kesbar {

// Result codes of the exported functions.
enum class Result : int {
    Success = 0,
    BadCharacter = 1,
    NoOutput = 2,
    ShortWrite = 3,
    TooShort = 4,
    NoEngine = 5,
    NotPlaced = 6,
};

// Symbol values: 0-9 the digits, 10 the hyphen, 11-18 the control codes
// CC1-CC8, 19 the start code, 20 the stop code.
enum Symbol : std::int8_t {
    kHyphen = 10,
    kCC1 = 11,
    kCC2 = 12,
    kCC3 = 13,
    kCC4 = 14,
    kCC8 = 18,
    kStart = 19,
    kStop = 20,
};
constexpr int kSymbolCount = 21;

// The bars of one position: their vertical extent in thirds of the height.
enum class Bar : std::uint8_t { None, Long, Upper, Lower, Timing };

struct SymbolShape {
    const char* name;
    std::array<Bar, 3> bars;  // left to right
};

// Name and bars of symbol value `value` (0-20).
const SymbolShape& symbolShape(int value);

// Start code, 20 data symbols, check symbol, stop code.
constexpr int kDataPositions = 20;
constexpr int kBarcodeLength = kDataPositions + 3;
using Barcode = std::array<std::int8_t, kBarcodeLength>;

// Drops a hyphen at index 3 (the engine writes the 7-digit code with one in
// hyphen mode) and checks what is left is long enough: TooShort for 6
// characters or fewer, Success otherwise.
Result finishData(std::string& data);

// Encodes prepared data: digits and "-" take one position, letters two (a
// control code and an offset); the walk stops once the 20 data positions are
// full, so later characters are neither encoded nor checked. Unused positions
// get CC4. BadCharacter for any other character met on the way.
Result encode(std::string_view data, Barcode& barcode);

// The check symbol of 20 data symbols.
int checkSymbol(const std::int8_t* data);

// The 23 symbol names concatenated (at most 115 characters).
std::string barcodeText(const Barcode& barcode);

}  // namespace kesbar
