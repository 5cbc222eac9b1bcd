/*
 * KesZip: the postal-code engine's exported C interface.
 *
 * Every text is a NUL-terminated Shift-JIS (code page 932) byte string in a
 * buffer the caller owns; the library never keeps a caller's pointer after a
 * call returns. Codes written into caller buffers are ASCII digits. The
 * KESZIP_*_SIZE constants below give the size of every kind of buffer.
 *
 * The classic exports share one process-wide engine: they must be entered by
 * one thread at a time, and every lookup opens the dictionary on first use.
 * Callers that look up on several threads create one engine handle per
 * thread (KesZipCreate, at the end of this header); handles share the
 * dictionary data of the process and may be used on different threads at
 * the same time.
 *
 * The dictionary files (KESZIP.DIC, KESZIP.TBL, KESZIP.PRM, KESCMP.DIC,
 * KESTEL.DIC) are looked for, file by file, beside the library itself, then
 * in the folder named by the environment variable KESZIP_DICTIONARY_DIR,
 * then in the data folder of the installed tree (share/keszip beside the
 * library folder), and last beside the program.
 */
#ifndef KESZIP_H
#define KESZIP_H

#include <stddef.h>

/* The version of this header, for compile-time checks: the text that
 * GetZe7DllVersion returns, and the same as one number (major * 1000000000 +
 * minor * 1000000 + patch * 1000 + build). A program built against this
 * header and run with another library can compare the two. */
#define KESZIP_VERSION "1.5.1.7"
#define KESZIP_VERSION_NUMBER 1005001007

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

/* Sizes of the caller's buffers, NUL included: every export writes at most
 * this many bytes into the buffer of that kind, and a buffer of exactly this
 * size is always enough. */
#define KESZIP_CODE7_SIZE 9           /* 7-digit code "1234567", "123-4567" or an error text */
#define KESZIP_OLD_CODE_SIZE 7        /* old code "12345", "123-45" or "123   " */
#define KESZIP_JIS_CODE_SIZE 6        /* local-government code "13101" */
#define KESZIP_ADDRESS_NUMBER_SIZE 14 /* address number for the customer barcode */
#define KESZIP_NAME_SIZE 40           /* prefecture, city, ward or municipality name */
#define KESZIP_TOWN_SIZE 256          /* town name, and the rest of SeparateAddress */
#define KESZIP_NOTE_SIZE 256          /* town note, "(...)" */
#define KESZIP_REMARK_SIZE 256        /* remark of a large business office */
#define KESZIP_OFFICE_NAME_SIZE 256   /* name of a large business office */
/* Telephone code lists ("0273,0274-12,..."): a list that would be longer is
 * cut after the last whole code that fits, and the count tells how many
 * codes the written list holds. */
#define KESZIP_TEL_CODES_SIZE 4096
/* ConvNewTelNo writes at most strlen(number) + KESZIP_TEL_NUMBER_GROWTH bytes. */
#define KESZIP_TEL_NUMBER_GROWTH 3

/* Result flags of the address lookups (zelko7, zelko5, zelko57,
 * Zelko7JisCode, SeparateAddress, GetAddressTel, KesZipLookup); 0 means the
 * address was not placed. */
#define KESZIP_FOUND 1
#define KESZIP_KYOTO_STREET 2  /* placed by a Kyoto street description */
#define KESZIP_GENERIC_CODE 4  /* the code is the area's generic one (ends in 00) */
#define KESZIP_NO_PREFECTURE 8 /* the prefecture name was missing */
#define KESZIP_NO_CITY 16      /* the city or county name was missing */
/* Found by a name the place had before: a town name of an earlier edition of
 * Japan Post's data, or a municipality (or ward) name from before a merger,
 * renaming or reorganisation, when the dictionary holds such names. */
#define KESZIP_FORMER_NAME 64
/* The address began with a postal code ("〒100-0013 東京都…") other than the
 * code it was placed at: the written code and the address disagree. */
#define KESZIP_CODE_DIFFERS 128

/* Search flags of the code-to-address and telephone searches (GetZipAddress,
 * GetZipDecision, GetTelAddress, GetTelDecision, KesZipSearch); 0 means
 * nothing was found. */
#define KESZIP_SEARCH_FOUND 1
#define KESZIP_SEARCH_GENERIC_TOWN 4      /* the town is the "not listed below" entry */
#define KESZIP_SEARCH_EXCEPT_BUILDINGS 32 /* the note excepts the high-rise buildings */
#define KESZIP_SEARCH_LOT_FOLLOWS 64      /* the lot number follows the municipality */

/* Error codes of GetZe7Err, GetTelErr and KesZipHandleError. */
#define KESZIP_ERR_NONE 0
#define KESZIP_ERR_NOT_OPEN 1          /* the dictionary is not open */
#define KESZIP_ERR_FILE 2              /* the file could not be opened or closed */
#define KESZIP_ERR_SIGNATURE 3         /* the file is not a dictionary of its kind */
#define KESZIP_ERR_HEADER 11           /* header or information block short */
#define KESZIP_ERR_PREFECTURE_TABLE 12 /* also the office table of KESCMP.DIC */
#define KESZIP_ERR_CITY_TABLE 13
#define KESZIP_ERR_MUNICIPALITY_TABLE 14
#define KESZIP_ERR_CODE_LIST 15
#define KESZIP_ERR_TOWN_BLOCK 16 /* a town block could not be read */
#define KESZIP_ERR_CODE 100      /* bad code or number, nothing found, search exhausted */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Opening and closing. Every lookup below opens the dictionaries it needs on
 * first use, so calling KesZipOpen is optional; it lets a program report a
 * missing dictionary at start.
 *
 * KesZipOpen opens the main dictionary KESZIP.DIC and reads the settings
 * KESZIP.PRM and the substitution table KESZIP.TBL. Result: 1 when the
 * dictionary is open (also when it already was: nothing is read again), 0 on
 * failure, with the reason in GetZe7Err (KESZIP_ERR_FILE, _SIGNATURE,
 * _HEADER or a table error).
 * KesZipClose releases it. Result: 1 when closed; 0 when it was not open
 * (GetZe7Err 1) or the file could not be closed (GetZe7Err 2). A later lookup
 * opens it again.
 */
KESZIP_API int KESZIP_CALL KesZipOpen(void);
KESZIP_API int KESZIP_CALL KesZipClose(void);

/* The hyphen mode: while it is on (mode non-zero), every 7-digit code a call
 * writes has a hyphen after its third digit ("100-0013") and every old code
 * one after its third digit ("100-13"); the buffer sizes above allow for it.
 * SetHyphenMode returns the mode passed, GetHyphenMode the current one. */
KESZIP_API int KESZIP_CALL SetHyphenMode(int mode);
KESZIP_API int KESZIP_CALL GetHyphenMode(void);

/*
 * Address to code.
 *   address        the address, free form (prefecture and city may be left out)
 *   code7          out, KESZIP_CODE7_SIZE: the 7-digit code, or on failure the
 *                  error text ("ERR-001" dictionary not open, "ERR-003" not
 *                  placed, "ERR-005" text too long, "ERR-006" no town,
 *                  "ERR-999" internal)
 *   oldCode        out, KESZIP_OLD_CODE_SIZE: the old 5-digit (or 3-digit,
 *                  blank-padded) code; empty on failure
 *   addressNumber  out, KESZIP_ADDRESS_NUMBER_SIZE, may be null: the address
 *                  number of the customer barcode ("1-2-3"), empty when none
 *   jisCode        out, KESZIP_JIS_CODE_SIZE, may be null: the local-government
 *                  code of the municipality ("13101")
 * Result: the result flags (KESZIP_FOUND and the flags above), 0 when the
 * address was not placed. Every code buffer given is cleared before the
 * lookup starts. zelko7 writes the 7-digit code, zelko5 the old code (error
 * texts never reach its buffer), zelko57 both (oldCode may be null),
 * Zelko7JisCode the 7-digit and local-government codes (code7 may be null).
 * GetJisCodeNow writes the local-government code the last lookup identified
 * ("00000" when none) and returns 5; it opens nothing.
 */
KESZIP_API int KESZIP_CALL zelko7(const char* address, char* code7, char* addressNumber);
KESZIP_API int KESZIP_CALL zelko5(const char* address, char* oldCode, char* addressNumber);
KESZIP_API int KESZIP_CALL zelko57(const char* address, char* oldCode, char* code7,
                                   char* addressNumber);
KESZIP_API int KESZIP_CALL Zelko7JisCode(const char* address, char* jisCode, char* code7,
                                         char* addressNumber);
KESZIP_API int KESZIP_CALL GetJisCodeNow(char* jisCode);

/*
 * Code to address.
 *   first          1 starts a search, 0 returns the next result of it
 *   code           a 3-digit old code ("100"), a 5-digit old code ("10000") or a
 *                  7-digit code ("1000013" or "100-0013"); anything else
 *                  finds nothing (GetZe7Err KESZIP_ERR_CODE)
 *   oldCode, code7 out: the codes of the address (hyphen mode applies)
 *   prefecture, city, ward  out, KESZIP_NAME_SIZE: the names; city holds the
 *                  municipality when it belongs to no city, ward then empty
 *   town           out, KESZIP_TOWN_SIZE: the town name up to its note
 *   townNote       out, KESZIP_NOTE_SIZE: the note from "(" on, or empty
 * GetZipAddress returns one address per call: the search flags
 * (KESZIP_SEARCH_FOUND with the KESZIP_SEARCH_* flags that apply), 0 when
 * nothing (further) was found. GetZipDecision returns in one call the part of
 * the address that every town of the code shares (levels that differ are
 * empty), with the same flags.
 */
KESZIP_API int KESZIP_CALL GetZipAddress(int first, const char* code, char* oldCode, char* code7,
                                         char* prefecture, char* city, char* ward, char* town,
                                         char* townNote);
KESZIP_API int KESZIP_CALL GetZipDecision(const char* code, char* prefecture, char* city,
                                          char* ward, char* town, char* townNote);
/* Drill-down search by partial text (the beginning of an address in kanji
 * or in its reading; a trailing "*" matches anything, "*" alone every
 * entry): first = 1 starts, first = 0 continues; each
 * call writes one entry of the dictionary that begins with the text, level
 * by level (prefectures, cities, municipalities, towns), into the five
 * names (KESZIP_NAME_SIZE, town KESZIP_TOWN_SIZE, note KESZIP_NOTE_SIZE;
 * levels below the entry's are empty). Result: 1 when an entry was written,
 * 0 at the end. */
KESZIP_API int KESZIP_CALL GetIncAddress(int first, const char* text, char* prefecture, char* city,
                                         char* municipality, char* town, char* townNote);
/* Splits an address into prefecture, city, ward, town and the rest (house
 * number, building), each in the caller's own spelling, after looking it up:
 * oldCode and code7 receive its codes (KESZIP_NAME_SIZE for the names,
 * KESZIP_TOWN_SIZE for town and rest). Result: the result flags of the
 * lookup, 0 when it was not placed (every part then stays empty). */
KESZIP_API int KESZIP_CALL SeparateAddress(const char* address, char* oldCode, char* code7,
                                           char* prefecture, char* city, char* ward, char* town,
                                           char* rest);

/* Last error of the postal side (KESZIP_ERR_*): a dictionary with the wrong
 * signature gives KESZIP_ERR_SIGNATURE. The telephone side keeps its own,
 * read with GetTelErr. */
KESZIP_API int KESZIP_CALL GetZe7Err(void);

/*
 * Large business offices (KESCMP.DIC), which have codes of their own. The
 * searches need the main dictionary too and open both on first use.
 * KesCmpOpen: 1 when the office dictionary is open (also when it already
 * was), 0 on failure with the reason in GetZe7Err. KesCmpClose: 1 when
 * closed, 0 when it was not open (GetZe7Err 1) or could not be closed (2).
 */
KESZIP_API int KESZIP_CALL KesCmpOpen(void);
KESZIP_API int KESZIP_CALL KesCmpClose(void);
/* Offices by name, one per call:
 *   first          1 starts a search, 0 returns the next office
 *   officeName     the name or a part of it (at most 767 bytes; blanks ignored)
 *   address        "" for every office, or an address that narrows the search
 *                  to its municipality, city or prefecture
 *   match          0 the office's name contains the text; 1 equal, with company
 *                  words shortened (株式会社 = ㈱); 2 equal, company words
 *                  removed (前株 and 後株 alike)
 *   oldCode, code7, jisCode  out: the office's codes
 *   prefecture, city, ward, town  out: its address (names as GetZipAddress)
 *   remark         out, KESZIP_REMARK_SIZE: the rest of its address
 *   officeNameOut  out, KESZIP_OFFICE_NAME_SIZE: its name
 * Every out argument may be null. Result: 1 when an office was written, 0 at
 * the end (with "ERR-001" in code7 when the dictionary could not be opened). */
KESZIP_API int KESZIP_CALL GetCmpCode(int first, const char* officeName, const char* address,
                                      int match, char* oldCode, char* code7, char* jisCode,
                                      char* prefecture, char* city, char* ward, char* town,
                                      char* remark, char* officeNameOut);
/* Offices by code (a 3-, 5- or 7-digit code as GetZipAddress takes), one per
 * call; the out arguments as GetCmpCode's. Result: 1 when an office was
 * written, 0 at the end. */
KESZIP_API int KESZIP_CALL GetZipAddressCmp(int first, const char* code, char* oldCode, char* code7,
                                            char* prefecture, char* city, char* ward, char* town,
                                            char* remark, char* officeName);

/* Telephone-number renumbering. The base date is YYYYMMDD in exactly 8
 * characters (19000000-29999999), or 0 / "" for none; 1 when accepted, 0 when
 * refused (the previous date then stays). */
KESZIP_API int KESZIP_CALL SetTelBaseDate(const char* date);
/* Brings an old number up to date as of the base date, keeping its written
 * form. 1 when converted; 0 with newNumber = "" otherwise. newNumber needs
 * strlen(number) + KESZIP_TEL_NUMBER_GROWTH bytes. */
KESZIP_API int KESZIP_CALL ConvNewTelNo(char* newNumber, const char* number);

/* The telephone dictionary KESTEL.DIC, opened on first use by the lookups
 * below. KesTelOpen: 1 when open (also when it already was). KesTelClose: 1
 * when it closed the dictionary, 0 when it was not open. */
KESZIP_API int KESZIP_CALL KesTelOpen(void);
KESZIP_API int KESZIP_CALL KesTelClose(void);
/* The towns of a telephone number (area code, optionally with the leading
 * exchange digits: "0273", "0273-12"; 2-11 characters), one per call: first
 * nonzero starts the enumeration. Returns 0 when no (further) town matches,
 * else the flags of GetZipAddress. codes (KESZIP_TEL_CODES_SIZE) receives the
 * town's codes joined by ",", renumbered while a base date is set, and
 * codeCount how many it holds. */
KESZIP_API int KESZIP_CALL GetTelAddress(int first, const char* number, char* code7,
                                         char* prefecture, char* city, char* ward, char* town,
                                         char* townNote, int* codeCount, char* codes);
/* The part of the address every town of the number shares; levels that
 * differ are empty. 0 when nothing matches or the towns lie in different
 * prefectures, else the flags of GetZipDecision. */
KESZIP_API int KESZIP_CALL GetTelDecision(const char* number, char* prefecture, char* city,
                                          char* ward, char* town, char* townNote);
/* Address to telephone codes: the lookup's flags (0 with an error text in
 * code7 on failure), the number of codes and the codes joined by ","
 * (KESZIP_TEL_CODES_SIZE). The outputs are cleared first. */
KESZIP_API int KESZIP_CALL GetAddressTel(const char* address, char* code7, int* codeCount,
                                         char* codes);
/* The telephone codes of a partial address: 1 with the count and the codes
 * joined by "," (area codes below the level named, full codes of the towns
 * named; KESZIP_TEL_CODES_SIZE), 0 when none. */
KESZIP_API int KESZIP_CALL GetDecisionTel(const char* address, int* codeCount, char* codes);
/* Last error of the telephone side (KESZIP_ERR_*): why KesTelOpen or a
 * telephone lookup returned 0, KESZIP_ERR_CODE when nothing matched. */
KESZIP_API int KESZIP_CALL GetTelErr(void);

/* The library's version text, "1.5.1.7" (KESZIP_VERSION of its header). */
KESZIP_API const char* KESZIP_CALL GetZe7DllVersion(void);
/* dictionary 1 main, 2 office, 3 telephone; item 0 the edition number,
 * 1-4 and others the texts of the dictionary's information block. The text
 * is owned by the library; an unknown or unopenable dictionary gives "". */
KESZIP_API const char* KESZIP_CALL GetZe7DicVersion(int dictionary, int item);

/* The folders the dictionary files are looked for in, in that order, each
 * followed by a line feed, into `folders` (at most `size` - 1 bytes and a
 * NUL; nothing when `size` is 0); returns the length of the whole text, so
 * that a caller can tell where none of them held a file. */
KESZIP_API int KESZIP_CALL KesZipDictionaryFolders(char* folders, int size);

/*
 * Engine handles. Each handle is an engine of its own over a dictionary
 * folder: its own match state, caches, search cursor and last error, over
 * dictionary data that every handle of the process opened on the same files
 * shares (loaded once, freed with the last handle). One handle must be used
 * by one thread at a time; different handles may be used on different
 * threads at once. The classic exports above are not affected by handles.
 */
typedef struct KesZipHandle KesZipHandle;

/* Everything one address lookup gives, as zelko57 and GetJisCodeNow would. */
typedef struct KesZipAnswer {
    int flags;                                      /* result flags, 0 not placed */
    char code7[KESZIP_CODE7_SIZE];                  /* or the error text */
    char oldCode[KESZIP_OLD_CODE_SIZE];             /* "" when not placed */
    char addressNumber[KESZIP_ADDRESS_NUMBER_SIZE]; /* "" when none */
    char jisCode[KESZIP_JIS_CODE_SIZE];             /* municipality this lookup identified,
                                                       "00000" when none */
} KesZipAnswer;

/* One address of a code, as GetZipAddress writes it. */
typedef struct KesZipAddress {
    int flags; /* search flags, 0 nothing (further) found */
    char oldCode[KESZIP_OLD_CODE_SIZE];
    char code7[KESZIP_CODE7_SIZE];
    char prefecture[KESZIP_NAME_SIZE];
    char city[KESZIP_NAME_SIZE];
    char ward[KESZIP_NAME_SIZE];
    char town[KESZIP_TOWN_SIZE];
    char townNote[KESZIP_NOTE_SIZE];
} KesZipAddress;

/* Lookup options of KesZipLookup and KesZipSearch. */
#define KESZIP_HYPHEN 1 /* codes with a hyphen after the third digit */

/* Opens the dictionary files (KESZIP.DIC, KESZIP.PRM, KESZIP.TBL) of
 * `folder`, or of the library's own folder when it is null or empty. Returns
 * the handle, or null with *error (when not null) set to the KESZIP_ERR_*
 * code of the failed open. */
KESZIP_API KesZipHandle* KESZIP_CALL KesZipCreate(const char* folder, int* error);
/* Releases the handle; null is ignored. */
KESZIP_API void KESZIP_CALL KesZipDestroy(KesZipHandle* handle);
/* Looks an address up and fills *answer; returns answer->flags. */
KESZIP_API int KESZIP_CALL KesZipLookup(KesZipHandle* handle, const char* address, int options,
                                        KesZipAnswer* answer);
/* Code to address, one address per call as GetZipAddress: first nonzero
 * starts a search for the code; fills *address and returns address->flags. */
KESZIP_API int KESZIP_CALL KesZipSearch(KesZipHandle* handle, int first, const char* code,
                                        int options, KesZipAddress* address);
/* The matching form (mode 1) or literal form (mode 0) the engine folds a text
 * into before it compares it, cut at a whole character to fit `size` bytes
 * with its NUL (the engine itself folds into KESZIP_FOLD_SIZE bytes). A null
 * handle folds with the settings files beside the library. Returns the
 * length, or -1 for a bad argument. */
#define KESZIP_FOLD_SIZE 768
KESZIP_API int KESZIP_CALL KesZipFold(KesZipHandle* handle, const char* text, int mode, char* out,
                                      int size);
/* The handle's last error (KESZIP_ERR_*). */
KESZIP_API int KESZIP_CALL KesZipHandleError(KesZipHandle* handle);

/* One entry of the drill-down search, as GetIncAddress writes it: levels
 * below the entry's are empty. */
typedef struct KesZipEntry {
    char prefecture[KESZIP_NAME_SIZE];
    char city[KESZIP_NAME_SIZE];
    char municipality[KESZIP_NAME_SIZE];
    char town[KESZIP_TOWN_SIZE];
    char townNote[KESZIP_NOTE_SIZE];
} KesZipEntry;
/* The drill-down search of GetIncAddress on a handle's dictionaries, with
 * the handle's own search cursor: first nonzero starts a search for `text`
 * (Shift-JIS), first = 0 continues it. Fills *entry (cleared first) and
 * returns 1, or 0 at the end (also for a null handle, text or entry). */
KESZIP_API int KESZIP_CALL KesZipIncSearch(KesZipHandle* handle, int first, const char* text,
                                           KesZipEntry* entry);
/* The edition number of the handle's main dictionary (2605 for May 2026),
 * as GetZe7DicVersion(1, 0) gives it for the classic exports; 0 for a null
 * handle. */
KESZIP_API int KESZIP_CALL KesZipEdition(KesZipHandle* handle);

/*
 * UTF-8 lookups on engine handles: the one place where UTF-8 text enters the
 * engine. An address is `length` bytes of UTF-8 (KESZIP_UTF8_TERMINATED: up
 * to its NUL) and is converted to Shift-JIS before the lookup, so that the
 * answer is the one KesZipLookup gives for the same text in Shift-JIS:
 * - dash and minus forms that Shift-JIS cannot write (U+2012 figure dash,
 *   U+2013 en dash, U+2011, U+FE63, ...) are read as "-"; those it can write
 *   (U+2010, U+2014, U+2015, U+2212, U+FF0D) are already hyphens to the engine;
 * - any other character that Shift-JIS cannot write becomes one placeholder
 *   character, U+3013 "〓", and the address is still looked up
 *   (status KESZIP_UTF8_REPLACED);
 * - bytes that are not UTF-8, or a NUL byte within `length`, are not looked
 *   up: flags 0, code7 "ERR-003" and the status say so.
 * The fields are those `keszip lookup` prints, in UTF-8: when the address was
 * not placed (flags 0) every field but code7 is empty.
 */
#define KESZIP_UTF8_TERMINATED ((size_t)-1)

/* Sizes of the UTF-8 answer's fields, NUL included (a Shift-JIS byte can
 * take three in UTF-8). */
#define KESZIP_UTF8_CODE7_SIZE 25
#define KESZIP_UTF8_OLD_CODE_SIZE 19
#define KESZIP_UTF8_ADDRESS_NUMBER_SIZE 40
#define KESZIP_UTF8_JIS_CODE_SIZE 16

/* Status of a UTF-8 lookup (KesZipUtf8Answer.status). */
#define KESZIP_UTF8_OK 0       /* looked up as written */
#define KESZIP_UTF8_REPLACED 1 /* looked up with placeholders for characters Shift-JIS lacks */
#define KESZIP_UTF8_INVALID 2  /* not UTF-8: not looked up, code7 "ERR-003" */
#define KESZIP_UTF8_NUL_BYTE 3 /* a NUL byte within the length: not looked up, code7 "ERR-003" */
#define KESZIP_UTF8_BAD_ARGUMENT 4 /* null handle ("ERR-001") or null address ("ERR-003") */

/* Everything one UTF-8 lookup gives. */
typedef struct KesZipUtf8Answer {
    int flags;                                           /* result flags, 0 not placed */
    int status;                                          /* KESZIP_UTF8_* */
    char code7[KESZIP_UTF8_CODE7_SIZE];                  /* 7-digit code or the error text */
    char oldCode[KESZIP_UTF8_OLD_CODE_SIZE];             /* "" when not placed */
    char addressNumber[KESZIP_UTF8_ADDRESS_NUMBER_SIZE]; /* "" when none */
    char jisCode[KESZIP_UTF8_JIS_CODE_SIZE]; /* municipality of a placed address, "" when not placed
                                              */
} KesZipUtf8Answer;

/* Looks one UTF-8 address up and fills *answer. options: KESZIP_HYPHEN.
 * Returns answer->flags, or -1 for a bad argument (a null handle or answer,
 * a null address with a length other than 0). */
KESZIP_API int KESZIP_CALL KesZipLookupUtf8(KesZipHandle* handle, const char* address,
                                            size_t length, int options, KesZipUtf8Answer* answer);
/* Looks `count` UTF-8 addresses up in one call, answers[i] for addresses[i]
 * with lengths[i] bytes (lengths null: every address up to its NUL), as
 * KesZipLookupUtf8 would one by one. Returns the number of addresses placed
 * (flags nonzero), or -1 for a bad argument (a null handle, or null arrays
 * with count above 0); a null address in the array gets its own
 * KESZIP_UTF8_BAD_ARGUMENT answer. */
KESZIP_API int KESZIP_CALL KesZipLookupUtf8Batch(KesZipHandle* handle, const char* const* addresses,
                                                 const size_t* lengths, size_t count, int options,
                                                 KesZipUtf8Answer* answers);

#ifdef __cplusplus
}
#endif

#endif /* KESZIP_H */
