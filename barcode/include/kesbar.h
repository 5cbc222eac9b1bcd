/*
 * KesBar: the postal customer barcode of an address, as a bitmap or as text.
 *
 * The first argument of each function is the source: a Shift-JIS address
 * (its first byte has the high bit set), or ready barcode data, the ASCII
 * characters "0"-"9", "-" and "A"-"Z" (normally the 7-digit code followed by
 * the address-number part; a hyphen after the third character is dropped).
 * Addresses are looked up with the postal-code engine, which the library
 * loads by name on first need ("libkeszip.so" / "keszip.dll", beside this
 * library first) and keeps for the life of the process.
 *
 * Every function returns one of the result codes:
 *   0  success
 *   1  the data hold a character outside "0"-"9", "-", "A"-"Z"; nothing is produced
 *   2  the output cannot be made: KesBarStr got a null buffer; KesBar cannot
 *      create the file; the height is under 1 or the bitmap would exceed
 *      KESBAR_MAX_IMAGE_BYTES; KesBarImage got a null out pointer or could not
 *      allocate the block
 *   3  KesBar wrote fewer bytes than the bitmap holds
 *   4  the data are too short (a null source, under 4 characters, or 6 or
 *      fewer once the hyphen is dropped)
 *   5  the engine library or its lookup cannot be loaded (addresses only)
 *   6  the engine did not place the address, or only on a municipality's
 *      generic code
 *
 * The bitmap is a complete BMP file image: 62 header bytes (file header,
 * 40-byte information header, a two-entry colour table with black at 0 and
 * white at 1) followed by bottom-up rows of 1 bit per pixel, each row padded
 * to 4 bytes. Black bars on white. With bar height H the image is 23*H
 * pixels wide and H high; rotated it is H wide and 23*H high and reads from
 * bottom to top. The bar-width percentage P makes bars max(1, H*P/600)
 * pixels wide (P = 100: a sixth of the long bar's height).
 *
 * The library keeps one process-wide engine binding and result buffers:
 * enter it from one thread at a time.
 */
#ifndef KESBAR_H
#define KESBAR_H

#if defined(_WIN32)
#if defined(KESBAR_BUILDING_LIBRARY)
#define KESBAR_API __declspec(dllexport)
#else
#define KESBAR_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define KESBAR_API __attribute__((visibility("default")))
#else
#define KESBAR_API
#endif

/* The standard Windows calling convention on 32-bit Windows, none elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define KESBAR_CALL __stdcall
#else
#define KESBAR_CALL
#endif

/* Bytes KesBarStr may write, terminating NUL included. */
#define KESBAR_TEXT_SIZE 116
/* Largest bitmap block the library makes (64 MiB). */
#define KESBAR_MAX_IMAGE_BYTES (64L * 1024 * 1024)

#ifdef __cplusplus
extern "C" {
#endif

/* Writes the barcode bitmap of `source` to the file `fileName`, replacing an
 * existing file. With a null file name the bitmap is made and discarded. */
KESBAR_API int KESBAR_CALL KesBar(const char* source, const char* fileName, int height,
                                  int widthPercent, int rotate);

/* Hands the barcode bitmap of `source` out in a block the library allocates;
 * release it with KesBarFree. On result 0 `*image` and `*size` hold the block
 * and its size in bytes; on results 1 and 2 they are set to null and 0; on
 * results 4 to 6 they are left as they were. */
KESBAR_API int KESBAR_CALL KesBarImage(const char* source, int height, unsigned char** image,
                                       int* size, int widthPercent, int rotate);

/* Releases a block that KesBarImage handed out; null is ignored. */
KESBAR_API void KESBAR_CALL KesBarFree(unsigned char* image);

/* Writes the names of the 23 barcode symbols into `text`, concatenated:
 * "[STC]", the 20 data symbols ("0"-"9", "-", "[CC1]"-"[CC8]"), the check
 * symbol and "[SPC]". `text` must hold KESBAR_TEXT_SIZE (116) bytes. */
KESBAR_API int KESBAR_CALL KesBarStr(const char* source, char* text);

#ifdef __cplusplus
}
#endif

#endif /* KESBAR_H */
