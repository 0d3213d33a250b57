#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class FrmDisplay;
}

namespace qx {

// frmDisplay: the friendship report of one test on two tabs, "Friendship
// Profile" and "Friendship Compatibility". The test command fills its
// controls; each test gets a fresh window.
class FrmDisplay : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmDisplay(QWidget *parent = nullptr);
    ~FrmDisplay() override;

    // The window's controls, written by the test command.
    const std::unique_ptr<Ui::FrmDisplay> ui;

    void cmdBack_Click();
    void cmdExit_Click();

    void mnuFileBack_Click();
    void mnuExit_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    void mnuMakeMoneyOnline_Click();
    void Label61_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

protected:
    // Form_Unload: the exit screen takes this window's place.
    void closeEvent(QCloseEvent *event) override;
    // Mouse activity over the profile boxes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ConnectHandlers();
    void GuardProfileBoxes();
};

} // namespace qx
