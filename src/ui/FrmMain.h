#pragma once

#include "ui/ProgramWindow.h"

#include <memory>

namespace Ui {
class FrmMain;
}

namespace qx {

// frmMain: the user's and the friend's names and birth dates, and the button
// that runs the compatibility test.
class FrmMain : public ProgramWindow {
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
    void mnuGeCompatibilityWithFriend_Click();

    // The two bottom banners lie on the same place; start-up brings one of
    // them to the front. As created, the full-brand banner is in front.
    void bringCoBrandBannerToFront();
    void bringFullBrandBannerToFront();

private:
    void Form_Load();

    std::unique_ptr<Ui::FrmMain> ui;
};

} // namespace qx
