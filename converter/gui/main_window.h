// The main window: the tab control with the seven pages, the two hint lines
// and the menu (exit, help, version). Settings are read when it is created
// and written only when the user confirms the exit question.
#pragma once

#include <QMainWindow>
#include <memory>

#include "program_context.h"

class QLabel;

namespace Ui {
class MainWindowForm;
}

namespace gui {

class PageTabControl;
class KeyNavigator;
class TabPage;

// Menu 135's commands.
inline constexpr int kExitCommand = 32771;
inline constexpr int kHelpCommand = 32775;
inline constexpr int kVersionCommand = 32776;

// The two hint lines of a page kind.
QString hintLine1(int kind);
QString hintLine2(int kind);

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(ProgramContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    PageTabControl* tabs() const { return tabs_; }
    TabPage* pageOfTemplate(int templateId) const;
    QAction* commandAction(int command) const;
    QString hint1() const;
    QString hint2() const;
    // True once the user answered Yes to the exit question.
    bool exitConfirmed() const { return exitConfirmed_; }

  public slots:
    void ShowHint(int kind);
    void exitCommand();
    void helpCommand();
    void versionCommand();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void addPage(TabPage* page, int templateId, const QString& caption);

    ProgramContext& context_;
    std::unique_ptr<Ui::MainWindowForm> ui_;
    PageTabControl* tabs_ = nullptr;
    std::unique_ptr<KeyNavigator> navigator_;
    bool exitConfirmed_ = false;
};

}  // namespace gui
