/* The extension's searches apart from PostgreSQL: the code-to-address search
 * and the drill-down search on an engine handle, each row handed over with
 * its fields in UTF-8. The SQL functions only turn rows into tuples, so the
 * sanitized tests run these loops without a server. Written in C: a row's
 * sink may leave by PostgreSQL's error jump. */
#ifndef KESZIP_POSTGRES_SEARCHES_H
#define KESZIP_POSTGRES_SEARCHES_H

#include <stddef.h>

#include "keszip.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A search never returns more rows than this: a guard against a search
 * that would not end. */
#define KESZIP_PG_MAX_ROWS 1000000
/* A field of a row in UTF-8 (a Shift-JIS byte can take three), NUL included. */
#define KESZIP_PG_FIELD_SIZE (KESZIP_TOWN_SIZE * 3)

/* One row: the search flags (code search) and up to seven fields. */
typedef struct KesZipPgRow {
    int flags;
    char fields[7][KESZIP_PG_FIELD_SIZE];
} KesZipPgRow;

typedef void (*KesZipPgRowSink)(void* context, const KesZipPgRow* row);

/* The addresses of a 3-, 5- or 7-digit code (123-4567 allowed), `length`
 * bytes: fields code7, old code, prefecture, city, ward, town, town note.
 * Any other text has none. Returns the number of rows. */
int keszip_pg_addresses(KesZipHandle* handle, const char* code, size_t length, KesZipPgRowSink sink,
                        void* context);

/* The entries that begin with `length` bytes of UTF-8 text, as `keszip
 * search` lists them: fields prefecture, city, municipality, town, town
 * note. Returns the number of rows, or -1 when the text is not UTF-8 or
 * holds a NUL byte. */
int keszip_pg_search(KesZipHandle* handle, const char* utf8, size_t length, KesZipPgRowSink sink,
                     void* context);

#ifdef __cplusplus
}
#endif

#endif
