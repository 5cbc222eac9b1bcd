#include "settings.h"

#include <platform/paths.h>
#include <platform/profile.h>
#include <platform/profile_writer.h>
#include <platform/sjis.h>
#include <platform/user_folders.h>

#include "sjis_literal.h"

namespace converter {
namespace {

const char* const kOptions = "Options";
const char* const kCnvParam = "CnvParam";

std::string pieceKey(const char* key, int piece) { return key + std::to_string(piece); }

}  // namespace

OptionsBlock defaultOptions() {
    OptionsBlock o;
    o.CnvKbn = 2;
    o.ErrFilFlg = 1;
    o.szErrName = "Zelko7err.txt";
    o.MaxErrFlg = 1;
    o.MaxErrCnt = 100;
    return o;
}

CnvParamBlock defaultCnvParam() {
    CnvParamBlock p;
    p.ZipCodeInsertPosition = 1;
    p.SDFReturnCodeFlg = 1;
    p.CSVType = 1;
    p.ExcelFieldNameLine = 1;
    p.TXTCSVErrorStr = sjisLiteral("エラー");
    return p;
}

std::string settingsFolderFor(const std::string& programFolder, const std::string& configFolder) {
    if (configFolder.empty() ||
        (!programFolder.empty() && platform::isWritableFolder(programFolder)))
        return programFolder;
    const std::string folder = platform::joinPath(configFolder, "zelko7/");
    // Without a folder to write to, reading still finds nothing and uses the defaults.
    platform::makeFolders(folder);
    return folder;
}

const std::string& SettingsFolder() {
    static const std::string folder = settingsFolderFor(
        platform::directoryOf(platform::programPath()), platform::userConfigFolder());
    return folder;
}

const std::string& SettingsPath() {
    static const std::string path = platform::joinPath(SettingsFolder(), "zelko7.ini");
    return path;
}

std::string SettingsStore::ReadSetting(const std::string& section, const std::string& key) const {
    return platform::getPrivateProfileString(section, key, "", 255, path_);
}

std::int32_t SettingsStore::ReadSettingInt(const std::string& section,
                                           const std::string& key) const {
    return platform::textToInt(ReadSetting(section, key));
}

bool SettingsStore::WriteSetting(const std::string& section, const std::string& key,
                                 const std::string& text) const {
    return platform::writePrivateProfileString(section, key, text, path_);
}

bool SettingsStore::WriteSettingInt(const std::string& section, const std::string& key,
                                    std::int32_t value) const {
    return WriteSetting(section, key, std::to_string(value));
}

OptionsBlock SettingsStore::readOptions() const {
    OptionsBlock o;
    o.CnvKbn = static_cast<std::int16_t>(ReadSettingInt(kOptions, "CnvKbn"));
    o.ErrFilFlg = ReadSettingInt(kOptions, "ErrFilFlg");
    o.szErrName = platform::cutSjis(ReadSetting(kOptions, "szErrName"), kNameCapacity);
    o.MaxErrFlg = ReadSettingInt(kOptions, "MaxErrFlg");
    o.MaxErrCnt = ReadSettingInt(kOptions, "MaxErrCnt");
    o.SFileName = platform::cutSjis(ReadSetting(kOptions, "SFileName"), kNameCapacity);
    o.DFileName = platform::cutSjis(ReadSetting(kOptions, "DFileName"), kNameCapacity);
    o.KenNo = ReadSettingInt(kOptions, "KenNo");
    o.KyoRyakuCheck = ReadSettingInt(kOptions, "KyoRyakuCheck");
    o.IkanashiCheck = ReadSettingInt(kOptions, "IkanashiCheck");
    o.KennashiCheck = ReadSettingInt(kOptions, "KennashiCheck");
    o.CitynashiCheck = ReadSettingInt(kOptions, "CitynashiCheck");
    o.HyphenMode = ReadSettingInt(kOptions, "HyphenMode") != 0 ? 1 : 0;
    return o;
}

CnvParamBlock SettingsStore::readCnvParam() const {
    CnvParamBlock p;
    for (int n = 1; n <= 4; ++n) {
        p.StartPosition[n - 1] = ReadSettingInt(kCnvParam, pieceKey("StartPosition", n));
        p.AddressSize[n - 1] = ReadSettingInt(kCnvParam, pieceKey("AddressSize", n));
        p.CSVFieldNo[n - 1] = ReadSettingInt(kCnvParam, pieceKey("CSVFieldNo", n));
        p.ExcelAddressColum[n - 1] = ReadSettingInt(kCnvParam, pieceKey("ExcelAddressColum", n));
    }
    p.ZipCodeInsertPosition = ReadSettingInt(kCnvParam, "ZipCodeInsertPosition");
    p.SDFReturnCodeFlg = ReadSettingInt(kCnvParam, "SDFReturnCodeFlg");
    p.SDFRecordLength = ReadSettingInt(kCnvParam, "SDFRecordLength");
    p.CSVType = ReadSettingInt(kCnvParam, "CSVType");
    p.ExcelFieldNameLine = ReadSettingInt(kCnvParam, "ExcelFieldNameLine");
    p.ExcelZipCodeColum = ReadSettingInt(kCnvParam, "ExcelZipCodeColum");
    p.AccessExcelBackUpFlg = ReadSettingInt(kCnvParam, "AccessExcelBackUpFlg");
    p.TXTCSVErrorStrCheck = ReadSettingInt(kCnvParam, "TXTCSVErrorStrCheck");
    // A longer marker is cut to the field at a character boundary.
    p.TXTCSVErrorStr = platform::cutSjis(ReadSetting(kCnvParam, "TXTCSVErrorStr"), kMarkerCapacity);
    // An unknown value reads as Shift-JIS, the files this program always read.
    p.TXTCSVEncoding = ReadSettingInt(kCnvParam, "TXTCSVEncoding");
    if (p.TXTCSVEncoding < 0 || p.TXTCSVEncoding > 2) p.TXTCSVEncoding = 0;
    return p;
}

bool SettingsStore::writeOptions(const OptionsBlock& o) const {
    bool ok = true;
    ok &= WriteSettingInt(kOptions, "CnvKbn", o.CnvKbn);
    ok &= WriteSettingInt(kOptions, "ErrFilFlg", o.ErrFilFlg);
    ok &= WriteSetting(kOptions, "szErrName", o.szErrName);
    ok &= WriteSettingInt(kOptions, "MaxErrFlg", o.MaxErrFlg);
    ok &= WriteSettingInt(kOptions, "MaxErrCnt", o.MaxErrCnt);
    ok &= WriteSetting(kOptions, "SFileName", o.SFileName);
    ok &= WriteSetting(kOptions, "DFileName", o.DFileName);
    ok &= WriteSettingInt(kOptions, "KenNo", o.KenNo);
    ok &= WriteSettingInt(kOptions, "KyoRyakuCheck", o.KyoRyakuCheck);
    ok &= WriteSettingInt(kOptions, "IkanashiCheck", o.IkanashiCheck);
    ok &= WriteSettingInt(kOptions, "KennashiCheck", o.KennashiCheck);
    ok &= WriteSettingInt(kOptions, "CitynashiCheck", o.CitynashiCheck);
    ok &= WriteSettingInt(kOptions, "HyphenMode", o.HyphenMode);
    return ok;
}

bool SettingsStore::writeCnvParam(const CnvParamBlock& p) const {
    bool ok = true;
    for (int n = 1; n <= 4; ++n) {
        ok &= WriteSettingInt(kCnvParam, pieceKey("StartPosition", n), p.StartPosition[n - 1]);
        ok &= WriteSettingInt(kCnvParam, pieceKey("AddressSize", n), p.AddressSize[n - 1]);
        ok &= WriteSettingInt(kCnvParam, pieceKey("CSVFieldNo", n), p.CSVFieldNo[n - 1]);
        ok &= WriteSettingInt(kCnvParam, pieceKey("ExcelAddressColum", n),
                              p.ExcelAddressColum[n - 1]);
    }
    ok &= WriteSettingInt(kCnvParam, "ZipCodeInsertPosition", p.ZipCodeInsertPosition);
    ok &= WriteSettingInt(kCnvParam, "SDFReturnCodeFlg", p.SDFReturnCodeFlg);
    ok &= WriteSettingInt(kCnvParam, "SDFRecordLength", p.SDFRecordLength);
    ok &= WriteSettingInt(kCnvParam, "CSVType", p.CSVType);
    ok &= WriteSettingInt(kCnvParam, "ExcelFieldNameLine", p.ExcelFieldNameLine);
    ok &= WriteSettingInt(kCnvParam, "ExcelZipCodeColum", p.ExcelZipCodeColum);
    ok &= WriteSettingInt(kCnvParam, "AccessExcelBackUpFlg", p.AccessExcelBackUpFlg);
    ok &= WriteSettingInt(kCnvParam, "TXTCSVErrorStrCheck", p.TXTCSVErrorStrCheck);
    ok &= WriteSetting(kCnvParam, "TXTCSVErrorStr", p.TXTCSVErrorStr);
    ok &= WriteSettingInt(kCnvParam, "TXTCSVEncoding", p.TXTCSVEncoding);
    return ok;
}

void SettingsStore::load(OptionsBlock& options, CnvParamBlock& params) const {
    options = defaultOptions();
    params = defaultCnvParam();
    if (platform::fileExists(path_)) {
        options = readOptions();
        params = readCnvParam();
    }
}

}  // namespace converter
