#include "FrmMain.h"

#include "ui_FrmDisplay.h"
#include "ui_FrmMain.h"

#include "ClickableLabel.h"
#include "DefaultButtonKeys.h"
#include "ExitScreenTexts.h"
#include "Forms.h"
#include "FormWindow.h"
#include "FrmAbout.h"
#include "FrmDisplay.h"
#include "FrmNagScreen2.h"
#include "Platform.h"
#include "ProgramReport.h"
#include "StartupForm.h"
#include "SunSign.h"
#include "modHelp.h"

#include <QCloseEvent>
#include <QComboBox>

#include <cstdint>
#include <optional>

namespace qx {

namespace {

const QStringList &MonthNames()
{
    static const QStringList names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
    };
    return names;
}

constexpr int FirstYear = 1900;
constexpr int LastYear = 2050;

// Month and day are list positions: month 0 is January, day k is day k + 1.
bool IsBeyondEndOfFebruary(int month, int day)
{
    return month == 1 && (day == 29 || day == 30);
}

bool IsDay31OfShortMonth(int month, int day)
{
    return (month == 3 || month == 5 || month == 8 || month == 10) && day == 30;
}

std::optional<SunSign> SignFromLists(const QComboBox *months, const QComboBox *days)
{
    return GetSunSign(static_cast<std::int16_t>(months->currentIndex()),
                      static_cast<std::int16_t>(days->currentIndex()));
}

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

bool IsSignName(const std::string &text)
{
    return SignFromName(text).has_value();
}

} // namespace

FrmMain::FrmMain(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::FrmMain>())
{
    UseFormFont(this);
    ui->setupUi(this);
    SetUpFixedWindow(this, QSize(524, 409));
    ui->Label61->setText(DiscussionBoardAdvert());
    new DefaultButtonKeys(this, ui->cmdExit);
    ConnectHandlers();
    Form_Load();
    ui->txtName->setFocus();
}

FrmMain::~FrmMain() = default;

void FrmMain::ConnectHandlers()
{
    connect(ui->cmdCompatibilityWithFriend, &QPushButton::clicked, this,
            &FrmMain::cmdCompatibilityWithFriend_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &FrmMain::cmdExit_Click);
    connect(ui->mnuGeCompatibilityWithFriend, &QAction::triggered, this,
            &FrmMain::mnuGeCompatibilityWithFriend_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &FrmMain::mnuExit_Click);
    connect(ui->mnuOnline, &QAction::triggered, this, &FrmMain::mnuOnline_Click);
    connect(ui->mnuVisit, &QAction::triggered, this, &FrmMain::mnuVisit_Click);
    connect(ui->mnuUpdate, &QAction::triggered, this, &FrmMain::mnuUpdate_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &FrmMain::mnuAbout_Click);
    connect(ui->mnuDonate, &QAction::triggered, this, &FrmMain::mnuDonate_Click);
    connect(ui->mnuMakeMoneyOnline, &QAction::triggered, this, &FrmMain::mnuMakeMoneyOnline_Click);
    connect(ui->Label61, &ClickableLabel::clicked, this, &FrmMain::Label61_Click);
    connect(ui->lblCobrand, &ClickableLabel::clicked, this, &FrmMain::lblCobrand_Click);
    connect(ui->lblFullBrand, &ClickableLabel::clicked, this, &FrmMain::lblFullBrand_Click);
}

// Fills the six lists and picks 1 January 1900 for both persons.
void FrmMain::Form_Load()
{
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days.append(QString::number(day));
    QStringList years;
    for (int year = FirstYear; year <= LastYear; ++year)
        years.append(QString::number(year));

    ui->cboDate->addItems(days);
    ui->cboMonth->addItems(MonthNames());
    ui->cboYear->addItems(years);
    ui->cboDate->setCurrentIndex(0);
    ui->cboMonth->setCurrentIndex(0);
    ui->cboYear->setCurrentIndex(0);

    ui->cboFriendDate->addItems(days);
    ui->cboFriendMonth->addItems(MonthNames());
    ui->cboFriendYear->addItems(years);
    ui->cboFriendDate->setCurrentIndex(0);
    ui->cboFriendMonth->setCurrentIndex(0);
    ui->cboFriendYear->setCurrentIndex(0);
}

void FrmMain::ShowMessage(const QString &text)
{
    platform().messages->show(this, text, MessageIcon::Information);
}

bool FrmMain::ValidateEntries()
{
    const int month = ui->cboMonth->currentIndex();
    const int day = ui->cboDate->currentIndex();
    const int friendMonth = ui->cboFriendMonth->currentIndex();
    const int friendDay = ui->cboFriendDate->currentIndex();

    if (ui->txtName->text().isEmpty()) {
        ShowMessage(QStringLiteral("Please Enter Your Name"));
        ui->txtName->setFocus();
        return false;
    }
    if (IsBeyondEndOfFebruary(month, day)) {
        ShowMessage(QStringLiteral("Please Enter Your Correct Date of Birth!"));
        return false;
    }
    if (IsDay31OfShortMonth(month, day)) {
        ShowMessage(QStringLiteral("Please Enter Correct Date of Birth !"));
        return false;
    }
    if (ui->txtFriendName->text().isEmpty()) {
        ShowMessage(QStringLiteral("Please Enter Your Friend's Name"));
        ui->txtFriendName->setFocus();
        return false;
    }
    if (IsBeyondEndOfFebruary(friendMonth, friendDay)
        || IsDay31OfShortMonth(friendMonth, friendDay)) {
        ShowMessage(QStringLiteral("Please Enter Correct Date of Birth Of Your Friend!"));
        return false;
    }
    return true;
}

void FrmMain::cmdCompatibilityWithFriend_Click()
{
    if (!ValidateEntries())
        return;

    const std::optional<SunSign> userSign = SignFromLists(ui->cboMonth, ui->cboDate);
    const std::optional<SunSign> friendSign = SignFromLists(ui->cboFriendMonth, ui->cboFriendDate);
    FriendshipReport &report = ProgramReport();
    UpdateFriendshipReport(report, userSign, friendSign);

    // The results window is created here if Back or Exit has unloaded it.
    // A profile box is written only for a known sign; otherwise it keeps
    // what it shows.
    FrmDisplay *display = Forms::get<FrmDisplay>();
    Ui::FrmDisplay &results = *display->ui;
    results.lblYourSunSign->setText(Text(report.YourSunSign));
    if (IsSignName(report.YourSunSign))
        results.txtYourFriendshipProfile->setPlainText(Text(report.YourFriendshipProfile));
    results.lblYourFriendsSunSign->setText(Text(report.YourFriendsSunSign));
    if (IsSignName(report.YourFriendsSunSign))
        results.txtYourFriendsFriendshipProfile->setPlainText(
            Text(report.YourFriendsFriendshipProfile));
    results.lblFriendshipCompatibilityResult->setText(Text(report.FriendshipCompatibilityResult));
    results.lblFriendshipCompatibility->setText(Text(report.FriendshipCompatibility));
    results.lblDependable->setText(Text(report.Dependable));
    results.lblCaring->setText(Text(report.Caring));
    results.lblOutgoing->setText(Text(report.Outgoing));
    results.lblLoyal->setText(Text(report.Loyal));
    results.lblAdventurous->setText(Text(report.Adventurous));
    results.lblInitiator->setText(Text(report.Initiator));
    results.lblListener->setText(Text(report.Listener));
    results.fraFriendshipResult->raise();

    // The results window takes the place of every other window.
    hide();
    Forms::hide<StartupForm>();
    Forms::get<FrmNagScreen2>()->hide();
    display->show();
}

void FrmMain::cmdExit_Click()
{
    close();
}

QLabel *FrmMain::lblCobrand() const
{
    return ui->lblCobrand;
}

QLabel *FrmMain::lblFullBrand() const
{
    return ui->lblFullBrand;
}

void FrmMain::mnuGeCompatibilityWithFriend_Click()
{
    cmdCompatibilityWithFriend_Click();
}

void FrmMain::mnuExit_Click()
{
    close();
}

void FrmMain::mnuOnline_Click()
{
    OpenHelpPage();
}

void FrmMain::mnuVisit_Click()
{
    OpenHomePage();
}

void FrmMain::mnuUpdate_Click()
{
    OpenDownloadPage();
}

void FrmMain::mnuAbout_Click()
{
    FrmAbout about(this);
    about.exec();
}

void FrmMain::mnuDonate_Click()
{
    OpenDonatePage();
}

// The menu item is switched off for good; the handler stays for completeness.
void FrmMain::mnuMakeMoneyOnline_Click()
{
    OpenFullBrandPage();
}

void FrmMain::Label61_Click()
{
    OpenHomePage();
}

void FrmMain::lblCobrand_Click()
{
    OpenCoBrandPage();
}

void FrmMain::lblFullBrand_Click()
{
    OpenFullBrandPage();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    UnloadToExitScreen(this);
}

} // namespace qx
