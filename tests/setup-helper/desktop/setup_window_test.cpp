// The setup program's window driven as a user drives it: the decoration
// behind it while it works, a folder typed in, the install button pressed;
// then the installed copy, its date stamp, its desktop entry, and the window
// painting itself again once it closes.
#include "setup/setup_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "qt_application.h"
#include "setup/custom_binding.h"
#include "setup/installation.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

std::time_t releaseTime() {
    std::tm local{};
    const std::string text = setup::kReleaseTime;  // "YYYY-MM-DD hh:mm:ss"
    local.tm_year = std::stoi(text.substr(0, 4)) - 1900;
    local.tm_mon = std::stoi(text.substr(5, 2)) - 1;
    local.tm_mday = std::stoi(text.substr(8, 2));
    local.tm_hour = std::stoi(text.substr(11, 2));
    local.tm_min = std::stoi(text.substr(14, 2));
    local.tm_sec = std::stoi(text.substr(17, 2));
    local.tm_isdst = -1;
    return std::mktime(&local);
}

QPushButton* buttonNamed(QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

TEST(SetupWindow, InstallsUnderTheDecorationAndRemovesIt) {
    testApplication();
    TempDir dir;
    ::setenv("XDG_DATA_HOME", dir.file("xdg").c_str(), 1);
    setup::CustomBinding custom;
    std::string error;
    ASSERT_TRUE(custom.load({KESZIP_BIN_DIR}, error)) << error;
    custom.setVariable("EDITION", "1");
    setup::SetupWindow window(custom, fs::path(KESZIP_BIN_DIR));
    window.show();
    const QImage plain = window.grab().toImage();
    ASSERT_EQ(custom.dspHook(&window, "EDITION"), 1);
    const QImage decorated = window.grab().toImage();
    // Top left: the gradient's bright blue (or the tile's black) instead of
    // the window's own background.
    EXPECT_NE(decorated.pixel(3, 3), plain.pixel(3, 3));
    EXPECT_EQ(qRed(decorated.pixel(3, 3)), 0);

    auto* target = window.findChild<QLineEdit*>();
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->text().endsWith(QStringLiteral("/zelko7")));
    const std::string folder = dir.file("インストール先");
    target->setText(QString::fromStdString(folder));
    QPushButton* install = buttonNamed(window, QStringLiteral("インストール"));
    ASSERT_NE(install, nullptr);
    install->click();

    for (const char* name : {"keszip", "zelko7", "libkeszip.so", "libkesbar.so", "libcustom.so"}) {
        struct stat info {};
        ASSERT_EQ(::stat((fs::path(folder) / name).c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_mtim.tv_sec, releaseTime()) << name;
    }
    const std::string entry =
        testing_support::readFile(dir.file("xdg/applications/zelko7.desktop"));
    EXPECT_NE(entry.find("Exec=\"" + folder + "/zelko7\"\n"), std::string::npos) << entry;
    bool finished = false;
    for (QLabel* label : window.findChildren<QLabel*>())
        finished =
            finished || label->text().startsWith(QStringLiteral("インストールが終わりました"));
    EXPECT_TRUE(finished);
    // The decoration stays after the work is done, until the window closes;
    // then the window paints itself again.
    EXPECT_EQ(window.grab().toImage().pixel(3, 3), decorated.pixel(3, 3));
    window.close();
    EXPECT_EQ(window.grab().toImage().pixel(3, 3), plain.pixel(3, 3));
    ::unsetenv("XDG_DATA_HOME");
}

TEST(SetupWindow, AFolderThatCannotBeMadeIsReported) {
    testApplication();
    TempDir dir;
    testing_support::writeFile(dir.file("file"), "x");
    setup::CustomBinding custom;
    std::string error;
    ASSERT_TRUE(custom.load({KESZIP_BIN_DIR}, error)) << error;
    setup::SetupWindow window(custom, fs::path(KESZIP_BIN_DIR));
    window.show();
    window.findChild<QLineEdit*>()->setText(QString::fromStdString(dir.file("file/below")));
    EXPECT_FALSE(window.install());
    QPushButton* install = buttonNamed(window, QStringLiteral("インストール"));
    EXPECT_TRUE(install->isEnabled());  // the user may try another folder
    bool reported = false;
    for (QLabel* label : window.findChildren<QLabel*>())
        reported =
            reported || label->text().startsWith(QStringLiteral("インストールできませんでした"));
    EXPECT_TRUE(reported);
}

}  // namespace
