#include "record_conversion.h"

#include "sjis_literal.h"

namespace converter {

ConversionMode modeOf(int cnvKbn) {
    if (cnvKbn >= 1 && cnvKbn <= 4) return static_cast<ConversionMode>(cnvKbn);
    return ConversionMode::OldCode;
}

int fieldWidth(ConversionMode mode, int hyphenMode) {
    const bool hyphen = hyphenMode != 0;
    switch (mode) {
        case ConversionMode::OldCode:
            return hyphen ? 6 : 5;
        case ConversionMode::Code7:
            return hyphen ? 8 : 7;
        case ConversionMode::Barcode:
            return 13;
        case ConversionMode::JisCode:
            return 5;
    }
    return 5;
}

std::string modeName(int cnvKbn) {
    switch (cnvKbn) {
        case 1:
            return sjisLiteral("５桁郵便番号変換");
        case 2:
            return sjisLiteral("７桁郵便番号変換");
        case 3:
            return sjisLiteral("バーコードデータ変換");
        case 4:
            return sjisLiteral("全国地方公共団体コード変換");
        default:
            return std::string();
    }
}

RecordOutcome ConvertRecordAddress(AddressEngine& engine, const std::string& address,
                                   ConversionMode mode, const StrictCheckFlags& checks) {
    EngineAnswer answer = engine.lookup(address);
    RecordOutcome outcome;
    outcome.flags = answer.flags;
    outcome.failed = answer.flags == 0 || (checks.kyoRyaku && (answer.flags & kKyotoFlag)) ||
                     (checks.ikanashi && (answer.flags & kCatchAllFlag)) ||
                     (checks.kennashi && (answer.flags & kNoPrefectureFlag)) ||
                     (checks.citynashi && (answer.flags & kNoCityFlag));
    if (outcome.failed) return outcome;
    switch (mode) {
        case ConversionMode::OldCode:
            outcome.result = answer.oldCode;
            break;
        case ConversionMode::Code7:
            outcome.result = answer.code7;
            break;
        case ConversionMode::Barcode:
            outcome.result = answer.addressNumber;
            break;
        // Read right after the lookup, before any other engine call.
        case ConversionMode::JisCode:
            outcome.result = engine.jisCodeNow();
            break;
    }
    return outcome;
}

std::string BuildCheckText(std::int32_t flags) {
    if (flags == 0) return sjisLiteral("住所に誤りがあります。") + "\n";
    std::string text;
    if (flags & kKyotoFlag) text += sjisLiteral("京都省略住所です") + "\n";
    if (flags & kCatchAllFlag) text += sjisLiteral("「以下に掲載が無い」です") + "\n";
    if (flags & kNoPrefectureFlag) text += sjisLiteral("都道府県名省略住所です") + "\n";
    if (flags & kNoCityFlag) text += sjisLiteral("市区郡名の無い住所です") + "\n";
    return text;
}

}  // namespace converter
