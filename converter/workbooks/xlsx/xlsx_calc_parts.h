// Edits of the package parts that say how a copy's formulas are calculated.
// A copy's converted cells may feed formulas whose cached results were
// calculated before the conversion: the workbook asks for a full calculation
// on opening, and the calculation chain (a cache listing the formula cells,
// which a spreadsheet program reports as damaged once a listed cell no longer
// holds a formula) is left out; it is rebuilt on the next calculation.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace workbooks {

// The workbook part with fullCalcOnLoad="1" on its calcPr element (added
// where the schema places it when there is none); nullopt when the text is
// not a well-formed workbook part.
std::optional<std::string> withFullCalcOnLoad(std::string_view workbookXml);

// A ".rels" part without its relationships of kind `kind` ("calcChain");
// their targets, as written, are added to `targets`. Nullopt when the text is
// not well-formed.
std::optional<std::string> withoutRelationships(std::string_view relsXml, std::string_view kind,
                                                std::vector<std::string>& targets);

// "[Content_Types].xml" without the Override of part `partName`
// ("/xl/calcChain.xml"); nullopt when the text is not well-formed.
std::optional<std::string> withoutOverride(std::string_view typesXml, std::string_view partName);

}  // namespace workbooks
