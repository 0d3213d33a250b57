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
#include <QStringListModel>

#include <cstdint>
#include <optional>

namespace qx {

namespace {

const QStringList &monthNames()
{
    static const QStringList names = {
        QStringLiteral("January"),   QStringLiteral("February"), QStringLiteral("March"),    QStringLiteral("April"),
        QStringLiteral("May"),       QStringLiteral("June"),     QStringLiteral("July"),     QStringLiteral("August"),
        QStringLiteral("September"), QStringLiteral("October"),  QStringLiteral("November"), QStringLiteral("December"),
    };
    return names;
}

// "first" to "last" in decimal, ascending.
QStringList numbers(int first, int last)
{
    QStringList list;
    for (int number = first; number <= last; ++number)
        list.append(QString::number(number));
    return list;
}

// The entries of one kind of date list. Both persons' lists of a kind show
// the same entries, so they share one model; each keeps its own current entry.
struct DateListModels {
    QStringListModel *days;
    QStringListModel *months;
    QStringListModel *years;
};

// One person's day, month and year lists, filled in that order, each then
// on its first entry.
void fillDateLists(const DateListModels &models, QComboBox *days, QComboBox *months, QComboBox *years)
{
    days->setModel(models.days);
    months->setModel(models.months);
    years->setModel(models.years);
    for (QComboBox *list : {days, months, years})
        list->setCurrentIndex(0);
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
    setWindowRole(QStringLiteral("main-window"));
    // Alt+F is the File menu's: the button's caption keeps its underlined F,
    // but the key opens the menu, every time, whose first item runs the test.
    ui->cmdCompatibilityWithFriend->setShortcut(QKeySequence());
    connect(ui->cmdCompatibilityWithFriend, &QPushButton::clicked, this, &FrmMain::cmdCompatibilityWithFriend_Click);
    connect(ui->mnuGeCompatibilityWithFriend, &QAction::triggered, this, &FrmMain::mnuGeCompatibilityWithFriend_Click);
    Form_Load();
    ui->txtName->setFocus();
}

FrmMain::~FrmMain() = default;

// Fills the six lists and picks 1 January 1900 for both persons.
void FrmMain::Form_Load()
{
    const DateListModels models = {
        new QStringListModel(numbers(1, DaysInDayList), this),
        new QStringListModel(monthNames(), this),
        new QStringListModel(numbers(FirstBirthYear, LastBirthYear), this),
    };
    fillDateLists(models, ui->cboDate, ui->cboMonth, ui->cboYear);
    fillDateLists(models, ui->cboFriendDate, ui->cboFriendMonth, ui->cboFriendYear);
}

bool FrmMain::ValidateEntries()
{
    if (ui->txtName->text().isEmpty()) {
        showInformation(QStringLiteral("Please Enter Your Name"));
        ui->txtName->setFocus();
        return false;
    }
    const QString yourDate = birthDateRefusal(Person::You, ui->cboMonth->currentIndex(), ui->cboDate->currentIndex());
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

    // The results window takes the place of every other window. Hiding the
    // exit screen loads it first if need be (its load step draws its appeal):
    // the test command has always done so, and the exit screen that Exit
    // shows later is this one, its appeal and whatever was typed into its
    // refer-a-friend form kept.
    hide();
    Forms::hide<StartupForm>();
    Forms::get<FrmNagScreen2>()->hide();
    display->show();
}

void FrmMain::mnuGeCompatibilityWithFriend_Click()
{
    cmdCompatibilityWithFriend_Click();
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
