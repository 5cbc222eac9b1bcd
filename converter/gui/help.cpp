#include "help.h"

#include <platform/paths.h>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "sjis_qt.h"
#include "user_dialogs.h"

#ifndef ZELKO7_MANUAL_FROM_PROGRAMS
#define ZELKO7_MANUAL_FROM_PROGRAMS "../share/doc/zelko7/manual"
#endif

namespace gui {

QString manualPath(const std::string& programDirectory) {
    return QDir(QString::fromStdString(programDirectory)).filePath(QString::fromUtf8(kManualName));
}

QString findManual(const std::string& programDirectory) {
    const std::string running = platform::directoryOf(platform::programPath());
    const QStringList places = {
        manualPath(programDirectory), manualPath(running),
        QDir::cleanPath(manualPath(running + "/" + ZELKO7_MANUAL_FROM_PROGRAMS))};
    for (const QString& place : places)
        if (QFileInfo::exists(place)) return place;
    return places.front();
}

void openManual(QWidget* owner, const std::string& programDirectory) {
    const QString path = QDir::toNativeSeparators(findManual(programDirectory));
    if (!QFileInfo::exists(path)) {
        warning(owner, QStringLiteral("ヘルプファイル %1 が見つかりません。").arg(path),
                QStringLiteral("Zelko7"));
        return;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
    warning(owner,
            QStringLiteral("ヘルプを表示するプログラムが見つかりません。\n"
                           "ヘルプファイルは次の場所にあります。\n%1")
                .arg(path),
            QStringLiteral("Zelko7"));
}

}  // namespace gui
