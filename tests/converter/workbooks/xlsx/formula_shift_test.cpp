// Formula texts moved between cells: relative references follow, everything
// else stays.
#include <gtest/gtest.h>

#include "workbooks/xlsx/xlsx_formula_shift.h"

using workbooks::shiftFormula;

TEST(XlsxFormulaShift, RelativeReferencesFollowTheCell) {
    const struct {
        const char* formula;
        int rows, columns;
        const char* moved;
    } cases[] = {
        {"E3*2", 1, 0, "E4*2"},
        {"E3*1.1+$E$3", 2, 1, "F5*1.1+$E$3"},
        {"F3+G3+SUM(E$3:E3)", 4, 0, "F7+G7+SUM(E$3:E7)"},
        {"$A1+A$1", 3, 3, "$A4+D$1"},
        {"SUM(B:B)+SUM($C:D)+SUM(2:3)", 1, 1, "SUM(C:C)+SUM($C:E)+SUM(3:4)"},
        {"'My Sheet'!A1&\"B2 stays\"&Sheet2!B2", 1, 0, "'My Sheet'!A2&\"B2 stays\"&Sheet2!B3"},
        {"'It''s A1'!A1", 1, 0, "'It''s A1'!A2"},
        {"LOG10(A1)+ATAN2(B1,C1)+_xlfn.CONCAT(a1)", 1, 0,
         "LOG10(A2)+ATAN2(B2,C2)+_xlfn.CONCAT(A2)"},
        {"Table1[Column A1]+[1]Sheet1!A1", 1, 0, "Table1[Column A1]+[1]Sheet1!A2"},
        {"1E5+TRUE+税率+ABCD1+XFE1", 1, 1, "1E5+TRUE+税率+ABCD1+XFE1"},
        {"A1048576+XFD1", 1, 1, "#REF!+#REF!"},
        {"SUM(A1:B1048576)", 1, 0, "SUM(#REF!)"},
        {"\"unclosed A1", 1, 0, "\"unclosed A1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shiftFormula(c.formula, c.rows, c.columns), c.moved) << c.formula;
}
