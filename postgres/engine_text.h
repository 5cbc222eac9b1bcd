/* The engine's own UTF-8 edge for the extension's C code: the search texts
 * go to the engine and its Shift-JIS answers come back through the same
 * conversion the handle API's UTF-8 lookups use (dashes, placeholders,
 * invalid UTF-8), so the extension holds no text rule of its own. */
#ifndef KESZIP_POSTGRES_ENGINE_TEXT_H
#define KESZIP_POSTGRES_ENGINE_TEXT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Converts `length` bytes of UTF-8 into the engine's Shift-JIS form in `out`
 * (`size` bytes with its NUL). Returns a KESZIP_UTF8_* status, or -1 when
 * the converted text does not fit. */
int keszip_pg_to_engine(const char* utf8, size_t length, char* out, size_t size);

/* The UTF-8 form of an engine text into `out` (`size` bytes with its NUL),
 * cut at a whole character when it would not fit. */
void keszip_pg_from_engine(const char* sjis, char* out, size_t size);

#ifdef __cplusplus
}
#endif

#endif
