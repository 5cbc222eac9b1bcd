// The Access page (template 134): a table of a database converted in place.
// The database is a SQLite file or "odbc:" and a connection string; the
// table list is refilled whenever it drops down, the five field lists when a
// table is chosen, and both are emptied when the database changes.
#pragma once

#include <QString>
#include <memory>

#include "conversion/table_page.h"
#include "tab_page.h"

class QComboBox;
class QLineEdit;

namespace Ui {
class AccessPageForm;
}

namespace gui {

class AccessPage : public TabPage {
    Q_OBJECT

  public:
    explicit AccessPage(ProgramContext& context, QWidget* parent = nullptr);
    ~AccessPage() override;

    void fill() override;
    // The page's fields as typed.
    converter::TablePageFields fields() const;
    // "全件変換" (false) or "一部変換" (true); what startTableConversion returned.
    int startRun(bool partial);
    // The filter of the database file dialog.
    static const char* const kFilter;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* path() const;
    QComboBox* tables() const;
    QComboBox* field(int index) const;  // 0-3 address fields, 4 destination
    void browse();
    void pathEdited();
    void databaseChanged(const QString& database);
    void clearLists();
    void refillTables();
    void refillFields();
    void updateBackupBox();
    int focusIdOf(converter::TablePageField field) const;

    std::unique_ptr<Ui::AccessPageForm> ui_;
    QString lastDatabase_;
    bool filled_ = false;
    friend class AccessRunFront;
};

}  // namespace gui
