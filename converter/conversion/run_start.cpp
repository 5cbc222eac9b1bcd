#include "run_start.h"

#include <platform/paths.h>

#include "sjis_literal.h"
#include "text_encoding.h"

namespace converter {

PageCheck checkPage(SourceKind kind, const PageFields& page, ConversionJob& job,
                    OptionsBlock& options, CnvParamBlock& params) {
    switch (kind) {
        case SourceKind::Text:
            return checkTextPage(page, job, options, params);
        case SourceKind::Sdf:
            return checkSdfPage(page, job, options);
        case SourceKind::Csv:
            return checkCsvPage(page, job, options, params);
        case SourceKind::Excel:
            return checkExcelPage(page, job, options, params);
    }
    return {};
}

int startConversion(SourceKind kind, const PageFields& page, ConversionJob& job,
                    OptionsBlock& options, CnvParamBlock& params, RunStarter& front) {
    if (PageCheck c = checkPage(kind, page, job, options, params); !c.ok()) {
        front.refuse(c);
        return kPageRefused;
    }
    std::string question;
    if (PageCheck c = startQuestion(options, question); !c.ok()) {
        front.refuse(c);
        return kRunDeclined;
    }
    if (kind != SourceKind::Excel) {
        const TextEncoding chosen = static_cast<TextEncoding>(params.TXTCSVEncoding);
        const EncodingLook look = lookAtFile(job.sourceName);
        job.utf8 = chosen == TextEncoding::Utf8 ||
                   (chosen == TextEncoding::Automatic && looksLikeUtf8(look));
        job.byteOrderMark = job.utf8 && look.byteOrderMark;
        // Read as Shift-JIS, a UTF-8 list fails in every record: the user hears
        // of it before the run.
        if (!job.utf8 && looksLikeUtf8(look))
            question = sjisLiteral(
                           "変換元ファイルはUTF-8で書かれているようです。\n"
                           "Shift-JISとして読むと、住所はすべて変換エラーになります。\n\n") +
                       question;
    }
    if (!front.ask(question, sjisLiteral("確認"))) return kRunDeclined;
    // The question names the file that would be replaced.
    if (platform::fileExists(job.destinationName) &&
        !front.ask(
            sjisLiteral("変換先ファイルが既に存在します。\n上書きをしてもよろしいですか？\n\n") +
                job.destinationName,
            sjisLiteral("確認")))
        return kRunDeclined;
    applyOptions(options, job);
    const int code = front.run(kind, job);
    if (code != kRunEnded) front.showMessage(code);
    return code;
}

PageFields pageFieldsFromSettings(SourceKind kind, const OptionsBlock& options,
                                  const CnvParamBlock& params) {
    PageFields page;
    page.source = options.SFileName;
    page.destination = options.DFileName;
    page.pieceStart = kind == SourceKind::Csv ? params.CSVFieldNo : params.StartPosition;
    page.pieceSize = params.AddressSize;
    page.insertPosition = params.ZipCodeInsertPosition;
    if (kind == SourceKind::Excel) {
        page.pieceStart = params.ExcelAddressColum;
        page.insertPosition = params.ExcelZipCodeColum;
    }
    page.lineBreaks = params.SDFReturnCodeFlg != 0;
    page.recordLength = params.SDFRecordLength;
    page.quoted = params.CSVType != 0;
    page.markerFlag = params.TXTCSVErrorStrCheck == 1;
    page.marker = params.TXTCSVErrorStr;
    return page;
}

void storePageNumbers(SourceKind kind, const PageFields& page, CnvParamBlock& params) {
    if (kind == SourceKind::Excel) {
        params.ExcelAddressColum = page.pieceStart;
        params.ExcelZipCodeColum = page.insertPosition;
        return;
    }
    if (kind == SourceKind::Csv) {
        params.CSVFieldNo = page.pieceStart;
        params.CSVType = page.quoted ? 1 : 0;
        return;
    }
    params.StartPosition = page.pieceStart;
    params.AddressSize = page.pieceSize;
    params.ZipCodeInsertPosition = page.insertPosition;
    if (kind == SourceKind::Sdf) {
        if (page.lineBreaks) {
            params.SDFReturnCodeFlg = 1;
        } else {
            params.SDFReturnCodeFlg = 0;
            params.SDFRecordLength = page.recordLength;
        }
    }
}

}  // namespace converter
