#include "page_checks.h"

#include <cstdio>

#include "excel_run.h"
#include "platform/paths.h"
#include "platform/sjis_bytes.h"
#include "record_conversion.h"
#include "sjis_literal.h"
#include "text_rules.h"

namespace converter {
namespace {

// The name and destination checks common to the three pages.
PageCheck checkNames(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                     int emptyDestination, int sameNames) {
    job.sourceName = trimTrailingSpaces(platform::cutSjis(page.source, kNameCapacity));
    if (job.sourceName.empty()) return {11, PageField::Source};
    job.destinationName = trimTrailingSpaces(platform::cutSjis(page.destination, kNameCapacity));
    if (job.destinationName.empty()) return {emptyDestination, PageField::Destination};
    if (sameFileName(job.sourceName, job.destinationName)) return {sameNames, PageField::Source};
    options.SFileName = job.sourceName;
    options.DFileName = job.destinationName;
    return {};
}

bool anyNegative(const std::array<std::int32_t, 4>& v) {
    for (auto x : v)
        if (x < 0) return true;
    return false;
}

bool allZero(const std::array<std::int32_t, 4>& v) {
    for (auto x : v)
        if (x != 0) return false;
    return true;
}

PageCheck checkPieces(const PageFields& page, ConversionJob& job, int startNegative,
                      int startMissing, int sizeNegative, int sizeMissing) {
    job.pieceStart = page.pieceStart;
    if (anyNegative(page.pieceStart)) return {startNegative, PageField::PieceStart};
    if (allZero(page.pieceStart)) return {startMissing, PageField::PieceStart};
    job.pieceSize = page.pieceSize;
    if (anyNegative(page.pieceSize)) return {sizeNegative, PageField::PieceSize};
    if (allZero(page.pieceSize)) return {sizeMissing, PageField::PieceSize};
    return {};
}

PageCheck checkInsert(const PageFields& page, ConversionJob& job, int missing, int negative) {
    job.insertPosition = page.insertPosition;
    if (page.insertPosition == 0) return {missing, PageField::InsertPosition};
    if (page.insertPosition < 0) return {negative, PageField::InsertPosition};
    if (page.insertPosition >= 32768) return {409, PageField::InsertPosition};
    return {};
}

void takeMarker(const PageFields& page, ConversionJob& job, CnvParamBlock& params) {
    job.markerFlag = page.markerFlag ? 1 : 0;
    job.marker = platform::cutSjis(page.marker, kMarkerCapacity);
    params.TXTCSVErrorStrCheck = job.markerFlag;
    params.TXTCSVErrorStr = job.marker;
}

}  // namespace

PageCheck checkTextPage(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                        CnvParamBlock& params) {
    if (PageCheck c = checkNames(page, job, options, 401, 402); !c.ok()) return c;
    if (PageCheck c = checkPieces(page, job, 403, 407, 404, 408); !c.ok()) return c;
    if (PageCheck c = checkInsert(page, job, 405, 406); !c.ok()) return c;
    takeMarker(page, job, params);
    return {};
}

PageCheck checkSdfPage(const PageFields& page, ConversionJob& job, OptionsBlock& options) {
    if (PageCheck c = checkNames(page, job, options, 501, 502); !c.ok()) return c;
    if (PageCheck c = checkPieces(page, job, 503, 508, 504, 511); !c.ok()) return c;
    if (PageCheck c = checkInsert(page, job, 505, 506); !c.ok()) return c;
    if (page.lineBreaks) {
        job.layoutMode = 1;
        return {};
    }
    job.layoutMode = 2;
    job.recordLength = page.recordLength;
    if (page.recordLength == 0) return {507, PageField::RecordLength};
    if (page.recordLength < 0) return {510, PageField::RecordLength};
    if (page.recordLength >= 32768) return {509, PageField::RecordLength};
    return {};
}

PageCheck checkCsvPage(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                       CnvParamBlock& params) {
    if (PageCheck c = checkNames(page, job, options, 601, 602); !c.ok()) return c;
    job.pieceStart = page.pieceStart;
    if (anyNegative(page.pieceStart)) return {603, PageField::PieceStart};
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = i + 1; j < 4; ++j)
            if (page.pieceStart[i] != 0 && page.pieceStart[i] == page.pieceStart[j])
                return {604, PageField::PieceStart};
    if (allZero(page.pieceStart)) return {605, PageField::PieceStart};
    job.layoutMode = page.quoted ? 1 : 2;
    takeMarker(page, job, params);
    return {};
}

PageCheck checkExcelPage(const PageFields& page, ConversionJob& job, OptionsBlock& options,
                         CnvParamBlock& params) {
    const std::string source = trimTrailingSpaces(platform::cutSjis(page.source, kNameCapacity));
    if (source.empty()) return {11, PageField::Source};
    const std::string destination =
        trimTrailingSpaces(platform::cutSjis(page.destination, kNameCapacity));
    if (destination.empty()) return {206, PageField::Destination};
    if (sameFileName(source, destination)) return {201, PageField::Source};
    // The copy is of the source's kind, whatever its name says: a name with
    // another extension would hold a workbook its name denies (or hide a
    // CSV result under its own name).
    if (platform::fileExists(source) && !destinationFitsCopy(source, destination))
        return {copyExtensionFor(source) == ".xlsx" ? 208 : 207, PageField::Destination};
    job.sheetName = trimTrailingSpaces(platform::cutSjis(page.sheet, 64));
    if (job.sheetName.empty()) return {200, PageField::None};
    checkNames(page, job, options, 206, 201);
    const std::array<std::int32_t, 4>& columns = page.pieceStart;
    if (allZero(columns)) return {204, PageField::AddressColumn};
    if (page.insertPosition <= 0) return {205, PageField::DestinationColumn};
    for (std::size_t i = 0; i < 4; ++i) {
        if (columns[i] == 0) continue;
        for (std::size_t j = 0; j < 4; ++j)
            if (j != i && columns[j] == columns[i]) return {202, PageField::AddressColumn};
        if (columns[i] == page.insertPosition) return {203, PageField::DestinationColumn};
    }
    job.pieceStart = columns;
    job.insertPosition = page.insertPosition;
    params.ExcelAddressColum = columns;
    params.ExcelZipCodeColum = page.insertPosition;
    return {};
}

PageCheck collectOptions(const OptionsBlock& edited, OptionsBlock& options) {
    OptionsBlock next = edited;
    if (next.ErrFilFlg == 1) {
        next.szErrName = trimTrailingSpaces(platform::cutSjis(next.szErrName, kNameCapacity));
        if (next.szErrName.empty()) return {700, PageField::ErrorFileName};
    }
    if (next.MaxErrFlg && next.MaxErrCnt < 0) return {701, PageField::MaxErrors};
    next.SFileName = options.SFileName;
    next.DFileName = options.DFileName;
    next.KenNo = options.KenNo;
    options = next;
    return {};
}

PageCheck checkRange(long long first, long long last, ConversionJob& job) {
    // The dialog's fields hold nine digits; a larger value from elsewhere
    // must not wrap into a different range.
    constexpr long long kHighest = 999999999;
    if (first <= 0 || first > kHighest) return {800, PageField::FirstRecord};
    if (last <= 0 || last > kHighest) return {801, PageField::LastRecord};
    if (last < first) return {802, PageField::FirstRecord};
    job.firstRecord = static_cast<std::uint32_t>(first);
    job.lastRecord = static_cast<std::uint32_t>(last);
    job.partial = 1;
    return {};
}

PageCheck startQuestion(OptionsBlock& options, std::string& question) {
    if (options.ErrFilFlg == 1) {
        options.szErrName = trimTrailingSpaces(options.szErrName);
        if (options.szErrName.empty()) return {700, PageField::ErrorFileName};
    }
    question = modeName(options.CnvKbn) + sjisLiteral("を開始していいですか？");
    if (options.MaxErrFlg != 0) {
        char count[32];
        std::snprintf(count, sizeof count, "%ld", static_cast<long>(options.MaxErrCnt));
        question = sjisLiteral("[ｵﾌﾟｼｮﾝ] －「変換ｴﾗｰ発生時の対処」の設定に従い、\n変換エラーが") +
                   count + sjisLiteral("件に達すると、自動的に処理を中止します。\n\n") + question;
    }
    return {};
}

void applyOptions(const OptionsBlock& options, ConversionJob& job) {
    job.cnvKbn = options.CnvKbn;
    job.checks.kyoRyaku = options.KyoRyakuCheck != 0;
    job.checks.ikanashi = options.IkanashiCheck != 0;
    job.checks.kennashi = options.KennashiCheck != 0;
    job.checks.citynashi = options.CitynashiCheck != 0;
    job.errorFile = options.ErrFilFlg == 1;
    job.errorFileName = options.szErrName;
    job.maxErrors = options.MaxErrFlg == 1;
    job.maxErrorCount = options.MaxErrCnt;
}

}  // namespace converter
