#include "ui/StartupForm.h"

#include "core/platform/Platform.h"
#include "core/ProgramInfo.h"
#include "core/SingleInstanceGuard.h"
#include "core/UpdateReminder.h"
#include "ui/Forms.h"
#include "ui/FrmMain.h"
#include "ui/IgnoringErrors.h"

#include <QCloseEvent>
#include <QLoggingCategory>

#include <cmath>

namespace qx {

namespace {

// "qx.startup.debug=true" in QT_LOGGING_RULES marks on standard error the end
// of the main window's first paint, the moment what the start-up stored is
// on the disk, and a second copy's refusal, for the tests and the benchmark.
Q_LOGGING_CATEGORY(startupLog, "qx.startup", QtInfoMsg)

// Rounds to the nearest integer, a tie to the even one.
int roundHalfToEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    const bool lowerIsOdd = std::fmod(lower, 2.0) != 0.0;
    const bool up = fraction > 0.5 || (fraction == 0.5 && lowerIsOdd);
    return static_cast<int>(up ? lower + 1.0 : lower);
}

} // namespace

StartupForm::StartupForm(QWidget *parent)
    : QWidget(parent)
{
}

StartupForm::~StartupForm() = default;

void StartupForm::setInstanceLockPath(const QString &path)
{
    m_instanceLockPath = path;
}

bool StartupForm::refuseSecondCopy()
{
    if (m_instanceLockPath.isEmpty())
        m_instanceLockPath = SingleInstanceGuard::defaultLockPath(executableBaseName());
    m_instanceGuard = std::make_unique<SingleInstanceGuard>(m_instanceLockPath);
    if (!m_instanceGuard->anotherInstanceRunning())
        return false;

    qCDebug(startupLog, "another copy runs");
    ignoringErrors([] { showMessage(QStringLiteral("Application is already running"), MessageIcon::Information); });
    ExitApplication();
    return true;
}

bool StartupForm::Form_Load()
{
    bool anotherCopyRuns = false;
    ignoringErrors([&] { anotherCopyRuns = refuseSecondCopy(); });
    if (anotherCopyRuns)
        return false;

    ignoringErrors([] { platform().random->randomize(); });
    ignoringErrors([] { PromptForUpdate(); });
    // The session may end the program while the reminder's question is up.
    if (Forms::exitRequested())
        return false;
    ignoringErrors([this] {
        FrmMain *mainWindow = Forms::get<FrmMain>();
        mainWindow->installEventFilter(this);
        mainWindow->show();
    });
    ignoringErrors([this] { hide(); });
    ignoringErrors([this] { CoBrand_Randomize(); });
    return true;
}

void StartupForm::CoBrand_Randomize()
{
    const float r = platform().random->next();
    // In double precision 6 * r + 1 is exact for every single-precision r.
    intCoBrandRandomNumber = roundHalfToEven(6.0 * double(r) + 1.0);

    FrmMain *mainWindow = Forms::find<FrmMain>();
    if (!mainWindow)
        return;
    switch (intCoBrandRandomNumber) {
    case 1:
    case 3:
    case 5:
        mainWindow->bringCoBrandBannerToFront();
        break;
    case 2:
    case 4:
    case 6:
        mainWindow->bringFullBrandBannerToFront();
        break;
    default:
        // 7: the full-brand banner stays in front, as the main window lays it out.
        break;
    }
}

bool StartupForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && qobject_cast<FrmMain *>(watched)) {
        watched->removeEventFilter(this);
        // Queued: runs once this painting and its flush to the screen are done.
        QMetaObject::invokeMethod(this, &StartupForm::firstFramePainted, Qt::QueuedConnection);
    }
    return false;
}

void StartupForm::firstFramePainted()
{
    qCDebug(startupLog, "main window painted");
    ignoringErrors([] { platform().settings->flush(); });
    qCDebug(startupLog, "start-up settled");
}

void StartupForm::closeEvent(QCloseEvent *)
{
    Forms::unloaded(this);
    ignoringErrors([] { ExitApplication(); });
}

} // namespace qx
