#include "excel_page.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>

#include "conv_messages.h"
#include "conversion/excel_run.h"
#include "conversion/run_start.h"
#include "conversion/text_rules.h"
#include "excel_page_ids.h"
#include "progress_dialog.h"
#include "range_dialog.h"
#include "sjis_qt.h"
#include "ui_excel_page.h"
#include "user_dialogs.h"
#include "workbooks/xlsx/workbook_kind_choice.h"

namespace gui {
namespace {

using namespace ids::excel_page;

constexpr int kColumns[4] = {kAddress1List, kAddress2List, kAddress3List, kAddress4List};
const char* const kFilter = "Excel Files (*.xls;*.xlsx)|*.xls;*.xlsx|";

}  // namespace

// The questions of a run asked over the page, the run in the run dialog.
class ExcelRunStarter final : public converter::RunStarter {
  public:
    explicit ExcelRunStarter(ExcelPage& page) : page_(page) {}
    void refuse(const converter::PageCheck& check) override {
        ShowConvMessage(&page_, check.message);
        if (const int id = page_.focusIdOf(check.focus)) page_.focusControl(id);
    }
    bool ask(std::string_view text, std::string_view caption) override {
        return askYesNo(&page_, fromSjis(text), fromSjis(caption));
    }
    int run(converter::SourceKind kind, const converter::ConversionJob& job) override {
        ProgressDialog dialog(kind, job, page_.context(), &page_);
        return dialog.runModal();
    }
    void showMessage(int code) override { ShowConvMessage(&page_, code); }

  private:
    ExcelPage& page_;
};

ExcelPage::ExcelPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, kTemplate, 6, parent), ui_(std::make_unique<Ui::ExcelPageForm>()) {
    ui_->setupUi(this);
    control<QLineEdit>(kSourceEdit)->setMaxLength(256);
    control<QLineEdit>(kDestinationEdit)->setMaxLength(256);
    fillColumnLists(converter::kXlsColumns);
    // The lists reach "XFD" while the source is an .xlsx workbook.
    connect(control<QLineEdit>(kSourceEdit), &QLineEdit::textChanged, this,
            [this](const QString& text) {
                fillColumnLists(
                    workbooks::workbookColumnsOf(converter::trimTrailingSpaces(toSjis(text))));
            });
    control<QComboBox>(kSheetList)->installEventFilter(this);
    auto clicked = [this](int id, auto slot) {
        connect(control<QAbstractButton>(id), &QAbstractButton::clicked, this, slot);
    };
    clicked(kBrowseSourceButton, [this] { browse(kSourceEdit); });
    clicked(kBrowseDestinationButton, [this] { browse(kDestinationEdit); });
    clicked(kRunAllButton, [this] { startRun(false); });
    clicked(kRunPartButton, [this] { startRun(true); });
    templateLoaded();
}

ExcelPage::~ExcelPage() = default;

bool ExcelPage::eventFilter(QObject* watched, QEvent* event) {
    // The list is refilled whenever it is about to drop down.
    if (watched == control<QComboBox>(kSheetList)) {
        bool dropping = event->type() == QEvent::MouseButtonPress;
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            dropping = key->key() == Qt::Key_F4 ||
                       ((key->modifiers() & Qt::AltModifier) &&
                        (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up));
        }
        if (dropping) refillSheets();
    }
    return TabPage::eventFilter(watched, event);
}

void ExcelPage::fillColumnLists(int columns) {
    // Entry 0 is no column, entries 1 to `columns` the column letters.
    for (int id : {kColumns[0], kColumns[1], kColumns[2], kColumns[3], kDestinationColumnList}) {
        auto* list = control<QComboBox>(id);
        if (list->count() == columns + 1) continue;
        const int chosen = list->currentIndex();
        QStringList names;
        names.reserve(columns + 1);
        for (int n = 0; n <= columns; ++n)
            names << QString::fromStdString(converter::columnName(n, columns));
        list->clear();
        list->addItems(names);
        list->setCurrentIndex(chosen >= 0 && chosen <= columns ? chosen : 0);
    }
}

void ExcelPage::refillSheets() {
    auto* list = control<QComboBox>(kSheetList);
    list->clear();
    const std::string path =
        converter::trimTrailingSpaces(toSjis(control<QLineEdit>(kSourceEdit)->text()));
    if (path.empty()) return;
    workbooks::AnyWorkbookKind kind;
    auto reader = kind.reader();
    if (!reader->open(path)) return;
    for (const converter::WorkbookSheet& sheet : reader->sheets())
        if (sheet.rowCount > 0) list->addItem(fromSjis(sheet.name));
    reader->close();
    list->setCurrentIndex(-1);
}

converter::PageFields ExcelPage::fields() const {
    converter::PageFields page;
    page.source = toSjis(control<QLineEdit>(kSourceEdit)->text());
    page.destination = toSjis(control<QLineEdit>(kDestinationEdit)->text());
    page.sheet = toSjis(control<QComboBox>(kSheetList)->currentText());
    for (std::size_t i = 0; i < 4; ++i)
        page.pieceStart[i] = std::max(0, control<QComboBox>(kColumns[i])->currentIndex());
    page.insertPosition = std::max(0, control<QComboBox>(kDestinationColumnList)->currentIndex());
    return page;
}

void ExcelPage::fill() {
    // The settings fill the page once, when it is first set up; later the
    // page keeps what the user typed, also across visits to other pages.
    if (filled_) return;
    filled_ = true;
    const converter::PageFields page = converter::pageFieldsFromSettings(
        converter::SourceKind::Excel, context().options, context().params);
    control<QLineEdit>(kSourceEdit)->setText(fromSjis(page.source));
    control<QLineEdit>(kDestinationEdit)->setText(fromSjis(page.destination));
    auto choose = [this](int id, int number) {
        auto* list = control<QComboBox>(id);
        list->setCurrentIndex(number >= 0 && number < list->count() ? number : 0);
    };
    for (std::size_t i = 0; i < 4; ++i) choose(kColumns[i], page.pieceStart[i]);
    choose(kDestinationColumnList, page.insertPosition);
}

int ExcelPage::CanLeave() {
    converter::storePageNumbers(converter::SourceKind::Excel, fields(), context().params);
    return 0;
}

void ExcelPage::browse(int editId) {
    // Both names are chosen with the open dialog, the output's too.
    auto* target = control<QLineEdit>(editId);
    const QString chosen =
        userDialogs().openFileName(this, target->text(), qtFileFilter(QString::fromUtf8(kFilter)));
    if (!chosen.isEmpty()) target->setText(QDir::toNativeSeparators(chosen));
}

int ExcelPage::focusIdOf(converter::PageField field) const {
    switch (field) {
        case converter::PageField::Source:
            return kSourceEdit;
        case converter::PageField::Destination:
            return kDestinationEdit;
        case converter::PageField::AddressColumn:
            return kColumns[0];
        case converter::PageField::DestinationColumn:
            return kDestinationColumnList;
        default:
            return 0;
    }
}

int ExcelPage::startRun(bool partial) {
    converter::ConversionJob job;
    if (partial) {
        RangeDialog range(job, this);
        if (range.exec() != RangeDialog::kStart) return converter::kRunDeclined;
    }
    const converter::PageFields page = fields();
    ExcelRunStarter starter(*this);
    return converter::startConversion(converter::SourceKind::Excel, page, job, context().options,
                                      context().params, starter);
}

}  // namespace gui
