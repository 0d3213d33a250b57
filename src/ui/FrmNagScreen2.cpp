#include "ui/FrmNagScreen2.h"
#include "ui_FrmNagScreen2.h"

#include "core/modHelp.h"
#include "core/modTellAFriend.h"
#include "core/platform/Platform.h"
#include "core/ProgramInfo.h"
#include "ui/ExitScreenTexts.h"
#include "ui/Fonts.h"
#include "ui/Forms.h"
#include "ui/IgnoringErrors.h"
#include "ui/ProgramIcon.h"
#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/TextFit.h"
#include "ui/widgets/WindowCentring.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>

#include <utility>

namespace qx {

namespace {

// Room left between the texts of the left column and the promotion frame.
constexpr int ColumnGap = 4;
// Width of a frame's border, inside which its controls must stay.
constexpr int FrameBorder = 2;

void showCritical(const QString &text)
{
    showMessage(text, MessageIcon::Critical);
}

// One of the four appeals, drawn from a freshly initialised generator.
int drawAppealIndex()
{
    RandomSource *random = platform().random;
    random->randomize();
    // r < 1, so the whole part of r * 4 is 0, 1, 2 or 3.
    return static_cast<int>(random->next() * 4.0f);
}

// Switching to another window or opening a menu or a message box moves the
// focus without the user leaving the box: such moves leave the texts alone.
bool isFocusMoveWithinWindow(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

FrmNagScreen2::FrmNagScreen2(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::FrmNagScreen2>())
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowRole(QStringLiteral("exit-screen"));

    // Designer keeps whole point sizes only.
    const std::pair<QWidget *, qreal> quarterPointFonts[] = {
        {this, 8.25},          {ui->Label2, 9.75},        {ui->Check1, 14.25},
        {ui->Frame2, 9.75},    {ui->Frame6, 9.75},        {ui->txtName, 8.25},
        {ui->txtEmail, 8.25},  {ui->txtFriendName, 8.25}, {ui->txtFriendEmail, 8.25},
        {ui->cmdSubmit, 8.25}, {ui->txtMessage, 8.25},
    };
    for (const auto &[widget, points] : quarterPointFonts)
        setPointSize(widget, points);

    // The window's set-up, once per run: the appeal drawn here stays until the end.
    setWindowTitle(windowCaption());
    ui->lblNagScreen2Caption->setText(windowCaption());
    ui->picNagscreen2Icon->setPixmap(programPicture(ui->picNagscreen2Icon->size(), devicePixelRatioF()));
    ui->Label2->setText(exitScreenAppeal(drawAppealIndex()));
    ui->Check1->setText(exitScreenVisitCaption(siteHost()));
    ui->Label3->setText(exitScreenPromotion());
    setTextOf(ui->txtMessage, QStringLiteral("Your Message\r\n"));

    for (QLineEdit *name : {ui->txtName, ui->txtFriendName})
        name->setMaxLength(MaxNameLength);
    for (QLineEdit *email : {ui->txtEmail, ui->txtFriendEmail})
        email->setMaxLength(MaxEmailLength);
    ui->txtMessage->setMaxLength(MaxMessageLength);

    centreWhenShown(this);

    connect(ui->cmdClose, &QPushButton::clicked, this, &FrmNagScreen2::cmdClose_Click);
    connect(ui->cmdSubmit, &QPushButton::clicked, this, &FrmNagScreen2::cmdSubmit_Click);
    connect(ui->Check1, &QCheckBox::toggled, this, &FrmNagScreen2::Check1_Click);
    connect(ui->lblGoToHome, &ClickableLabel::clicked, this, &FrmNagScreen2::lblGoToHome_Click);
    const QList<QWidget *> textBoxes = {ui->txtName, ui->txtEmail, ui->txtFriendName, ui->txtFriendEmail,
                                        ui->txtMessage};
    for (QWidget *box : textBoxes)
        box->installEventFilter(this);
}

FrmNagScreen2::~FrmNagScreen2() = default;

// The design was made for Verdana and MS Sans Serif; where the substitute
// font draws a text wider, its control grows up to the promotion frame, and a
// text that is wider still is condensed rather than cut off.
void FrmNagScreen2::layOutTexts()
{
    const int rightLimit = ui->Frame6->x() - ColumnGap;
    ui->lblNagScreen2Caption->adjustSize();
    fitTextWidth(ui->lblNagScreen2Caption, rightLimit - ui->lblNagScreen2Caption->x());
    fitTextWidth(ui->Check1, rightLimit - ui->Check1->x());
    fitTextWidth(ui->lblGoToHome, ui->Frame6->width() - FrameBorder - ui->lblGoToHome->x());
}

void FrmNagScreen2::cmdClose_Click()
{
    ExitApplication();
}

void FrmNagScreen2::closeEvent(QCloseEvent *)
{
    Forms::unloaded(this);
    ignoringErrors([] { ExitApplication(); });
}

// Exit has the focus whenever the program shows the window: Enter or the
// space bar end the program. It comes up for the user only once, at the end;
// the brief showing on Back can leave it without any focus widget when the
// window manager's activation arrives after the window has been hidden again,
// and Enter or the space bar would then do nothing. A window the user
// restores after minimising it comes back with a spontaneous show event and
// keeps its focus where the user left it.
void FrmNagScreen2::showEvent(QShowEvent *event)
{
    // The texts are fitted when the window is first shown: the test command
    // loads it only to hide it, and each condensed font the fitting tries is
    // a font of its own to load.
    if (!m_textsLaidOut) {
        layOutTexts();
        m_textsLaidOut = true;
    }
    QWidget::showEvent(event);
    if (!event->spontaneous())
        ui->cmdClose->setFocus();
}

bool FrmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (isFocusMoveWithinWindow(event))
            clearPlaceholder(static_cast<QWidget *>(watched));
        break;
    case QEvent::FocusOut:
        if (isFocusMoveWithinWindow(event))
            restorePlaceholder(static_cast<QWidget *>(watched));
        break;
    case QEvent::KeyPress:
        if ((watched == ui->txtEmail || watched == ui->txtFriendEmail)
            && static_cast<QKeyEvent *>(event)->text() == QLatin1String(" ")) {
            refuseSpace(static_cast<QWidget *>(watched));
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

// A check box that works as a link: a click that checks it opens the home
// page and unchecks it again. The unchecking calls back in here and finds the
// box unchecked, so each checking click opens the page once.
void FrmNagScreen2::Check1_Click()
{
    if (!ui->Check1->isChecked())
        return;
    ui->Check1->setChecked(false);
    OpenHomePage();
}

void FrmNagScreen2::lblGoToHome_Click()
{
    OpenSoftwaresPage();
}

void FrmNagScreen2::cmdSubmit_Click()
{
    ReferralEntries &fields = ReferralFields();
    fields.ReferName = trimReferralText(textOf(ui->txtName));
    fields.ReferEmail = trimReferralText(textOf(ui->txtEmail));
    fields.ReferMessage = trimReferralText(textOf(ui->txtMessage));
    fields.ReferFriendName = trimReferralText(textOf(ui->txtFriendName));
    fields.ReferFriendEmail = trimReferralText(textOf(ui->txtFriendEmail));

    if (const QString refusal = emailAddressRefusal(fields); !refusal.isEmpty()) {
        showCritical(refusal);
        return;
    }
    SubmitReferral();
}

void FrmNagScreen2::clearPlaceholder(QWidget *box)
{
    if (trimReferralText(textOf(box)) == placeholderOf(box))
        setTextOf(box, QString());
}

void FrmNagScreen2::restorePlaceholder(QWidget *box)
{
    if (trimReferralText(textOf(box)).isEmpty())
        setTextOf(box, placeholderOf(box));
}

void FrmNagScreen2::refuseSpace(QWidget *box)
{
    showCritical(QStringLiteral("Email Address Cannot Contain Space"));
    box->setFocus();
}

QString FrmNagScreen2::placeholderOf(const QObject *box) const
{
    if (box == ui->txtName)
        return NamePlaceholder.toString();
    if (box == ui->txtEmail)
        return EmailPlaceholder.toString();
    if (box == ui->txtFriendName)
        return FriendNamePlaceholder.toString();
    if (box == ui->txtFriendEmail)
        return FriendEmailPlaceholder.toString();
    return MessagePlaceholder.toString();
}

// The message box keeps its line breaks as carriage return and line feed,
// the way the texts of the form are sent.
QString FrmNagScreen2::textOf(const QWidget *box) const
{
    if (box == ui->txtMessage)
        return ui->txtMessage->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    return static_cast<const QLineEdit *>(box)->text();
}

void FrmNagScreen2::setTextOf(QWidget *box, const QString &text)
{
    if (box == ui->txtMessage)
        ui->txtMessage->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    else
        static_cast<QLineEdit *>(box)->setText(text);
}

} // namespace qx
