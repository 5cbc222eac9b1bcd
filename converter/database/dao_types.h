// Field type codes and the field information a table definition gives out.
// The codes are the database-neutral ones the pages check (10 = text).
#pragma once

#include <cstdint>
#include <string>

namespace converter {

enum DaoFieldType : int {
    kDbBoolean = 1,
    kDbByte = 2,
    kDbInteger = 3,  // 16-bit
    kDbLong = 4,     // 32-bit
    kDbCurrency = 5,
    kDbSingle = 6,
    kDbDouble = 7,
    kDbDate = 8,
    kDbBinary = 9,
    kDbText = 10,  // size in characters
    kDbLongBinary = 11,
    kDbMemo = 12,  // text without a size
    kDbGuid = 15,
    kDbBigInt = 16,
    kDbDecimal = 20,
};

struct DaoFieldInfo {
    std::string name;  // Shift-JIS
    int type = 0;
    std::int32_t size = 0;
};

}  // namespace converter
