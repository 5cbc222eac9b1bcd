// Names and readings of the 47 prefectures, for the prefecture records of a
// dictionary built from data that leaves some prefectures out (the engine
// indexes the prefecture table by code, so every record must be there and
// carry a real name).
#pragma once

#include <string>

namespace mkdic {

struct PrefectureName {
    std::string name;     // Shift-JIS kanji, e.g. 東京都
    std::string reading;  // Shift-JIS half-width katakana, e.g. ﾄｳｷｮｳﾄ
};

// `code` 1-47.
PrefectureName defaultPrefectureName(unsigned code);

}  // namespace mkdic
