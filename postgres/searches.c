#include "searches.h"

#include <string.h>

#include "engine_text.h"

int keszip_pg_addresses(KesZipHandle* handle, const char* code, size_t length, KesZipPgRowSink sink,
                        void* context) {
    char key[16];
    KesZipAddress address;
    KesZipPgRow row;
    int rows = 0;

    /* A code is a few ASCII digits: any other text has no address. */
    if (length == 0 || length >= sizeof key) return 0;
    memcpy(key, code, length);
    key[length] = '\0';
    if (strlen(key) != length) return 0;
    for (int first = 1; rows < KESZIP_PG_MAX_ROWS && KesZipSearch(handle, first, key, 0, &address);
         first = 0, ++rows) {
        const char* texts[7] = {address.code7, address.oldCode, address.prefecture, address.city,
                                address.ward,  address.town,    address.townNote};

        row.flags = address.flags;
        for (int i = 0; i < 7; ++i)
            keszip_pg_from_engine(texts[i], row.fields[i], sizeof row.fields[i]);
        sink(context, &row);
    }
    return rows;
}

int keszip_pg_search(KesZipHandle* handle, const char* utf8, size_t length, KesZipPgRowSink sink,
                     void* context) {
    char sjis[KESZIP_TOWN_SIZE];
    KesZipEntry entry;
    KesZipPgRow row;
    int rows = 0;
    const int status = keszip_pg_to_engine(utf8, length, sjis, sizeof sjis);

    if (status == KESZIP_UTF8_INVALID || status == KESZIP_UTF8_NUL_BYTE) return -1;
    /* Longer than any name the dictionary holds: nothing begins with it. */
    if (status < 0 || sjis[0] == '\0') return 0;
    for (int first = 1; rows < KESZIP_PG_MAX_ROWS && KesZipIncSearch(handle, first, sjis, &entry);
         first = 0, ++rows) {
        const char* texts[5] = {entry.prefecture, entry.city, entry.municipality, entry.town,
                                entry.townNote};

        row.flags = 0;
        for (int i = 0; i < 5; ++i)
            keszip_pg_from_engine(texts[i], row.fields[i], sizeof row.fields[i]);
        row.fields[5][0] = row.fields[6][0] = '\0';
        sink(context, &row);
    }
    return rows;
}
