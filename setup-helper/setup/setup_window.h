// The setup program's window: where to install, a button to start, and
// Custom's decoration behind it while it works.
#pragma once

#include <QWidget>
#include <filesystem>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace setup {

class CustomBinding;

class SetupWindow : public QWidget {
  public:
    SetupWindow(CustomBinding& custom, std::filesystem::path programFolder);

    // Installs into the folder of the edit field; true on success. The
    // decoration stays until the window closes.
    bool install();
    // Sizes the window and its margins for a screen of `screen` pixels.
    void fitToScreen(QSize screen);

    // Where the window itself is painted by native code (Custom.dll's
    // hooks), Qt gets no paint engine for it and leaves it alone.
    QPaintEngine* paintEngine() const override { return nullptr; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void chooseFolder();

    CustomBinding& custom_;
    std::filesystem::path programFolder_;
    QLineEdit* target_;
    QPushButton* installButton_;
    QLabel* status_;
    QVBoxLayout* layout_ = nullptr;
};

}  // namespace setup
