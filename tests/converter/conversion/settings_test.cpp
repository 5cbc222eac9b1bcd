#include "conversion/settings.h"

#include <gtest/gtest.h>
#include <platform/user_folders.h>

#include <cstdlib>
#include <filesystem>

#include "support/test_support.h"

using namespace converter;
using testing_support::readFile;
using testing_support::sj;
using testing_support::TempDir;
using testing_support::writeFile;

TEST(Settings, NoFileKeepsTheDefaults) {
    TempDir dir;
    SettingsStore store(dir.file("zelko7.ini"));
    OptionsBlock options;
    CnvParamBlock params;
    store.load(options, params);
    EXPECT_EQ(options.CnvKbn, 2);
    EXPECT_EQ(options.ErrFilFlg, 1);
    EXPECT_EQ(options.szErrName, "Zelko7err.txt");
    EXPECT_EQ(options.MaxErrFlg, 1);
    EXPECT_EQ(options.MaxErrCnt, 100);
    EXPECT_EQ(options.HyphenMode, 0);
    EXPECT_EQ(params.ZipCodeInsertPosition, 1);
    EXPECT_EQ(params.SDFReturnCodeFlg, 1);
    EXPECT_EQ(params.CSVType, 1);
    EXPECT_EQ(params.ExcelFieldNameLine, 1);
    EXPECT_EQ(params.TXTCSVErrorStr, sj("エラー"));
}

TEST(Settings, AnExistingFileReplacesEveryFieldMissingKeysReadAsZero) {
    TempDir dir;
    writeFile(dir.file("zelko7.ini"), "[Options]\r\nCnvKbn=7\r\nHyphenMode=5\r\nszErrName=" +
                                          sj("誤り.txt") + "\r\nMaxErrCnt= 12abc\r\n");
    SettingsStore store(dir.file("zelko7.ini"));
    OptionsBlock options;
    CnvParamBlock params;
    store.load(options, params);
    EXPECT_EQ(options.CnvKbn, 7);  // kept as read
    EXPECT_EQ(options.HyphenMode, 1);
    EXPECT_EQ(options.szErrName, sj("誤り.txt"));
    EXPECT_EQ(options.MaxErrCnt, 12);
    EXPECT_EQ(options.ErrFilFlg, 0);
    EXPECT_EQ(options.MaxErrFlg, 0);
    // No CnvParam section at all: zeros and empty texts, not the defaults.
    EXPECT_EQ(params, CnvParamBlock{});
}

TEST(Settings, WritingPutsEveryKeyAndReadsBackTheSame) {
    TempDir dir;
    const std::string path = dir.file("zelko7.ini");
    writeFile(path, "[Other]\r\nKeep=1\r\n[Options]\r\nHyphenMode=5\r\n");
    SettingsStore store(path);
    OptionsBlock options = store.readOptions();
    EXPECT_EQ(options.HyphenMode, 1);
    options.SFileName = sj("住所録.txt");
    options.KenNo = 13;
    CnvParamBlock params = defaultCnvParam();
    params.StartPosition = {1, 21, 0, 0};
    params.AddressSize = {20, 20, 0, 0};
    params.CSVFieldNo = {3, 0, 4, 0};
    params.ExcelAddressColum = {0, 0, 0, 9};
    params.SDFRecordLength = 120;
    ASSERT_TRUE(store.writeOptions(options));
    ASSERT_TRUE(store.writeCnvParam(params));

    EXPECT_EQ(store.readOptions(), options);
    EXPECT_EQ(store.readCnvParam(), params);
    const std::string text = readFile(path);
    EXPECT_NE(text.find("[Other]\r\nKeep=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("HyphenMode=1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("HyphenMode=5"), std::string::npos);
    // Options first, each block in its order (HyphenMode was replaced in place), pieces numbered
    // with the key.
    const char* keys[] = {"CnvKbn=",
                          "ErrFilFlg=",
                          "szErrName=",
                          "MaxErrFlg=",
                          "MaxErrCnt=",
                          "SFileName=",
                          "DFileName=",
                          "KenNo=13",
                          "KyoRyakuCheck=",
                          "IkanashiCheck=",
                          "KennashiCheck=",
                          "CitynashiCheck=",
                          "[CnvParam]",
                          "StartPosition1=1",
                          "AddressSize1=20",
                          "CSVFieldNo1=3",
                          "ExcelAddressColum1=0",
                          "StartPosition2=21",
                          "ExcelAddressColum4=9",
                          "ZipCodeInsertPosition=1",
                          "SDFReturnCodeFlg=1",
                          "SDFRecordLength=120",
                          "CSVType=1",
                          "ExcelFieldNameLine=1",
                          "ExcelZipCodeColum=0",
                          "AccessExcelBackUpFlg=0",
                          "TXTCSVErrorStrCheck=0",
                          "TXTCSVErrorStr="};
    std::size_t at = 0;
    for (const char* key : keys) {
        std::size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key;
        at = found;
    }
}

TEST(Settings, LongMarkerIsCutAtACharacterBoundary) {
    TempDir dir;
    writeFile(dir.file("zelko7.ini"),
              "[CnvParam]\r\nTXTCSVErrorStr=" + sj("あいうえおかき") + "\r\n");
    CnvParamBlock params = SettingsStore(dir.file("zelko7.ini")).readCnvParam();
    EXPECT_EQ(params.TXTCSVErrorStr, sj("あいうえおか"));  // 12 of 14 bytes
}

TEST(Settings, FolderIsBesideTheProgramWhenWritableElseTheUserConfiguration) {
    TempDir dir;
    const std::string program = dir.file("bin/");
    std::filesystem::create_directory(program);
    EXPECT_EQ(settingsFolderFor(program, dir.file("config")), program);
    // An install folder that cannot take files: the user's folder, created.
    const std::string expected = dir.file("config/zelko7/");
    EXPECT_EQ(settingsFolderFor(dir.file("missing/"), dir.file("config")), expected);
    EXPECT_TRUE(std::filesystem::is_directory(expected));
    // The settings store writes there like anywhere else.
    SettingsStore store(expected + "zelko7.ini");
    EXPECT_TRUE(store.writeOptions(defaultOptions()));
    EXPECT_EQ(store.readOptions(), defaultOptions());
}

TEST(Settings, UserConfigurationFolderFollowsXdgThenHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("XDG_CONFIG_HOME", "/x/conf", 1);
    EXPECT_EQ(platform::userConfigFolder(), "/x/conf");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(platform::userConfigFolder(), "/home/u/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::userConfigFolder(), "/home/u/.config");
    if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (oldHome)
        setenv("HOME", savedHome.c_str(), 1);
    else
        unsetenv("HOME");
}
