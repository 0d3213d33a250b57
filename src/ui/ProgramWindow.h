#pragma once

#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/DefaultButtonKeys.h"
#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QMainWindow>
#include <QSize>

namespace qx {

// What the main window and the results window share: a fixed-size form in
// the form font with the program's caption and icon, the Help and Donate
// menus and the three banners that open the maker's pages, Exit as default
// and cancel button, and an unload step that brings up the exit screen.
class ProgramWindow : public QMainWindow {
    Q_OBJECT

public:
    // Exit, by button or menu, closes the window; its unload step follows.
    void cmdExit_Click();
    void mnuExit_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    // The menu item is switched off for good; the handler stays for completeness.
    void mnuMakeMoneyOnline_Click();
    void Label61_Click();
    void lblCobrand_Click();
    void lblFullBrand_Click();

protected:
    // Sets the form font, which the controls created afterwards take.
    explicit ProgramWindow(QWidget *parent = nullptr);

    // Finishes a form set up from its Designer file: the window frame and
    // client size, the banner text, Exit as default button, and the handlers
    // of the controls and menu items that both windows have.
    template <class Form>
    void setUpForm(const Form &form, QSize clientSize)
    {
        setUpFixedWindow(clientSize);
        form.Label61->setText(discussionBoardAdvert());
        new DefaultButtonKeys(this, form.cmdExit);
        connect(form.cmdExit, &QAbstractButton::clicked, this, &ProgramWindow::cmdExit_Click);
        connect(form.mnuExit, &QAction::triggered, this, &ProgramWindow::mnuExit_Click);
        connect(form.mnuOnline, &QAction::triggered, this, &ProgramWindow::mnuOnline_Click);
        connect(form.mnuVisit, &QAction::triggered, this, &ProgramWindow::mnuVisit_Click);
        connect(form.mnuUpdate, &QAction::triggered, this, &ProgramWindow::mnuUpdate_Click);
        connect(form.mnuAbout, &QAction::triggered, this, &ProgramWindow::mnuAbout_Click);
        connect(form.mnuDonate, &QAction::triggered, this, &ProgramWindow::mnuDonate_Click);
        connect(form.mnuMakeMoneyOnline, &QAction::triggered, this, &ProgramWindow::mnuMakeMoneyOnline_Click);
        connect(form.Label61, &ClickableLabel::clicked, this, &ProgramWindow::Label61_Click);
        connect(form.lblCobrand, &ClickableLabel::clicked, this, &ProgramWindow::lblCobrand_Click);
        connect(form.lblFullBrand, &ClickableLabel::clicked, this, &ProgramWindow::lblFullBrand_Click);
    }

    // Form_Unload: the exit screen takes this window's place (loaded first if
    // need be, unless the program is ending), the start-up form stays hidden,
    // and the window goes.
    void closeEvent(QCloseEvent *event) override;

private:
    // A title bar with the close box but no minimise or maximise box, a client
    // area below the menu bar of exactly clientSize that the user cannot
    // resize, and a place in the middle of the screen.
    void setUpFixedWindow(QSize clientSize);
};

} // namespace qx
