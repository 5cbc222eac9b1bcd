#include "main_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QTabBar>

#include "about_box.h"
#include "access_page.h"
#include "access_page_ids.h"
#include "csv_page.h"
#include "csv_page_ids.h"
#include "excel_page.h"
#include "excel_page_ids.h"
#include "help.h"
#include "key_navigation.h"
#include "main_window_ids.h"
#include "options_page.h"
#include "options_page_ids.h"
#include "page_tab_control.h"
#include "sdf_page.h"
#include "sdf_page_ids.h"
#include "search/search_page.h"
#include "search/search_page_ids.h"
#include "text_page.h"
#include "text_page_ids.h"
#include "ui_main_window.h"
#include "user_dialogs.h"

namespace gui {

QString hintLine1(int kind) {
    switch (kind) {
        case 2:
            return QStringLiteral("SQLite・ODBCのデータベースのテーブルの変換が可能です。");
        case 3:
        case 4:
            return QStringLiteral("予め、変換元ファイルのレイアウトを調べて下さい。");
        case 5:
            return QStringLiteral("予め、住所の項目位置を調べて下さい。");
        case 6:
            return QStringLiteral("Excelのブック（.xls・.xlsx）の変換が可能です。");
        default:
            return QStringLiteral("　ゼルコセブン Version 1.4です。");
    }
}

QString hintLine2(int kind) {
    switch (kind) {
        case 2:
            return QStringLiteral("予め、テーブルに、変換先フィールドを作成して下さい。");
        case 5:
            return QStringLiteral("各行の先頭に変換データが挿入されます。");
        case 6:
            return QStringLiteral("予め、シート内の住所列を調べて下さい。");
        default:
            return QString();
    }
}

MainWindow::MainWindow(ProgramContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context), ui_(std::make_unique<Ui::MainWindowForm>()) {
    auto* central = new QWidget(this);
    ui_->setupUi(central);
    central->setFixedSize(central->size());
    setCentralWidget(central);
    setWindowTitle(central->windowTitle());
    setFont(central->font());

    // Menu 135.
    struct Item {
        const char* text;
        int command;
        void (MainWindow::*slot)();
    };
    static const Item kMenu[] = {{"終了(&X)", kExitCommand, &MainWindow::exitCommand},
                                 {"ﾍﾙﾌﾟ(&H)", kHelpCommand, &MainWindow::helpCommand},
                                 {"ﾊﾞｰｼﾞｮﾝ情報(&V)", kVersionCommand, &MainWindow::versionCommand}};
    for (const Item& item : kMenu) {
        QAction* action = menuBar()->addAction(QString::fromUtf8(item.text));
        action->setProperty(kControlIdProperty, item.command);
        connect(action, &QAction::triggered, this, item.slot);
    }

    ShowHint(0);
    context_.store.load(context_.options, context_.params);
    context_.engine.setHyphenMode(context_.options.HyphenMode);

    // The tab control takes the place and id of the template's placeholder.
    QWidget* placeholder = findControl(central, ids::main_window::kTabs);
    tabs_ = new PageTabControl(central);
    tabs_->setGeometry(placeholder->geometry());
    setControlId(tabs_, ids::main_window::kTabs);
    delete placeholder;
    tabs_->lower();

    addPage(new SearchPage(context_), ids::search_page::kTemplate, QStringLiteral("郵便番号検索"));
    addPage(new ExcelPage(context_), ids::excel_page::kTemplate, QStringLiteral("Excel変換"));
    addPage(new AccessPage(context_), ids::access_page::kTemplate, QStringLiteral("Access変換"));
    addPage(new TextPage(context_), ids::text_page::kTemplate, QStringLiteral("標準ﾃｷｽﾄ変換"));
    addPage(new SdfPage(context_), ids::sdf_page::kTemplate, QStringLiteral("SDF変換"));
    addPage(new CsvPage(context_), ids::csv_page::kTemplate, QStringLiteral("CSV変換"));
    addPage(new OptionsPage(context_), ids::options_page::kTemplate, QStringLiteral("ｵﾌﾟｼｮﾝ"));
    tabs_->setCurrentIndex(0);

    navigator_ = std::make_unique<KeyNavigator>(this, tabs_);
    setWindowIcon(QIcon(QStringLiteral(":/zelko7/icon144.png")));
    // A fixed-size window: no resizing or maximising.
    adjustSize();
    setFixedSize(sizeHint());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    tabs_->tabBar()->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::addPage(TabPage* page, int templateId, const QString& caption) {
    connect(page, &TabPage::hintRequested, this, &MainWindow::ShowHint);
    tabs_->addPage(page, templateId, caption);
}

TabPage* MainWindow::pageOfTemplate(int templateId) const {
    for (int i = 0; i < tabs_->pageCount(); ++i)
        if (tabs_->templateIdOf(i) == templateId) return tabs_->page(i);
    return nullptr;
}

QAction* MainWindow::commandAction(int command) const {
    for (QAction* action : menuBar()->actions())
        if (action->property(kControlIdProperty).toInt() == command) return action;
    return nullptr;
}

QString MainWindow::hint1() const {
    return control<QLabel>(centralWidget(), ids::main_window::kHintLine1)->text();
}
QString MainWindow::hint2() const {
    return control<QLabel>(centralWidget(), ids::main_window::kHintLine2)->text();
}

void MainWindow::ShowHint(int kind) {
    control<QLabel>(centralWidget(), ids::main_window::kHintLine1)->setText(hintLine1(kind));
    control<QLabel>(centralWidget(), ids::main_window::kHintLine2)->setText(hintLine2(kind));
}

void MainWindow::exitCommand() { close(); }

void MainWindow::helpCommand() { openManual(this, context_.programDirectory); }

void MainWindow::versionCommand() {
    AboutBox about(this);
    about.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exitConfirmed_) {
        event->accept();
        return;
    }
    if (!askYesNo(this, QStringLiteral("Ｚｅｌｋｏ７を終了しますか？"), QStringLiteral("確認"))) {
        event->ignore();
        return;
    }
    context_.store.writeOptions(context_.options);
    context_.store.writeCnvParam(context_.params);
    exitConfirmed_ = true;
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do nothing in the main window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace gui
