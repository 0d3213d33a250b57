#pragma once

#include "engine/FriendshipReport.h"
#include "ui/ProgramWindow.h"

#include <memory>

namespace Ui {
class FrmDisplay;
}

namespace qx {

// frmDisplay: the friendship report of one test on two tabs, "Friendship
// Profile" and "Friendship Compatibility". The test command writes the
// report into it; each test gets a fresh window.
class FrmDisplay : public ProgramWindow {
    Q_OBJECT

public:
    explicit FrmDisplay(QWidget *parent = nullptr);
    ~FrmDisplay() override;

    // Writes the report into the window's controls: the signs, a profile box
    // only for a sign it names (otherwise the box keeps what it shows), the
    // pair text, the verdict and the seven trait lines, in that order; then
    // brings the compatibility frame to the front. No tab is selected.
    void writeReport(const FriendshipReport &report);

    void cmdBack_Click();
    void mnuFileBack_Click();

protected:
    // Mouse activity over the profile boxes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void guardProfileBoxes();

    std::unique_ptr<Ui::FrmDisplay> ui;
};

} // namespace qx
