// The splash window (template 140) shown while the engine opens.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class SplashWindowForm;
}

namespace gui {

class SplashWindow : public QDialog {
    Q_OBJECT

  public:
    explicit SplashWindow(QWidget* parent = nullptr);
    ~SplashWindow() override;
    // Centres the window on the screen (x a multiple of 8) unless the
    // system already placed it away from the left edge; shows and paints it.
    void showCentred();

  private:
    std::unique_ptr<Ui::SplashWindowForm> ui_;
};

}  // namespace gui
