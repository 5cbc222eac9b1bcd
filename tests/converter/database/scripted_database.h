// A database whose answers the test decides: records with one text field, a
// write or a commit that fails on demand.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "database/database_backend.h"

namespace database_test {

class ScriptedDatabase : public converter::DatabaseBackend {
  public:
    std::vector<std::string> addresses;  // one record each, field "address"
    std::vector<std::string> stored;     // field "zip" as written and committed
    std::set<long> refusedWrites;        // 1-based records whose write fails
    bool commitFails = false;
    int commits = 0;
    // Another program takes the database's lock after this many commits
    // (0: before the first transaction, -1: never): transactions can neither
    // begin nor commit from then on.
    int lockedAfterCommits = -1;

    bool tableNames(std::vector<std::string>& names) override {
        names = {"t"};
        return true;
    }
    bool openTable(const std::string& table,
                   std::vector<converter::DaoFieldInfo>& fields) override {
        if (table != "t") return false;
        fields = {{"address", converter::kDbMemo, 0}, {"zip", converter::kDbText, 8}};
        stored.assign(addresses.size(), "");
        pending_ = stored;
        return true;
    }
    void closeTable() override {}
    bool recordKeys(converter::RecordKeys& keys) override {
        keys.clear();
        for (std::size_t i = 0; i < addresses.size(); ++i)
            keys.add({converter::FieldValue::integerOf(converter::ValueKind::Int64,
                                                       static_cast<long>(i))});
        return true;
    }
    bool readRecord(const converter::RecordKey& key, const std::vector<std::size_t>& fields,
                    std::vector<converter::FieldValue>& values) override {
        values.clear();
        for (std::size_t f : fields)
            values.push_back(converter::FieldValue::text(f == 0 ? addresses[key[0].integer]
                                                                : pending_[key[0].integer]));
        return true;
    }
    bool writeRecord(const converter::RecordKey& key,
                     const converter::FieldChanges& changes) override {
        if (refusedWrites.count(key[0].integer + 1)) return false;
        for (const auto& [field, value] : changes)
            if (field == 1) pending_[key[0].integer] = value.bytes;
        if (!inTransaction_) stored = pending_;
        return true;
    }
    bool beginTransaction() override {
        if (isLocked()) return false;
        inTransaction_ = true;
        return true;
    }
    bool commit() override {
        if (!inTransaction_) return true;
        inTransaction_ = false;
        if (isLocked()) {
            pending_ = stored;
            return false;
        }
        ++commits;
        if (commitFails) {
            pending_ = stored;
            return false;
        }
        stored = pending_;
        return true;
    }
    void rollback() override {
        inTransaction_ = false;
        pending_ = stored;
    }
    std::string databaseFile() const override { return {}; }
    bool backup(const std::string&) override { return false; }
    std::string lastError() const override { return "scripted"; }
    bool lockedByOther() const override { return locked_; }

  private:
    bool isLocked() {
        locked_ = lockedAfterCommits >= 0 && commits >= lockedAfterCommits;
        return locked_;
    }
    bool locked_ = false;
    std::vector<std::string> pending_;
    bool inTransaction_ = false;
};

}  // namespace database_test
