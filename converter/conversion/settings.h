// The program's two settings records, the Options block and the CnvParam
// block, with their built-in defaults and their sections of "zelko7.ini"
// (a private profile beside the program, Shift-JIS text).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace converter {

struct OptionsBlock {
    std::int16_t CnvKbn = 0;
    std::int32_t ErrFilFlg = 0;
    std::string szErrName;  // at most 256 bytes
    std::int32_t MaxErrFlg = 0;
    std::int32_t MaxErrCnt = 0;
    std::string SFileName;
    std::string DFileName;
    std::int32_t KenNo = 0;
    std::int32_t KyoRyakuCheck = 0;
    std::int32_t IkanashiCheck = 0;
    std::int32_t KennashiCheck = 0;
    std::int32_t CitynashiCheck = 0;
    std::int32_t HyphenMode = 0;

    bool operator==(const OptionsBlock&) const = default;
};

struct CnvParamBlock {
    std::array<std::int32_t, 4> StartPosition{};
    std::array<std::int32_t, 4> AddressSize{};
    std::int32_t ZipCodeInsertPosition = 0;
    std::array<std::int32_t, 4> CSVFieldNo{};
    std::int32_t SDFReturnCodeFlg = 0;
    std::int32_t SDFRecordLength = 0;
    std::int32_t CSVType = 0;
    std::int32_t ExcelFieldNameLine = 0;
    std::array<std::int32_t, 4> ExcelAddressColum{};
    std::int32_t ExcelZipCodeColum = 0;
    std::int32_t AccessExcelBackUpFlg = 0;
    std::int32_t TXTCSVErrorStrCheck = 0;
    std::string TXTCSVErrorStr;  // at most 13 bytes
    // The encoding of text, SDF and CSV sources (TextEncoding): 0 Shift-JIS,
    // 1 UTF-8, 2 told from the file.
    std::int32_t TXTCSVEncoding = 0;

    bool operator==(const CnvParamBlock&) const = default;
};

// Capacities of the text fields, without their terminating NUL.
inline constexpr std::size_t kNameCapacity = 256;
inline constexpr std::size_t kMarkerCapacity = 13;

OptionsBlock defaultOptions();
CnvParamBlock defaultCnvParam();

// The folder of the settings file, and of the desktop program's error file
// when its name has no folder: the program's own folder when files can be
// created there (a portable install), otherwise "zelko7" in the user's
// configuration folder `configFolder`, created when missing. Ends with a separator.
std::string settingsFolderFor(const std::string& programFolder, const std::string& configFolder);
// The same for the running program and this user.
const std::string& SettingsFolder();

// "zelko7.ini" in SettingsFolder().
const std::string& SettingsPath();

// Reads and writes both blocks through one settings file.
class SettingsStore {
  public:
    explicit SettingsStore(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // At most 255 bytes; "" when missing.
    std::string ReadSetting(const std::string& section, const std::string& key) const;
    std::int32_t ReadSettingInt(const std::string& section, const std::string& key) const;
    bool WriteSetting(const std::string& section, const std::string& key,
                      const std::string& text) const;
    bool WriteSettingInt(const std::string& section, const std::string& key,
                         std::int32_t value) const;

    // Every field is replaced: a key missing from the file reads as 0 or "".
    OptionsBlock readOptions() const;
    CnvParamBlock readCnvParam() const;
    // Every key of the block, in the block's order; false when a write failed.
    bool writeOptions(const OptionsBlock& options) const;
    bool writeCnvParam(const CnvParamBlock& params) const;

    // Defaults, overwritten from the file when it exists (program start).
    void load(OptionsBlock& options, CnvParamBlock& params) const;

  private:
    std::string path_;
};

}  // namespace converter
