#include "window_hook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <memory>

#include "decoration.h"

namespace custom {

namespace {

constexpr QSize kDefaultScreen(1152, 864);

QSize screenOverride;

QSize screenSizeOf(const QWidget* window) {
    if (screenOverride.isValid()) return screenOverride;
    if (const QScreen* screen = window->screen()) return screen->geometry().size();
    return kDefaultScreen;
}

// Paints the decoration in place of the window's own painting and lets every
// other event through.
class DecorationFilter : public QObject {
  public:
    DecorationFilter(QWidget* window, int edition)
        : window_(window),
          edition_(edition),
          assets_(createDecorationAssets(screenSizeOf(window))) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || window_.isNull() || watched != window_.data())
            return false;
        QPainter painter(window_.data());
        painter.drawImage(0, 0, renderDecoration(assets_, window_->size(), edition_));
        return true;
    }

  private:
    QPointer<QWidget> window_;
    int edition_;
    DecorationAssets assets_;
};

std::unique_ptr<DecorationFilter> installed;
QPointer<QWidget> decoratedWindow;

}  // namespace

void installDecoration(QWidget* window, int edition) {
    removeDecoration();
    QCoreApplication* application = QCoreApplication::instance();
    if (!window || !application || QThread::currentThread() != application->thread()) return;
    installed = std::make_unique<DecorationFilter>(window, edition);
    decoratedWindow = window;
    application->installEventFilter(installed.get());
    window->update();
}

void removeDecoration() {
    if (!installed) return;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(installed.get());
    installed.reset();
    if (!decoratedWindow.isNull()) decoratedWindow->update();
    decoratedWindow.clear();
}

bool decorationInstalled() { return installed != nullptr; }

void setScreenSizeOverride(QSize size) { screenOverride = size; }

}  // namespace custom
