#include "ui/FrmMain.h"
#include "ui_FrmMain.h"

#include "core/BirthDateRules.h"
#include "core/platform/Platform.h"
#include "engine/SunSign.h"
#include "ui/Forms.h"
#include "ui/FrmDisplay.h"
#include "ui/FrmNagScreen2.h"
#include "ui/ProgramReport.h"
#include "ui/StartupForm.h"

#include <QComboBox>

#include <cstdint>
#include <optional>

namespace qx {

namespace {

const QStringList &monthNames()
{
    static const QStringList names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
    };
    return names;
}

std::optional<SunSign> signFromLists(const QComboBox *months, const QComboBox *days)
{
    return GetSunSign(static_cast<std::int16_t>(months->currentIndex()),
                      static_cast<std::int16_t>(days->currentIndex()));
}

void showInformation(const QString &text)
{
    showMessage(text, MessageIcon::Information);
}

} // namespace

FrmMain::FrmMain(QWidget *parent)
    : ProgramWindow(parent)
    , ui(std::make_unique<Ui::FrmMain>())
{
    ui->setupUi(this);
    setUpForm(*ui, QSize(524, 409));
    connect(ui->cmdCompatibilityWithFriend, &QPushButton::clicked, this,
            &FrmMain::cmdCompatibilityWithFriend_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &FrmMain::cmdExit_Click);
    connect(ui->mnuGeCompatibilityWithFriend, &QAction::triggered, this,
            &FrmMain::mnuGeCompatibilityWithFriend_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &FrmMain::mnuExit_Click);
    Form_Load();
    ui->txtName->setFocus();
}

FrmMain::~FrmMain() = default;

// Fills the six lists and picks 1 January 1900 for both persons.
void FrmMain::Form_Load()
{
    QStringList days;
    for (int day = 1; day <= DaysInDayList; ++day)
        days.append(QString::number(day));
    QStringList years;
    for (int year = FirstBirthYear; year <= LastBirthYear; ++year)
        years.append(QString::number(year));

    ui->cboDate->addItems(days);
    ui->cboMonth->addItems(monthNames());
    ui->cboYear->addItems(years);
    ui->cboDate->setCurrentIndex(0);
    ui->cboMonth->setCurrentIndex(0);
    ui->cboYear->setCurrentIndex(0);

    ui->cboFriendDate->addItems(days);
    ui->cboFriendMonth->addItems(monthNames());
    ui->cboFriendYear->addItems(years);
    ui->cboFriendDate->setCurrentIndex(0);
    ui->cboFriendMonth->setCurrentIndex(0);
    ui->cboFriendYear->setCurrentIndex(0);
}

bool FrmMain::ValidateEntries()
{
    if (ui->txtName->text().isEmpty()) {
        showInformation(QStringLiteral("Please Enter Your Name"));
        ui->txtName->setFocus();
        return false;
    }
    const QString yourDate =
        birthDateRefusal(Person::You, ui->cboMonth->currentIndex(), ui->cboDate->currentIndex());
    if (!yourDate.isEmpty()) {
        showInformation(yourDate);
        return false;
    }
    if (ui->txtFriendName->text().isEmpty()) {
        showInformation(QStringLiteral("Please Enter Your Friend's Name"));
        ui->txtFriendName->setFocus();
        return false;
    }
    const QString friendsDate = birthDateRefusal(Person::YourFriend, ui->cboFriendMonth->currentIndex(),
                                                 ui->cboFriendDate->currentIndex());
    if (!friendsDate.isEmpty()) {
        showInformation(friendsDate);
        return false;
    }
    return true;
}

void FrmMain::cmdCompatibilityWithFriend_Click()
{
    if (!ValidateEntries())
        return;

    const std::optional<SunSign> userSign = signFromLists(ui->cboMonth, ui->cboDate);
    const std::optional<SunSign> friendSign = signFromLists(ui->cboFriendMonth, ui->cboFriendDate);
    FriendshipReport &report = programReport();
    UpdateFriendshipReport(report, userSign, friendSign);

    // The results window is created here if Back or Exit has unloaded it.
    FrmDisplay *display = Forms::get<FrmDisplay>();
    display->writeReport(report);

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

void FrmMain::mnuGeCompatibilityWithFriend_Click()
{
    cmdCompatibilityWithFriend_Click();
}

void FrmMain::mnuExit_Click()
{
    close();
}

void FrmMain::bringCoBrandBannerToFront()
{
    ui->lblCobrand->raise();
}

void FrmMain::bringFullBrandBannerToFront()
{
    ui->lblFullBrand->raise();
}

} // namespace qx
