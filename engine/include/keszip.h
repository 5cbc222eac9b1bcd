/*
 * KesZip: the postal-code engine's exported C interface.
 *
 * Every text is a NUL-terminated Shift-JIS (code page 932) byte string in a
 * buffer the caller owns; the library never keeps a caller's pointer after a
 * call returns. Codes written into caller buffers are ASCII digits. With the
 * hyphen mode on, a 7-digit code buffer needs 9 bytes and an old-code buffer
 * 7 bytes.
 *
 * The library keeps one process-wide engine: its exports must be entered by
 * one thread at a time. Every lookup opens the dictionary on first use.
 *
 * The dictionary files (KESZIP.DIC, KESZIP.TBL, KESZIP.PRM, KESCMP.DIC,
 * KESTEL.DIC) are looked for, file by file, beside the library itself, then
 * in the folder named by the environment variable KESZIP_DICTIONARY_DIR,
 * then in the data folder of the installed tree (share/keszip beside the
 * library folder), and last beside the program.
 */
#ifndef KESZIP_H
#define KESZIP_H

#if defined(_WIN32)
#if defined(KESZIP_BUILDING_LIBRARY)
#define KESZIP_API __declspec(dllexport)
#else
#define KESZIP_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define KESZIP_API __attribute__((visibility("default")))
#else
#define KESZIP_API
#endif

/* The standard Windows calling convention on 32-bit Windows, none elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define KESZIP_CALL __stdcall
#else
#define KESZIP_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the main dictionary KESZIP.DIC (and reads KESZIP.PRM and KESZIP.TBL).
 * 1 when it is open (also when it already was), 0 on failure: GetZe7Err tells why. */
KESZIP_API int KESZIP_CALL KesZipOpen(void);
/* 1 when closed; 0 with GetZe7Err 1 when it was not open, 2 when closing failed. */
KESZIP_API int KESZIP_CALL KesZipClose(void);

/* Non-zero switches the hyphen after the third digit of codes on; returns the mode passed. */
KESZIP_API int KESZIP_CALL SetHyphenMode(int mode);
KESZIP_API int KESZIP_CALL GetHyphenMode(void);

/* Address to code. Results are flags: 0 not placed (the 7-digit buffer then
 * holds an error text "ERR-nnn"), 1 placed, 2 Kyoto street description,
 * 4 generic code of an area, 8 prefecture name missing, 16 city or county
 * name missing. Address-number buffers need 14 bytes and may be null. */
KESZIP_API int KESZIP_CALL zelko7(const char* address, char* code7, char* addressNumber);
KESZIP_API int KESZIP_CALL zelko5(const char* address, char* oldCode, char* addressNumber);
KESZIP_API int KESZIP_CALL zelko57(const char* address, char* oldCode, char* code7,
                                   char* addressNumber);
/* As zelko7, and writes the local-government code ("%05d", 6 bytes) of the municipality. */
KESZIP_API int KESZIP_CALL Zelko7JisCode(const char* address, char* jisCode, char* code7,
                                         char* addressNumber);
/* Writes the local-government code left by the last lookup ("%05d"); returns 5. */
KESZIP_API int KESZIP_CALL GetJisCodeNow(char* jisCode);

/* Code to address: first = 1 starts a search for a 3-, 5- or 7-digit code
 * (the 7-digit one with an optional hyphen), first = 0 returns the next address. */
KESZIP_API int KESZIP_CALL GetZipAddress(int first, const char* code, char* oldCode, char* code7,
                                         char* prefecture, char* city, char* ward, char* town,
                                         char* townNote);
/* The part of the address that every town of a code shares. */
KESZIP_API int KESZIP_CALL GetZipDecision(const char* code, char* prefecture, char* city,
                                          char* ward, char* town, char* townNote);
/* Drill-down search by partial text: one entry per call, 0 at the end. */
KESZIP_API int KESZIP_CALL GetIncAddress(int first, const char* text, char* prefecture, char* city,
                                         char* municipality, char* town, char* townNote);
/* Splits an address into its parts in the caller's own spelling. */
KESZIP_API int KESZIP_CALL SeparateAddress(const char* address, char* oldCode, char* code7,
                                           char* prefecture, char* city, char* ward, char* town,
                                           char* rest);

/* Last error: 0 none, 1 not open, 2 file not opened/closed, 11-16 short or
 * bad parts of the dictionary file, 100 bad code or search exhausted. */
KESZIP_API int KESZIP_CALL GetZe7Err(void);

/* Large-business-office dictionary KESCMP.DIC. */
KESZIP_API int KESZIP_CALL KesCmpOpen(void);
KESZIP_API int KESZIP_CALL KesCmpClose(void);
/* match: 0, 1 or 2 (how the office name is compared). */
KESZIP_API int KESZIP_CALL GetCmpCode(int first, const char* officeName, const char* address,
                                      int match, char* oldCode, char* code7, char* jisCode,
                                      char* prefecture, char* city, char* ward, char* town,
                                      char* remark, char* officeNameOut);
KESZIP_API int KESZIP_CALL GetZipAddressCmp(int first, const char* code, char* oldCode, char* code7,
                                            char* prefecture, char* city, char* ward, char* town,
                                            char* remark, char* officeName);

/* Telephone-number renumbering. The base date is YYYYMMDD in exactly 8
 * characters (19000000-29999999), or 0 / "" for none; 1 when accepted, 0 when
 * refused (the previous date then stays). */
KESZIP_API int KESZIP_CALL SetTelBaseDate(const char* date);
/* Brings an old number up to date as of the base date, keeping its written
 * form. 1 when converted; 0 with newNumber = "" otherwise. newNumber needs
 * strlen(number) + 3 bytes. */
KESZIP_API int KESZIP_CALL ConvNewTelNo(char* newNumber, const char* number);

/* The telephone dictionary KESTEL.DIC, opened on first use by the lookups
 * below. KesTelOpen: 1 when open (also when it already was). KesTelClose: 1
 * when it closed the dictionary, 0 when it was not open. */
KESZIP_API int KESZIP_CALL KesTelOpen(void);
KESZIP_API int KESZIP_CALL KesTelClose(void);
/* The towns of a telephone number (area code, optionally with the leading
 * exchange digits: "0273", "0273-12"; 2-11 characters), one per call: first
 * nonzero starts the enumeration. Returns 0 when no (further) town matches,
 * else the flags of GetZipAddress. codes receives the town's codeCount codes
 * joined by ",", renumbered while a base date is set. */
KESZIP_API int KESZIP_CALL GetTelAddress(int first, const char* number, char* code7,
                                         char* prefecture, char* city, char* ward, char* town,
                                         char* townNote, int* codeCount, char* codes);
/* The part of the address every town of the number shares; levels that
 * differ are empty. 0 when nothing matches or the towns lie in different
 * prefectures, else the flags of GetZipDecision. */
KESZIP_API int KESZIP_CALL GetTelDecision(const char* number, char* prefecture, char* city,
                                          char* ward, char* town, char* townNote);
/* Address to telephone codes: the lookup's flags (0 with an error text in
 * code7 on failure), the number of codes and the codes joined by ",". */
KESZIP_API int KESZIP_CALL GetAddressTel(const char* address, char* code7, int* codeCount,
                                         char* codes);
/* The telephone codes of a partial address: 1 with the count and the codes
 * joined by "," (area codes below the level named, full codes of the towns
 * named), 0 when none. */
KESZIP_API int KESZIP_CALL GetDecisionTel(const char* address, int* codeCount, char* codes);

/* The library's version text. */
KESZIP_API const char* KESZIP_CALL GetZe7DllVersion(void);
/* dictionary 1 main, 2 office, 3 telephone; item 0 the edition number,
 * 1-4 and others the texts of the dictionary's information block. The text
 * is owned by the library; an unknown or unopenable dictionary gives "". */
KESZIP_API const char* KESZIP_CALL GetZe7DicVersion(int dictionary, int item);

#ifdef __cplusplus
}
#endif

#endif /* KESZIP_H */
