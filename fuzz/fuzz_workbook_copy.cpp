// The copy of a damaged source workbook: either the copy is made and takes
// text cells, or it is refused and no output file is left behind.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "compound_leak_suppressions.h"
#include "workbooks/xls_copy.h"

namespace {

char folderPath[] = "/tmp/fuzz_workbook_copy.XXXXXX";

void removeFolder() {
    ::unlink((std::string(folderPath) + "/source.xls").c_str());
    ::rmdir(folderPath);
}

std::string folder() {
    static const bool made = [] {
        if (!::mkdtemp(folderPath)) std::abort();
        std::atexit(removeFolder);
        return true;
    }();
    (void)made;
    return folderPath;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string source = folder() + "/source.xls";
    const std::string output = folder() + "/output.xls";
    std::FILE* file = std::fopen(source.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (workbooks::XlsCopyOpen(output, source) != 0) {
        if (::access(output.c_str(), F_OK) == 0) std::abort();  // a failed copy leaves nothing
        return 0;
    }
    workbooks::XlsSelectSheet(0);
    workbooks::XlsPutText(3, 0, "100-0001");
    workbooks::XlsPutText(1, 1, "\x93\x8c\x8b\x9e");
    // Over formulas of the corpus' workbooks: a shared formula's master and a plain one.
    workbooks::XlsPutText(4, 2, "530-0001");
    workbooks::XlsPutText(5, 3, "060-0001");
    // Over shared formulas' masters (a column's, a block's) and array formulas' cells.
    workbooks::XlsPutText(5, 2, "100-0013");
    workbooks::XlsPutText(1, 2, "100-0013");
    workbooks::XlsPutText(8, 3, "100-0013");
    workbooks::XlsPutText(255, 65535, "end");
    if (workbooks::XlsSave() != 0 && ::access(output.c_str(), F_OK) == 0) std::abort();
    ::unlink(output.c_str());
    return 0;
}
