#include "splash_window.h"

#include <QApplication>
#include <QScreen>

#include "ui_splash_window.h"

namespace gui {

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      ui_(std::make_unique<Ui::SplashWindowForm>()) {
    ui_->setupUi(this);
    setFixedSize(size());
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::showCentred() {
    if (geometry().left() == 0) {
        const QRect screen =
            (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->geometry();
        const int x = ((screen.width() - width()) / 2 + 4) & ~7;
        const int y = (screen.height() - height()) / 2;
        move(x, y);
    }
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace gui
