/*
 * Custom: the setup helper. A setup program calls it to decorate its main
 * window while it installs and to give every installed file one date and time.
 *
 * Each export takes the setup program's call record (CustomCallRecord below)
 * and returns a 32-bit value. Texts are NUL-terminated Shift-JIS strings; the
 * library never keeps a pointer into the record after a call returns, except
 * the window, which it remembers from DspHook until DspUnHook.
 *
 * DspHook: the parameter text names a setup variable (without its "%" signs).
 *   Its value, read as a decimal integer, is the edition: 1 shows the label
 *   " Product Version ", 2 " Update Kit ", anything else (also an unknown
 *   variable) no label. The window is the setup program's top-level QWidget
 *   (on Windows its native window, whose paint messages Custom.dll hooks);
 *   Custom installs one event filter on the application object of the calling
 *   thread and from then on paints the decoration (a blue gradient, a tiled
 *   pattern, a picture, the version and the maker's lines, the edition label)
 *   whenever that window is painted, scaled by the screen height over 864.
 *   Returns 1.
 * DspUnHook: removes the event filter and frees the drawing objects; the window
 *   paints itself again. Returns 1.
 * SetDate: the parameter text is "FOLDER\PATTERN/YYYY-MM-DD hh:mm:ss/": a folder
 *   written with "\" between its parts (such as "\home\me\zelko7\*.*"), then
 *   the date and time in fixed columns (any one character between the fields,
 *   except "/"). Every entry of the folder and of all its subfolders that
 *   matches the pattern gets that local time; names beginning with "." are
 *   neither visited nor descended into, entries that cannot be opened for
 *   writing (folders, links, files without write access) are passed over.
 *   Returns 1 when the tree was walked, 0 when the text lacks one of its two
 *   "/" or the date part is not a valid date and time (then nothing is
 *   touched). On Linux and other POSIX systems files have no settable
 *   creation time: SetDate sets the last-access and last-modification times.
 *   On Windows it also sets the creation time.
 *
 * The exports run on the setup program's user-interface thread.
 */
#ifndef CUSTOM_H
#define CUSTOM_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(CUSTOM_BUILDING_LIBRARY)
#define CUSTOM_API __declspec(dllexport)
#else
#define CUSTOM_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define CUSTOM_API __attribute__((visibility("default")))
#else
#define CUSTOM_API
#endif

/* The standard Windows calling convention on 32-bit Windows, none elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define CUSTOM_CALL __stdcall
#else
#define CUSTOM_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The setup program's call record. Custom reads only the named fields; the
 * reserved ones belong to the setup program. On 32-bit builds the fields lie
 * at the byte offsets in the comments; on 64-bit builds the same fields follow
 * in natural alignment. */
typedef struct CustomCallRecord {
    uint32_t reserved0;         /*  0 */
    void* window;               /*  4: the setup program's top-level QWidget */
    uint32_t reserved8;         /*  8 */
    uint32_t nameSlotSize;      /* 12: bytes in one slot of the name table */
    uint32_t valueSlotSize;     /* 16: bytes in one slot of the value table */
    uint32_t variableCount;     /* 20 */
    const char* variableNames;  /* 24: "%NAME%" texts, one per slot */
    const char* variableValues; /* 28: value texts, one per slot */
    uint32_t reserved32;        /* 32 */
    uint32_t reserved36;        /* 36 */
    const char* parameter;      /* 40: the call's parameter text */
} CustomCallRecord;

#if defined(__cplusplus)
#define CUSTOM_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define CUSTOM_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

#if UINTPTR_MAX == 0xFFFFFFFFu
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, window) == 4, "window at 4");
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, nameSlotSize) == 12, "name slot size at 12");
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, valueSlotSize) == 16, "value slot size at 16");
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, variableCount) == 20, "variable count at 20");
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, variableNames) == 24, "name table at 24");
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, variableValues) == 28, "value table at 28");
CUSTOM_STATIC_ASSERT(offsetof(CustomCallRecord, parameter) == 40, "parameter at 40");
#endif

CUSTOM_API int32_t CUSTOM_CALL DspHook(CustomCallRecord* record);
CUSTOM_API int32_t CUSTOM_CALL DspUnHook(CustomCallRecord* record);
CUSTOM_API int32_t CUSTOM_CALL SetDate(CustomCallRecord* record);

#ifdef __cplusplus
}
#endif

#endif /* CUSTOM_H */
