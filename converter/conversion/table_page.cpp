#include "table_page.h"

#include "sjis_literal.h"
#include "text_rules.h"

namespace converter {

int tableResultWidth(ConversionMode mode, int hyphenMode) {
    const int hyphen = hyphenMode != 0 ? 1 : 0;
    switch (mode) {
        case ConversionMode::OldCode:
            return 5 + hyphen;
        case ConversionMode::Code7:
            return 7 + hyphen;
        case ConversionMode::Barcode:
            return 13 + hyphen;
        case ConversionMode::JisCode:
            return 5;
    }
    return 5;
}

std::vector<std::string> listTables(const TableKind& kind, const std::string& database) {
    std::vector<std::string> names;
    const std::unique_ptr<Table> table = kind.newTable();
    if (!table->OpenDatabase(trimTrailingSpaces(database))) return names;
    std::string name;
    for (bool first = true; table->NextTableName(name, first); first = false) names.push_back(name);
    return names;
}

namespace {

TablePageCheck openDatabaseAndTable(const std::string& database, const std::string& tableName,
                                    Table& table) {
    const std::string path = trimTrailingSpaces(database);
    if (path.empty()) return {300, TablePageField::Database};
    if (!table.OpenDatabase(path)) return {14, TablePageField::Database};
    if (tableName.empty()) {
        table.close();
        return {301, TablePageField::Table};
    }
    if (!table.OpenTable(tableName)) {
        table.close();
        return {304, TablePageField::Table};
    }
    return {};
}

}  // namespace

TablePageCheck listFields(const TableKind& kind, const std::string& database,
                          const std::string& tableName, std::vector<std::string>& fields) {
    fields.clear();
    const std::unique_ptr<Table> table = kind.newTable();
    TablePageCheck check = openDatabaseAndTable(database, tableName, *table);
    if (!check.ok()) return check;
    DaoFieldInfo info;
    for (int i = 0; i < table->fieldCount() && table->FieldInfo(i == 0, info); ++i)
        fields.push_back(info.name);
    return {};
}

TablePageCheck openForRun(const TablePageFields& page, Table& table) {
    TablePageCheck check = openDatabaseAndTable(page.database, page.table, table);
    if (!check.ok()) return check;
    if (!table.OpenRecords()) {
        table.close();
        return {15, TablePageField::Table};
    }
    return {};
}

TablePageCheck checkTablePage(const TablePageFields& page, Table& table, int cnvKbn, int hyphenMode,
                              ConversionJob& job, TableJob& tableJob) {
    std::array<std::string, 4> address;
    for (std::size_t i = 0; i < 4; ++i) address[i] = trimTrailingSpaces(page.addressFields[i]);
    const std::string destination = trimTrailingSpaces(page.destinationField);
    DaoFieldInfo info;
    for (const std::string& name : address)
        if (!name.empty() && !table.FieldInfo(name, info))
            return {303, TablePageField::AddressField1};
    if (!destination.empty() && !table.FieldInfo(destination, info))
        return {303, TablePageField::DestinationField};
    bool anyAddress = false;
    for (const std::string& name : address) anyAddress = anyAddress || !name.empty();
    if (!anyAddress) return {302, TablePageField::AddressField1};
    if (destination.empty()) return {302, TablePageField::DestinationField};
    for (std::size_t i = 0; i < 4; ++i) {
        if (address[i].empty()) continue;
        if (address[i] == destination) return {305, TablePageField::DestinationField};
        for (std::size_t j = i + 1; j < 4; ++j)
            if (address[i] == address[j]) return {305, TablePageField::AddressField1};
    }
    table.FieldInfo(destination, info);
    if (info.type != kDbText) return {307, TablePageField::DestinationField};
    if (info.size < tableResultWidth(modeOf(cnvKbn), hyphenMode))
        return {306, TablePageField::DestinationField};
    if (table.recordCount() == 0) return {308, TablePageField::DestinationField};

    job.sourceName = trimTrailingSpaces(page.database);
    tableJob.table = page.table;
    tableJob.addressFields = address;
    tableJob.destinationField = destination;
    return {};
}

std::string backupCopyName(const Table& table) {
    const std::string file = table.databaseFile();
    return file.empty() ? std::string() : file + ".BKP";
}

std::string backupFailedQuestion() {
    return sjisLiteral("バックアップファイルが作成できませんでした。\nこのまま処理を続けますか？");
}

}  // namespace converter
