#include "table_start.h"

#include "page_checks.h"
#include "sjis_literal.h"
#include "text_rules.h"

namespace converter {

int startTableConversion(const TableKind& kind, const TablePageFields& page, bool partial,
                         bool backup, OptionsBlock& options, CnvParamBlock& params,
                         TableRunFront& front) {
    const std::unique_ptr<Table> owned = kind.newTable();
    Table& table = *owned;
    ConversionJob job;
    TableJob tableJob;
    TablePageCheck check = openForRun(page, table);
    if (check.ok())
        check = checkTablePage(page, table, options.CnvKbn, options.HyphenMode, job, tableJob);
    if (!check.ok()) {
        table.close();
        front.refuse(check);
        return kTablePageRefused;
    }
    if (partial && !front.askRange(job)) return kTableRunDeclined;
    options.SFileName = trimTrailingSpaces(page.database);
    params.AccessExcelBackUpFlg = backup ? 1 : 0;
    std::string question;
    if (PageCheck c = startQuestion(options, question); !c.ok()) {
        front.refuse({c.message, TablePageField::None});
        return kTablePageRefused;
    }
    if (!front.ask(question, sjisLiteral("確認"))) return kTableRunDeclined;
    // The copy is made before the first record changes; a server database
    // has no file to copy.
    if (backup && table.canBackup() && !table.backup(backupCopyName(table)) &&
        !front.ask(backupFailedQuestion(), sjisLiteral("確認")))
        return kTableRunDeclined;
    applyOptions(options, job);
    const int code = front.run(job, tableJob, table);
    table.close();
    if (code != 0) front.showMessage(code);
    return code;
}

}  // namespace converter
