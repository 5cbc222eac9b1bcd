#include "search_gui_support.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "gui/font_setup.h"
#include "keszip.h"

namespace search_gui_test {
namespace {

// One application object for the whole test program, offscreen.
class QtEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
        gui::prepareDesktop();
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "search_gui_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QTimer* scheduleModal(std::function<bool(QDialog*)> act) {
    // Polls until the dialog is modal, then lets its posted events run first.
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        QCoreApplication::processEvents();
        if (!act(dialog)) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog->metaObject()->className();
            dialog->reject();
        }
    });
    timer->start();
    return timer;
}

void closeModalDialogs() {
    while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
    }
}

void pressEnter(QWidget* widget) { QTest::keyClick(widget, Qt::Key_Return); }

void doubleClickRow(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void selectRow(QListWidget* list, int row) {
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

int rowOf(const QListWidget* list, const QString& text) {
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == text) return row;
    }
    return -1;
}

bool openDictionaries() {
    SetHyphenMode(0);
    return KesZipOpen() == 1 && KesCmpOpen() == 1;
}

}  // namespace search_gui_test
