// What the builder needs to know about a town name in the source: its
// dictionary form, whether it is a per-floor entry of a high-rise building or
// the generic town, and whether its parentheses are still open (the next row
// then continues it).
#pragma once

#include <string>
#include <string_view>

namespace mkdic {

// The name with full-width parentheses （） written as half-width ( ), the
// form the engine's town records use.
std::string dictionaryTownName(std::string_view sourceName);

// True for a per-floor entry of a high-rise building: the name (dictionary
// form) ends in a parenthesised floor, "(１階)" ... "(５４階)" or "(地階・階層不明)".
bool isFloorEntry(std::string_view name);

// True for the municipality's catch-all town "以下に掲載がない場合".
bool isGenericTown(std::string_view name);

// Number of "(" minus number of ")" (half-width, dictionary form).
int openParentheses(std::string_view name);

}  // namespace mkdic
