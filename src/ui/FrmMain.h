#pragma once

#include <QMainWindow>

#include <memory>

class QLabel;

namespace Ui {
class FrmMain;
}

namespace qx {

// frmMain: the user's and the friend's names and birth dates, and the button
// that runs the compatibility test.
class FrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmMain(QWidget *parent = nullptr);
    ~FrmMain() override;

    // Checks both names and both dates; on the first problem tells the user
    // and answers false.
    bool ValidateEntries();

    // The test command: validates, brings the program's report up to date,
    // writes it into the results window and shows that in place of this one.
    void cmdCompatibilityWithFriend_Click();
    void cmdExit_Click();

    // The two stacked bottom banners; start-up brings one of them to the front.
    QLabel *lblCobrand() const;
    QLabel *lblFullBrand() const;

    void mnuGeCompatibilityWithFriend_Click();
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

private:
    void Form_Load();
    void ConnectHandlers();
    void ShowMessage(const QString &text);

    std::unique_ptr<Ui::FrmMain> ui;
};

} // namespace qx
