#include "access_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "access_page_ids.h"
#include "conv_messages.h"
#include "conversion/table_run.h"
#include "conversion/table_start.h"
#include "conversion/text_rules.h"
#include "database/dao_table.h"
#include "progress_dialog.h"
#include "range_dialog.h"
#include "sjis_qt.h"
#include "ui_access_page.h"
#include "user_dialogs.h"

namespace gui {
namespace {

using namespace ids::access_page;

constexpr int kAddressFields[4] = {kAddress1List, kAddress2List, kAddress3List, kAddress4List};

}  // namespace

const char* const AccessPage::kFilter =
    "Database Files (*.db;*.sqlite;*.sqlite3;*.mdb;*.accdb)|*.db;*.sqlite;*.sqlite3;*.mdb;"
    "*.accdb|All Files (*.*)|*.*||";

// The questions of a run asked over the page, the run in the run dialog.
class AccessRunFront final : public converter::TableRunFront {
  public:
    explicit AccessRunFront(AccessPage& page) : page_(page) {}
    void refuse(const converter::TablePageCheck& check) override {
        ShowConvMessage(&page_, check.message);
        if (const int id = page_.focusIdOf(check.focus)) page_.focusControl(id);
    }
    bool ask(std::string_view text, std::string_view caption) override {
        return askYesNo(&page_, fromSjis(text), fromSjis(caption));
    }
    bool askRange(converter::ConversionJob& job) override {
        RangeDialog range(job, &page_);
        return range.exec() == RangeDialog::kStart;
    }
    int run(const converter::ConversionJob& job, const converter::TableJob& tableJob,
            converter::Table& table) override {
        ProgramContext& context = page_.context();
        ProgressDialog dialog(
            [&](converter::RunHost& host) {
                return converter::AccessRun(job, tableJob, table, context.engine, host,
                                            context.programDirectory);
            },
            context, &page_);
        return dialog.runModal();
    }
    void showMessage(int code) override { ShowConvMessage(&page_, code); }

  private:
    AccessPage& page_;
};

AccessPage::AccessPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, kTemplate, 2, parent), ui_(std::make_unique<Ui::AccessPageForm>()) {
    ui_->setupUi(this);
    path()->setMaxLength(256);
    for (int i = 0; i < 5; ++i) field(i)->lineEdit()->setMaxLength(64);
    connect(control<QPushButton>(kBrowseDatabaseButton), &QPushButton::clicked, this,
            &AccessPage::browse);
    connect(path(), &QLineEdit::editingFinished, this, &AccessPage::pathEdited);
    connect(path(), &QLineEdit::textChanged, this, &AccessPage::updateBackupBox);
    connect(tables(), qOverload<int>(&QComboBox::activated), this, &AccessPage::refillFields);
    connect(control<QPushButton>(kRunAllButton), &QPushButton::clicked, this,
            [this] { startRun(false); });
    connect(control<QPushButton>(kRunPartButton), &QPushButton::clicked, this,
            [this] { startRun(true); });
    // The table list is refilled as it drops down, by mouse or by key.
    tables()->installEventFilter(this);
    templateLoaded();
}

AccessPage::~AccessPage() = default;

QLineEdit* AccessPage::path() const { return control<QLineEdit>(kDatabaseEdit); }
QComboBox* AccessPage::tables() const { return control<QComboBox>(kTableList); }
QComboBox* AccessPage::field(int index) const {
    return control<QComboBox>(index < 4 ? kAddressFields[index] : kDestinationList);
}

void AccessPage::fill() {
    // The settings fill the page once, when it is first set up; later the
    // page keeps what the user typed.
    if (filled_) return;
    filled_ = true;
    const QString database = fromSjis(context().options.SFileName);
    path()->setText(database);
    databaseChanged(database);
    control<QCheckBox>(kBackupCheck)->setChecked(context().params.AccessExcelBackUpFlg != 0);
    updateBackupBox();
}

converter::TablePageFields AccessPage::fields() const {
    converter::TablePageFields page;
    page.database = toSjis(path()->text());
    page.table = toSjis(tables()->currentText());
    for (std::size_t i = 0; i < 4; ++i) page.addressFields[i] = toSjis(field(i)->currentText());
    page.destinationField = toSjis(field(4)->currentText());
    return page;
}

void AccessPage::browse() {
    const QString chosen =
        userDialogs().openFileName(this, path()->text(), qtFileFilter(QString::fromUtf8(kFilter)));
    if (chosen.isEmpty()) return;
    path()->setText(QDir::toNativeSeparators(chosen));
    if (path()->text() != lastDatabase_) databaseChanged(path()->text());
}

void AccessPage::pathEdited() {
    const QString database = fromSjis(converter::trimTrailingSpaces(toSjis(path()->text())));
    if (database != lastDatabase_) databaseChanged(database);
}

void AccessPage::databaseChanged(const QString& database) {
    clearLists();
    lastDatabase_ = database;
}

void AccessPage::clearLists() {
    tables()->clear();
    for (int i = 0; i < 5; ++i) field(i)->clear();
}

void AccessPage::refillTables() {
    clearLists();
    for (const std::string& name :
         converter::listTables(converter::databaseTables(), toSjis(path()->text())))
        tables()->addItem(fromSjis(name));
    // Nothing is chosen until the user chooses.
    tables()->setCurrentIndex(-1);
}

void AccessPage::refillFields() {
    for (int i = 0; i < 5; ++i) field(i)->clear();
    std::vector<std::string> names;
    const converter::TablePageCheck check =
        converter::listFields(converter::databaseTables(), toSjis(path()->text()),
                              toSjis(tables()->currentText()), names);
    if (!check.ok()) {
        ShowConvMessage(this, check.message);
        if (const int id = focusIdOf(check.focus)) focusControl(id);
        return;
    }
    for (int i = 0; i < 5; ++i) {
        for (const std::string& name : names) field(i)->addItem(fromSjis(name));
        field(i)->setCurrentIndex(-1);
        field(i)->setEditText(QString());
    }
}

void AccessPage::updateBackupBox() {
    // A server database has no file to copy.
    const std::string database = toSjis(path()->text());
    const bool server = converter::isOdbcName(database) &&
                        database.find("DBQ=") == std::string::npos &&
                        database.find("dbq=") == std::string::npos;
    control<QCheckBox>(kBackupCheck)->setEnabled(!server);
}

bool AccessPage::eventFilter(QObject* watched, QEvent* event) {
    // While the list is open its events go to the list, not to the box.
    if (watched == tables()) {
        bool opens = event->type() == QEvent::MouseButtonPress;
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            opens = key->key() == Qt::Key_F4 || key->key() == Qt::Key_Space ||
                    ((key->modifiers() & Qt::AltModifier) &&
                     (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up));
        }
        if (opens) refillTables();
    }
    return TabPage::eventFilter(watched, event);
}

int AccessPage::focusIdOf(converter::TablePageField field) const {
    switch (field) {
        case converter::TablePageField::Database:
            return kDatabaseEdit;
        case converter::TablePageField::Table:
            return kTableList;
        case converter::TablePageField::AddressField1:
            return kAddressFields[0];
        case converter::TablePageField::DestinationField:
            return kDestinationList;
        default:
            return 0;
    }
}

int AccessPage::startRun(bool partial) {
    AccessRunFront front(*this);
    // The box of a server database is off; no copy is made there.
    return converter::startTableConversion(converter::databaseTables(), fields(), partial,
                                           control<QCheckBox>(kBackupCheck)->isChecked(),
                                           context().options, context().params, front);
}

}  // namespace gui
