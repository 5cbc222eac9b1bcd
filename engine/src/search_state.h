// The cursors of the incremental searches. Each search kind has one cursor
// per engine, kept between a call that starts a search and the calls that
// continue it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "code_text.h"

namespace keszip {

// The parts of an address that the searches write: prefecture, city (the
// city record's name, or the municipality's when it belongs to none), ward
// or municipality, town name up to "(" and town note from "(" on.
struct AddressParts {
    std::string prefecture, city, ward, town, note;
    bool operator==(const AddressParts&) const = default;
};

struct CodeSearchCursor {
    bool active = false;
    CodeQuery query;
    std::size_t muni = 0;  // municipality being read
    std::size_t town = 0;  // towns of it already read
};

// The drill-down search collects its entries when it starts, so that other
// calls between two of its steps cannot disturb it.
struct IncSearchCursor {
    std::vector<AddressParts> entries;
    std::size_t next = 0;
};

struct SearchState {
    CodeSearchCursor code;
    IncSearchCursor inc;
};

}  // namespace keszip
