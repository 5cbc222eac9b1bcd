#include "user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace gui {
namespace {

class QtUserDialogs final : public UserDialogs {
  public:
    void message(QWidget* owner, const QString& text, const QString& caption,
                 BoxIcon icon) override {
        QMessageBox box(iconOf(icon), caption, text, QMessageBox::Ok, owner);
        box.exec();
    }
    bool question(QWidget* owner, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        owner);
        return box.exec() == QMessageBox::Yes;
    }
    QString openFileName(QWidget* owner, const QString& initial, const QString& filter) override {
        return QFileDialog::getOpenFileName(owner, QString(), initial, filter);
    }
    QString saveFileName(QWidget* owner, const QString& initial, const QString& filter) override {
        // The run asks about an existing destination itself.
        return QFileDialog::getSaveFileName(owner, QString(), initial, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }

  private:
    static QMessageBox::Icon iconOf(BoxIcon icon) {
        switch (icon) {
            case BoxIcon::Information:
                return QMessageBox::Information;
            case BoxIcon::Warning:
                return QMessageBox::Warning;
            case BoxIcon::Stop:
                return QMessageBox::Critical;
            case BoxIcon::Question:
                return QMessageBox::Question;
        }
        return QMessageBox::NoIcon;
    }
};

QtUserDialogs g_qtDialogs;
UserDialogs* g_dialogs = &g_qtDialogs;

}  // namespace

UserDialogs& userDialogs() { return *g_dialogs; }

void setUserDialogs(UserDialogs* dialogs) { g_dialogs = dialogs ? dialogs : &g_qtDialogs; }

QString qtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        patterns = patterns.simplified();
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString name = parts[i];
        // The name repeats the patterns in parentheses; Qt reads them from there.
        const qsizetype open = name.indexOf(u'(');
        if (open >= 0) name = name.left(open).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace gui
