#include "help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "sjis_qt.h"
#include "user_dialogs.h"

namespace gui {

QString manualPath(const std::string& programDirectory) {
    return QDir(QString::fromStdString(programDirectory)).filePath(QString::fromUtf8(kManualName));
}

void openManual(QWidget* owner, const std::string& programDirectory) {
    const QString path = manualPath(programDirectory);
    if (QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
    warning(owner, QStringLiteral("ヘルプファイル %1 を開くことができません。").arg(path),
            QStringLiteral("Zelko7"));
}

}  // namespace gui
