#include "setup_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "install_set.h"
#include "installation.h"

namespace setup {

SetupWindow::SetupWindow(CustomBinding& custom, std::filesystem::path programFolder)
    : custom_(custom), programFolder_(std::move(programFolder)) {
    setWindowTitle(QStringLiteral("ZELKO7 セットアップ"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1152, 864);

    // The controls sit on a plain panel; the rest of the window shows the
    // decoration.
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(new QLabel(QStringLiteral("インストール先のフォルダ:"), panel));
    auto* row = new QHBoxLayout;
    target_ = new QLineEdit(QString::fromStdString(defaultTarget().string()), panel);
    auto* browse = new QPushButton(QStringLiteral("参照..."), panel);
    row->addWidget(target_);
    row->addWidget(browse);
    panelLayout->addLayout(row);
    status_ = new QLabel(panel);
    status_->setWordWrap(true);
    panelLayout->addWidget(status_);
    auto* buttons = new QHBoxLayout;
    installButton_ = new QPushButton(QStringLiteral("インストール"), panel);
    auto* close = new QPushButton(QStringLiteral("閉じる"), panel);
    buttons->addStretch();
    buttons->addWidget(installButton_);
    buttons->addWidget(close);
    panelLayout->addLayout(buttons);

    layout_ = new QVBoxLayout(this);
    layout_->addStretch();
    layout_->addWidget(panel);
    fitToScreen(screenSize);

    connect(browse, &QPushButton::clicked, this, [this] { chooseFolder(); });
    connect(installButton_, &QPushButton::clicked, this, [this] { install(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void SetupWindow::fitToScreen(QSize screen) {
    // 960 x 680 on a screen 864 pixels high, as the decoration's sizes, and
    // never larger than the screen.
    const int h = std::max(1, screen.height());
    const auto s = [h](int designValue) { return h * designValue / 864; };
    resize(std::min(s(960), std::max(1, screen.width())), std::min(s(680), h));
    if (layout_) layout_->setContentsMargins(s(320), s(20), s(40), s(160));
}

void SetupWindow::closeEvent(QCloseEvent* event) {
    // The decoration stays while the window is open, after an installation too.
    custom_.dspUnHook();
    QWidget::closeEvent(event);
}

void SetupWindow::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("インストール先のフォルダ"), target_->text());
    if (!folder.isEmpty()) target_->setText(folder);
}

bool SetupWindow::install() {
    installButton_->setEnabled(false);
    const std::filesystem::path target = target_->text().toStdString();
    const InstallationResult result =
        runInstallation(programFolder_, target, custom_, [this](const std::string& name) {
            status_->setText(QStringLiteral("コピー中: ") + QString::fromStdString(name));
            QCoreApplication::processEvents();
        });
    if (!result.ok) {
        status_->setText(QStringLiteral("インストールできませんでした: ") +
                         QString::fromStdString(result.error));
        installButton_->setEnabled(true);
        return false;
    }
    QString text = QStringLiteral("インストールが終わりました: ") + target_->text();
    if (!result.missing.empty())
        text += QStringLiteral("\n辞書ファイルがありません: ") +
                QString::fromStdString(result.missing.front()) + QStringLiteral(" ほか");
    status_->setText(text);
    return true;
}

}  // namespace setup
