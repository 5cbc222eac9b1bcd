/*
 * The keszip PostgreSQL extension: address lookups and code searches as SQL
 * functions over the engine's handle API. Every backend (and every parallel
 * worker, a process of its own) makes one engine handle the first time it
 * needs one and keeps it; lookups go through the handle's UTF-8 calls, so
 * the answers are those of `keszip lookup`. Texts in another server encoding
 * are converted to UTF-8 and back by PostgreSQL.
 */
/* postgres.h comes first, before any other header. */
// clang-format off
#include "postgres.h"

#include "fmgr.h"
#include "funcapi.h"
#include "mb/pg_wchar.h"
#include "storage/ipc.h"
#include "utils/builtins.h"
#include "utils/guc.h"
#include "utils/memutils.h"
// clang-format on

#include <string.h>

#include "keszip.h"
#include "searches.h"

PG_MODULE_MAGIC;

void _PG_init(void);

/* keszip.dictionary_dir: the folder of the dictionary files; empty, the
 * folders the library searches itself. */
static char* dictionary_dir = NULL;

static KesZipHandle* handle = NULL;
static char* handle_dir = NULL; /* the folder `handle` was opened on */

static void destroy_handle(int code, Datum arg) {
    (void)code;
    (void)arg;
    KesZipDestroy(handle);
    handle = NULL;
}

void _PG_init(void) {
    DefineCustomStringVariable(
        "keszip.dictionary_dir", "Folder of the keszip dictionary files (KESZIP.DIC and others).",
        "Empty: the folder of the keszip library, then KESZIP_DICTIONARY_DIR, then the installed "
        "data folder.",
        &dictionary_dir, "", PGC_SUSET, 0, NULL, NULL, NULL);
    MarkGUCPrefixReserved("keszip");
    on_proc_exit(destroy_handle, (Datum)0);
}

/* This backend's handle on the folder keszip.dictionary_dir names now. */
static KesZipHandle* engine(void) {
    const char* wanted = dictionary_dir ? dictionary_dir : "";
    int error = 0;
    KesZipHandle* opened;

    if (handle && strcmp(handle_dir, wanted) == 0) return handle;
    KesZipDestroy(handle);
    handle = NULL;
    if (handle_dir) pfree(handle_dir);
    handle_dir = NULL;
    opened = KesZipCreate(wanted, &error);
    if (!opened)
        ereport(ERROR,
                (errcode(ERRCODE_CONFIG_FILE_ERROR),
                 errmsg("keszip: the dictionary files could not be opened (error %d) %s%s", error,
                        *wanted ? "in " : "in the folders the keszip library searches", wanted),
                 errhint("Set keszip.dictionary_dir to the folder holding KESZIP.DIC, "
                         "KESZIP.PRM and KESZIP.TBL.")));
    handle_dir = MemoryContextStrdup(TopMemoryContext, wanted);
    handle = opened;
    return handle;
}

/* The UTF-8 form of a text of the database: the text itself in a UTF-8 (or
 * SQL_ASCII) database, otherwise converted by PostgreSQL. */
static const char* utf8_of(text* value, size_t* length) {
    const char* data = VARDATA_ANY(value);
    const int size = VARSIZE_ANY_EXHDR(value);
    const char* converted = data;
    const int encoding = GetDatabaseEncoding();

    if (encoding != PG_UTF8 && encoding != PG_SQL_ASCII)
        converted = pg_server_to_any(data, size, PG_UTF8);
    *length = converted == data ? (size_t)size : strlen(converted);
    return converted;
}

/* A UTF-8 answer field as a text of the database. */
static Datum text_of(const char* utf8) {
    const char* server = pg_any_to_server(utf8, (int)strlen(utf8), PG_UTF8);
    Datum result = PointerGetDatum(cstring_to_text(server));

    if (server != utf8) pfree((void*)server);
    return result;
}

static void lookup(text* address, int options, KesZipUtf8Answer* answer) {
    size_t length = 0;
    const char* utf8 = utf8_of(address, &length);

    KesZipLookupUtf8(engine(), utf8, length, options, answer);
    if (utf8 != VARDATA_ANY(address)) pfree((void*)utf8);
}

PG_FUNCTION_INFO_V1(keszip_lookup);
/* keszip_lookup(address text, hyphen boolean) returns keszip_result. */
Datum keszip_lookup(PG_FUNCTION_ARGS) {
    KesZipUtf8Answer answer;
    TupleDesc descriptor;
    Datum values[5];
    bool nulls[5] = {false, false, false, false, false};

    lookup(PG_GETARG_TEXT_PP(0), PG_GETARG_BOOL(1) ? KESZIP_HYPHEN : 0, &answer);
    if (get_call_result_type(fcinfo, NULL, &descriptor) != TYPEFUNC_COMPOSITE)
        ereport(ERROR, (errcode(ERRCODE_FEATURE_NOT_SUPPORTED),
                        errmsg("keszip_lookup must be declared to return a composite type")));
    descriptor = BlessTupleDesc(descriptor);
    values[0] = Int32GetDatum(answer.flags);
    values[1] = text_of(answer.code7);
    values[2] = text_of(answer.oldCode);
    values[3] = text_of(answer.addressNumber);
    values[4] = text_of(answer.jisCode);
    PG_RETURN_DATUM(HeapTupleGetDatum(heap_form_tuple(descriptor, values, nulls)));
}

PG_FUNCTION_INFO_V1(keszip_code);
/* keszip_code(address text) returns text: the 7-digit code, '' when the
 * address was not placed. */
Datum keszip_code(PG_FUNCTION_ARGS) {
    KesZipUtf8Answer answer;

    lookup(PG_GETARG_TEXT_PP(0), 0, &answer);
    PG_RETURN_TEXT_P(cstring_to_text(answer.flags != 0 ? answer.code7 : ""));
}

/* A search row as a tuple of the function's result: the flags first when
 * `with_flags`, then `fields` texts. */
typedef struct RowTarget {
    ReturnSetInfo* result;
    bool with_flags;
    int fields;
} RowTarget;

static void put_row(void* context, const KesZipPgRow* row) {
    const RowTarget* target = (const RowTarget*)context;
    Datum values[8];
    bool nulls[8] = {false, false, false, false, false, false, false, false};
    int column = 0;

    if (target->with_flags) values[column++] = Int32GetDatum(row->flags);
    for (int i = 0; i < target->fields; ++i) values[column++] = text_of(row->fields[i]);
    tuplestore_putvalues(target->result->setResult, target->result->setDesc, values, nulls);
}

PG_FUNCTION_INFO_V1(keszip_address);
/* keszip_address(code text) returns setof: the addresses of a 3-, 5- or
 * 7-digit code (123-4567 allowed). */
Datum keszip_address(PG_FUNCTION_ARGS) {
    text* code = PG_GETARG_TEXT_PP(0);
    KesZipHandle* h = engine();
    RowTarget target = {(ReturnSetInfo*)fcinfo->resultinfo, true, 7};

    InitMaterializedSRF(fcinfo, 0);
    keszip_pg_addresses(h, VARDATA_ANY(code), VARSIZE_ANY_EXHDR(code), put_row, &target);
    return (Datum)0;
}

PG_FUNCTION_INFO_V1(keszip_search);
/* keszip_search(prefix text) returns setof: the entries that begin with a
 * partial address or reading, as `keszip search` lists them ("*" at the end
 * lists the level below). */
Datum keszip_search(PG_FUNCTION_ARGS) {
    text* prefix = PG_GETARG_TEXT_PP(0);
    size_t length = 0;
    const char* utf8 = utf8_of(prefix, &length);
    KesZipHandle* h = engine();
    RowTarget target = {(ReturnSetInfo*)fcinfo->resultinfo, false, 5};
    int rows;

    InitMaterializedSRF(fcinfo, 0);
    rows = keszip_pg_search(h, utf8, length, put_row, &target);
    if (utf8 != VARDATA_ANY(prefix)) pfree((void*)utf8);
    if (rows < 0)
        ereport(ERROR, (errcode(ERRCODE_CHARACTER_NOT_IN_REPERTOIRE),
                        errmsg("keszip_search: the text is not UTF-8")));
    return (Datum)0;
}

PG_FUNCTION_INFO_V1(keszip_version);
/* keszip_version() returns text: the edition of the dictionary the lookups
 * answer from ("2605"), the one thing the functions' results depend on. */
Datum keszip_version(PG_FUNCTION_ARGS) {
    (void)fcinfo;
    PG_RETURN_TEXT_P(cstring_to_text(psprintf("%d", KesZipEdition(engine()))));
}
