#include "ui/FrmDisplay.h"
#include "ui_FrmDisplay.h"

#include "core/platform/Platform.h"
#include "engine/SunSign.h"
#include "ui/Forms.h"
#include "ui/FrmMain.h"
#include "ui/FrmNagScreen2.h"
#include "ui/StartupForm.h"

#include <QPlainTextEdit>

namespace qx {

namespace {

// The profiles may be read but not carried away: whatever was copied from
// them is wiped again at the next touch of the mouse.
void emptyClipboard()
{
    platform().clipboard->clear();
}

bool isMouseActivity(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove
           || type == QEvent::MouseButtonRelease;
}

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

bool isSignName(const std::string &value)
{
    return signFromName(value).has_value();
}

} // namespace

FrmDisplay::FrmDisplay(QWidget *parent)
    : ProgramWindow(parent)
    , ui(std::make_unique<Ui::FrmDisplay>())
{
    ui->setupUi(this);
    guardProfileBoxes();
    setUpForm(*ui, QSize(625, 529));
    setWindowRole(QStringLiteral("results-window"));
    connect(ui->cmdBack, &QPushButton::clicked, this, &FrmDisplay::cmdBack_Click);
    connect(ui->mnuFileBack, &QAction::triggered, this, &FrmDisplay::mnuFileBack_Click);
}

FrmDisplay::~FrmDisplay() = default;

void FrmDisplay::writeReport(const FriendshipReport &report)
{
    ui->lblYourSunSign->setText(text(report.YourSunSign));
    if (isSignName(report.YourSunSign))
        ui->txtYourFriendshipProfile->setPlainText(text(report.YourFriendshipProfile));
    ui->lblYourFriendsSunSign->setText(text(report.YourFriendsSunSign));
    if (isSignName(report.YourFriendsSunSign))
        ui->txtYourFriendsFriendshipProfile->setPlainText(text(report.YourFriendsFriendshipProfile));
    ui->lblFriendshipCompatibilityResult->setText(text(report.FriendshipCompatibilityResult));
    ui->lblFriendshipCompatibility->setText(text(report.FriendshipCompatibility));
    ui->lblDependable->setText(text(report.Dependable));
    ui->lblCaring->setText(text(report.Caring));
    ui->lblOutgoing->setText(text(report.Outgoing));
    ui->lblLoyal->setText(text(report.Loyal));
    ui->lblAdventurous->setText(text(report.Adventurous));
    ui->lblInitiator->setText(text(report.Initiator));
    ui->lblListener->setText(text(report.Listener));
    ui->fraFriendshipResult->raise();
}

// Change, click and every mouse press, move and release over either profile
// box empty the clipboard.
void FrmDisplay::guardProfileBoxes()
{
    for (QPlainTextEdit *box : {ui->txtYourFriendshipProfile, ui->txtYourFriendsFriendshipProfile}) {
        connect(box, &QPlainTextEdit::textChanged, this, &emptyClipboard);
        box->viewport()->setMouseTracking(true);
        box->viewport()->installEventFilter(this);
    }
}

bool FrmDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == ui->txtYourFriendshipProfile->viewport()
         || watched == ui->txtYourFriendsFriendshipProfile->viewport())
        && isMouseActivity(event->type()))
        emptyClipboard();
    return ProgramWindow::eventFilter(watched, event);
}

void FrmDisplay::cmdBack_Click()
{
    // Back unloads this window like any other way of closing it, so its
    // unload step shows the exit screen; the main window then takes over and
    // the exit screen is hidden again, up only for a moment.
    close();
    Forms::get<FrmMain>()->show();
    Forms::hide<StartupForm>();
    Forms::hide<FrmNagScreen2>();
}

void FrmDisplay::mnuFileBack_Click()
{
    cmdBack_Click();
}

} // namespace qx
