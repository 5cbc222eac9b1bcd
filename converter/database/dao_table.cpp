#include "dao_table.h"

#include <platform/sjis.h>

#include <algorithm>

namespace converter {
namespace {

// Characters of a Shift-JIS text (a double-byte character counts once).
std::size_t sjisLength(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count)
        i += platform::isSjisLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2
                                                                                              : 1;
    return count;
}

}  // namespace

bool isOdbcName(const std::string& database) {
    return database.compare(0, std::char_traits<char>::length(kOdbcPrefix), kOdbcPrefix) == 0;
}

DaoTable::DaoTable() = default;

DaoTable::~DaoTable() { close(); }

bool DaoTable::OpenDatabase(const std::string& path) {
    if (backend_) return false;
    error_.clear();
    if (isOdbcName(path))
        backend_ =
            openOdbcDatabase(path.substr(std::char_traits<char>::length(kOdbcPrefix)), error_);
    else if (!path.empty())
        backend_ = openSqliteDatabase(path, error_);
    return backend_ != nullptr;
}

bool DaoTable::OpenDatabase(std::unique_ptr<DatabaseBackend> database) {
    if (backend_ || !database) return false;
    error_.clear();
    backend_ = std::move(database);
    return true;
}

bool DaoTable::NextTableName(std::string& name, bool first) {
    name.clear();
    if (!backend_) return false;
    if (first) {
        nextTable_ = 0;
        if (!backend_->tableNames(tables_)) {
            tables_.clear();
            return false;
        }
    }
    if (nextTable_ >= tables_.size()) return false;
    name = tables_[nextTable_++];
    return true;
}

bool DaoTable::OpenTable(const std::string& table) {
    if (!backend_ || table.empty()) return false;
    recordsOpen_ = false;
    keys_.clear();
    fields_.clear();
    wanted_.clear();
    values_.clear();
    valuesRead_ = false;
    tableOpen_ = backend_->openTable(table, fields_);
    nextField_ = 0;
    return tableOpen_;
}

int DaoTable::fieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name == name) return static_cast<int>(i);
    return -1;
}

bool DaoTable::FieldInfo(const std::string& name, DaoFieldInfo& info) const {
    const int i = fieldIndex(name);
    if (!tableOpen_ || i < 0) return false;
    info = fields_[static_cast<std::size_t>(i)];
    return true;
}

bool DaoTable::FieldInfo(bool first, DaoFieldInfo& info) {
    if (first) nextField_ = 0;
    if (!tableOpen_ || nextField_ >= fields_.size()) return false;
    info = fields_[nextField_++];
    return true;
}

bool DaoTable::OpenRecords() {
    if (!tableOpen_) return false;
    recordsOpen_ = backend_->recordKeys(keys_);
    if (!recordsOpen_) keys_.clear();
    current_ = keys_.size();
    valuesRead_ = false;
    editing_ = false;
    return recordsOpen_;
}

long DaoTable::Move(long count, bool first) {
    if (!recordsOpen_ || keys_.empty()) return 0;
    editing_ = false;
    valuesRead_ = false;
    if (first) current_ = 0;
    if (count < 0 ||
        static_cast<std::size_t>(count) >= keys_.size() - std::min(current_, keys_.size())) {
        current_ = keys_.size();
        return 0;
    }
    current_ += static_cast<std::size_t>(count);
    return static_cast<long>(current_ + 1);
}

FieldValue DaoTable::GetValue(const std::string& field) {
    const int index = fieldIndex(field);
    if (!recordsOpen_ || current_ >= keys_.size() || index < 0) return {};
    const auto i = static_cast<std::size_t>(index);
    auto at = std::find(wanted_.begin(), wanted_.end(), i);
    if (at == wanted_.end()) {
        wanted_.push_back(i);
        valuesRead_ = false;
        at = wanted_.end() - 1;
    }
    if (!valuesRead_) {
        backend_->readAhead(keys_, current_, wanted_);
        if (!backend_->readRecord(keys_.at(current_), wanted_, values_)) return {};
        valuesRead_ = true;
    }
    return values_[static_cast<std::size_t>(at - wanted_.begin())];
}

bool DaoTable::edit() {
    if (!recordsOpen_ || current_ >= keys_.size()) return false;
    editing_ = true;
    changes_.clear();
    return true;
}

bool DaoTable::SetValue(const std::string& field, const FieldValue& value) {
    const int index = fieldIndex(field);
    if (!editing_ || index < 0 || value.kind == ValueKind::Empty) return false;
    const DaoFieldInfo& info = fields_[static_cast<std::size_t>(index)];
    // A text field takes at most its size in characters.
    if (info.type == kDbText && value.kind == ValueKind::Text &&
        sjisLength(value.bytes) > static_cast<std::size_t>(std::max(info.size, 0)))
        return false;
    const auto i = static_cast<std::size_t>(index);
    auto same = std::find_if(changes_.begin(), changes_.end(),
                             [i](const auto& change) { return change.first == i; });
    if (same != changes_.end())
        same->second = value;
    else
        changes_.emplace_back(i, value);
    return true;
}

bool DaoTable::update() {
    if (!editing_) return false;
    editing_ = false;
    if (changes_.empty()) return true;
    valuesRead_ = false;
    const RecordKey key = keys_.at(current_);
    if (backend_->writeRecord(key, changes_)) {
        if (batch_) pending_.push_back({static_cast<long>(current_ + 1), key, changes_});
        return true;
    }
    error_ = backend_->lastError();
    // Some databases abandon the whole transaction after a failed statement;
    // the earlier writes of the batch are made again in a fresh one.
    if (batch_ && !pending_.empty()) replayBatch();
    return false;
}

bool DaoTable::replayBatch() {
    backend_->rollback();
    if (!backend_->beginTransaction()) {
        for (const auto& write : pending_) lost_.push_back(write.position);
        pending_.clear();
        return false;
    }
    std::vector<PendingWrite> kept;
    for (auto& write : pending_) {
        if (backend_->writeRecord(write.key, write.changes))
            kept.push_back(std::move(write));
        else
            lost_.push_back(write.position);
    }
    pending_ = std::move(kept);
    return true;
}

bool DaoTable::beginBatch() {
    if (!backend_) return false;
    if (batch_) return true;
    batch_ = backend_->beginTransaction();
    return batch_;
}

bool DaoTable::commitBatch(std::vector<long>& lost) {
    lost = std::move(lost_);
    lost_.clear();
    if (!batch_) return lost.empty();
    batch_ = false;
    if (!backend_->commit()) {
        error_ = backend_->lastError();
        backend_->rollback();
        for (const auto& write : pending_) lost.push_back(write.position);
    }
    pending_.clear();
    std::sort(lost.begin(), lost.end());
    return lost.empty();
}

bool DaoTable::lockedByOther() const { return backend_ && backend_->lockedByOther(); }

void DaoTable::close() {
    if (!backend_) return;
    // Records already written stay written.
    std::vector<long> lost;
    if (batch_) commitBatch(lost);
    recordsOpen_ = false;
    keys_.clear();
    wanted_.clear();
    values_.clear();
    tableOpen_ = false;
    fields_.clear();
    backend_->closeTable();
    backend_.reset();
    tables_.clear();
}

bool DaoTable::canBackup() const { return !databaseFile().empty(); }

std::string DaoTable::databaseFile() const {
    return backend_ ? backend_->databaseFile() : std::string();
}

bool DaoTable::backup(const std::string& path) {
    if (!canBackup()) return false;
    if (backend_->backup(path)) return true;
    error_ = backend_->lastError();
    return false;
}

std::string DaoTable::lastError() const { return error_; }

std::optional<std::string> DaoTable::fieldText(const std::string& field) {
    return valueText(GetValue(field));
}

bool DaoTable::setFieldText(const std::string& field, const std::string& text) {
    return SetValue(field, FieldValue::text(text));
}

const TableKind& databaseTables() {
    class DatabaseTables final : public TableKind {
      public:
        std::unique_ptr<Table> newTable() const override { return std::make_unique<DaoTable>(); }
    };
    static const DatabaseTables kind;
    return kind;
}

}  // namespace converter
