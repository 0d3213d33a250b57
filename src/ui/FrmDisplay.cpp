#include "FrmDisplay.h"

#include "ui_FrmDisplay.h"

#include "ClickableLabel.h"
#include "DefaultButtonKeys.h"
#include "ExitScreenTexts.h"
#include "Forms.h"
#include "FormWindow.h"
#include "FrmAbout.h"
#include "FrmMain.h"
#include "FrmNagScreen2.h"
#include "Platform.h"
#include "StartupForm.h"
#include "modHelp.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

namespace qx {

namespace {

// The profiles may be read but not carried away: whatever was copied from
// them is wiped again at the next touch of the mouse.
void EmptyClipboard()
{
    if (Clipboard *clipboard = platform().clipboard)
        clipboard->clear();
}

bool IsMouseActivity(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
           || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
}

} // namespace

FrmDisplay::FrmDisplay(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::FrmDisplay>())
{
    UseFormFont(this);
    ui->setupUi(this);
    SetUpFixedWindow(this, QSize(625, 529));
    ui->Label61->setText(DiscussionBoardAdvert());
    new DefaultButtonKeys(this, ui->cmdExit);
    ConnectHandlers();
    GuardProfileBoxes();
}

FrmDisplay::~FrmDisplay() = default;

void FrmDisplay::ConnectHandlers()
{
    connect(ui->cmdBack, &QPushButton::clicked, this, &FrmDisplay::cmdBack_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &FrmDisplay::cmdExit_Click);
    connect(ui->mnuFileBack, &QAction::triggered, this, &FrmDisplay::mnuFileBack_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &FrmDisplay::mnuExit_Click);
    connect(ui->mnuOnline, &QAction::triggered, this, &FrmDisplay::mnuOnline_Click);
    connect(ui->mnuVisit, &QAction::triggered, this, &FrmDisplay::mnuVisit_Click);
    connect(ui->mnuUpdate, &QAction::triggered, this, &FrmDisplay::mnuUpdate_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &FrmDisplay::mnuAbout_Click);
    connect(ui->mnuDonate, &QAction::triggered, this, &FrmDisplay::mnuDonate_Click);
    connect(ui->mnuMakeMoneyOnline, &QAction::triggered, this,
            &FrmDisplay::mnuMakeMoneyOnline_Click);
    connect(ui->Label61, &ClickableLabel::clicked, this, &FrmDisplay::Label61_Click);
    connect(ui->lblCobrand, &ClickableLabel::clicked, this, &FrmDisplay::lblCobrand_Click);
    connect(ui->lblFullBrand, &ClickableLabel::clicked, this, &FrmDisplay::lblFullBrand_Click);
}

// Change, click and every mouse press, move and release over either profile
// box empty the clipboard.
void FrmDisplay::GuardProfileBoxes()
{
    for (QPlainTextEdit *box : {ui->txtYourFriendshipProfile, ui->txtYourFriendsFriendshipProfile}) {
        connect(box, &QPlainTextEdit::textChanged, this, &EmptyClipboard);
        box->viewport()->setMouseTracking(true);
        box->viewport()->installEventFilter(this);
    }
}

bool FrmDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == ui->txtYourFriendshipProfile->viewport()
         || watched == ui->txtYourFriendsFriendshipProfile->viewport())
        && IsMouseActivity(event->type()))
        EmptyClipboard();
    return QMainWindow::eventFilter(watched, event);
}

void FrmDisplay::cmdBack_Click()
{
    close();
    Forms::get<FrmMain>()->show();
    Forms::hide<StartupForm>();
    Forms::hide<FrmNagScreen2>();
}

void FrmDisplay::cmdExit_Click()
{
    close();
}

void FrmDisplay::mnuFileBack_Click()
{
    cmdBack_Click();
}

void FrmDisplay::mnuExit_Click()
{
    cmdExit_Click();
}

void FrmDisplay::mnuOnline_Click()
{
    OpenHelpPage();
}

void FrmDisplay::mnuVisit_Click()
{
    OpenHomePage();
}

void FrmDisplay::mnuUpdate_Click()
{
    OpenDownloadPage();
}

void FrmDisplay::mnuAbout_Click()
{
    FrmAbout about(this);
    about.exec();
}

void FrmDisplay::mnuDonate_Click()
{
    OpenDonatePage();
}

// The menu item is switched off for good; the handler stays for completeness.
void FrmDisplay::mnuMakeMoneyOnline_Click()
{
    OpenFullBrandPage();
}

void FrmDisplay::Label61_Click()
{
    OpenHomePage();
}

void FrmDisplay::lblCobrand_Click()
{
    OpenCoBrandPage();
}

void FrmDisplay::lblFullBrand_Click()
{
    OpenFullBrandPage();
}

void FrmDisplay::closeEvent(QCloseEvent *event)
{
    event->accept();
    UnloadToExitScreen(this);
}

} // namespace qx
