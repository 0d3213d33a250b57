// The start-up sequence on a desktop that lets it down: a settings file that
// is a directory, holds garbage or cannot be written, a runtime directory that
// does not exist, and no browser launcher on PATH. Start-up goes on to the main
// window every time, asks nothing and changes nothing it cannot read.
//
// The real settings store, the real single-instance lock and the real browser
// launcher are used; only the message boxes are recorded, so that nothing
// blocks. Each case names its own store, as QSettings fixes the configuration
// directory on first use.

#include "core/modHelp.h"
#include "core/platform/QtSettingsStore.h"
#include "core/SettingsEncoding.h"
#include "core/SingleInstanceGuard.h"
#include "core/SiteDirectory.h"
#include "core/UpdateReminder.h"
#include "support/FilePermissionsBind.h"
#include "support/IsolatedUserDirectories.h"
#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/DesktopApplication.h"
#include "ui/Forms.h"
#include "ui/FrmMain.h"
#include "ui/platform/DesktopPlatform.h"
#include "ui/platform/DesktopServices.h"
#include "ui/StartupForm.h"

#include <QApplication>
#include <QtTest>

#include <optional>

namespace qx::test {
namespace {

QString settingsFile(const QString &name)
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QLatin1Char('/') + name + QLatin1Char('/') + name
           + QStringLiteral(".conf");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The desktop services of one start: the real settings store under the given
// name and the real browser launcher; boxes, clock and generator recorded.
class FaultyDesktop {
public:
    explicit FaultyDesktop(const QString &settingsName)
        : settings(settingsName)
    {
        installPlatform(Platform{&messages, &urls, &clock, &random, &clipboard, &settings});
        messages.answers.enqueue(MessageAnswer::Yes);
    }
    // The run ends with its services: no window outlives them, and nothing
    // can reach them afterwards.
    ~FaultyDesktop()
    {
        test::unloadAllWindows();
        installPlatform({});
    }
    Q_DISABLE_COPY(FaultyDesktop)

    test::MessageRecorder messages;
    DesktopUrlOpener urls;
    test::FixedClock clock;
    test::ScriptedRandom random;
    test::ClipboardRecorder clipboard;
    QtSettingsStore settings;
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestStartupFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> scratch;
    std::unique_ptr<ScopedVariable> emptyPath;

    // Runs the start-up sequence once; true when it reached the main window.
    bool startsUp(const QString &lockPath = QString())
    {
        auto *startup = Forms::get<StartupForm>();
        startup->setInstanceLockPath(lockPath.isEmpty() ? scratch->filePath(QStringLiteral("lock/copy.lock"))
                                                        : lockPath);
        const bool started = startup->Form_Load();
        const FrmMain *mainWindow = Forms::find<FrmMain>();
        return started && mainWindow && mainWindow->isVisible() && !startup->isVisible();
    }

public:
    static void initMain() { isolateUserDirectories(); }

private Q_SLOTS:
    void initTestCase()
    {
        setUpDesktopApplication();
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QDir::tempPath()));
    }

    void init()
    {
        scratch = std::make_unique<QTemporaryDir>();
        QVERIFY(scratch->isValid());
        // Whatever a case opens goes nowhere: no launcher can be found.
        QDir().mkpath(scratch->filePath(QStringLiteral("empty-bin")));
        emptyPath = std::make_unique<ScopedVariable>("PATH",
                                                     QFile::encodeName(scratch->filePath(QStringLiteral("empty-bin"))));
    }

    void cleanup()
    {
        emptyPath.reset();
        scratch.reset();
    }

    // The desktop's own services are in use for as long as it lives, and none afterwards.
    void theDesktopsServicesEndWithIt()
    {
        {
            const DesktopPlatform desktop;
            QVERIFY(platform().clock->today().isValid());
        }
        QVERIFY(!platform().clock->today().isValid());
    }

    void settingsFileThatIsADirectory()
    {
        const QString name = QStringLiteral("FaultDirectory");
        QVERIFY(QDir().mkpath(settingsFile(name)));
        FaultyDesktop desktop(name);
        QVERIFY(startsUp());
        QVERIFY(desktop.messages.messages.isEmpty());
        QVERIFY(QFileInfo(settingsFile(name)).isDir());
    }

    void settingsFileHoldingGarbage_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QByteArray everyByte;
        for (int i = 0; i < 256; ++i)
            everyByte.append(char(i));
        QTest::newRow("every byte") << everyByte.repeated(8);
        QTest::newRow("not UTF-8") << QByteArray("[Settings]\n\xff\xfe=\xc3\x28\n");
        QTest::newRow("open section") << QByteArray("[Settings\n=\n[[[\n");
        QTest::newRow("value no date") << (QByteArray("[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=")
                                           + EncodeSetting(QStringLiteral("31/31/31")).toUtf8() + '\n');
        QTest::newRow("list value") << QByteArray("[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3=a, b, c\n");
        QTest::newRow("very long line") << (QByteArray("[Settings]\n") + QByteArray(1 << 20, 'x'));
    }
    void settingsFileHoldingGarbage()
    {
        QFETCH(QByteArray, garbage);
        const QString name = QStringLiteral("FaultGarbage")
                             + QString::fromLatin1(QTest::currentDataTag()).remove(QLatin1Char(' '));
        QVERIFY(writeFile(settingsFile(name), garbage));
        {
            FaultyDesktop desktop(name);
            QVERIFY(startsUp());
            QVERIFY(desktop.messages.messages.isEmpty());
        }
        // A second start, 100 days on, still asks nothing and leaves the file alone.
        FaultyDesktop desktop(name);
        desktop.clock.date = desktop.clock.date.addDays(100);
        QVERIFY(startsUp());
        QVERIFY(desktop.messages.messages.isEmpty());
        QCOMPARE(readFile(settingsFile(name)), garbage);
    }

    void settingsThatCannotBeWritten()
    {
        // A file where the store's directory should be made.
        const QString name = QStringLiteral("FaultUnwritable");
        QVERIFY(writeFile(QFileInfo(settingsFile(name)).absolutePath(), "in the way"));
        for (int days : {0, 30}) {
            FaultyDesktop desktop(name);
            desktop.clock.date = desktop.clock.date.addDays(days);
            QVERIFY(startsUp());
            QVERIFY(desktop.messages.messages.isEmpty());
        }
        QVERIFY(!QFileInfo::exists(settingsFile(name)));
    }

    void settingsFileWithoutReadPermission()
    {
        const FilePermissionsBind permissionsBind;
        const QString name = QStringLiteral("FaultNoPermission");
        // A reminder due for a month: readable, it would bring the question.
        const QByteArray stored = "[Settings]\n%99%CA%C7%B6%C9%BE%C4%C3="
                                  + EncodeSetting(reminderDateText(QDate(2026, 11, 8))).toUtf8() + '\n';
        QVERIFY(writeFile(settingsFile(name), stored));
        QVERIFY(QFile::setPermissions(settingsFile(name), {}));
        FaultyDesktop desktop(name);
        QVERIFY(startsUp());
        QVERIFY(desktop.messages.messages.isEmpty());
        QFile::setPermissions(settingsFile(name), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(readFile(settingsFile(name)), stored);
    }

    void runtimeDirectoryMissing()
    {
        const QByteArray missing = QFile::encodeName(scratch->filePath(QStringLiteral("gone/runtime")));
        const ScopedVariable runtime("XDG_RUNTIME_DIR", missing);
        const QString lockPath = SingleInstanceGuard::defaultLockPath(QStringLiteral("FaultRuntime"));
        QVERIFY2(!lockPath.startsWith(QString::fromLocal8Bit(missing)), qPrintable(lockPath));

        FaultyDesktop desktop(QStringLiteral("FaultRuntime"));
        QVERIFY(startsUp(lockPath));
        QVERIFY(desktop.messages.messages.isEmpty());
        // The lock still keeps out a second copy.
        SingleInstanceGuard secondCopy(lockPath);
        QVERIFY(secondCopy.anotherInstanceRunning());
    }

    // (Offscreen, Qt has no launcher at all; the end-to-end case
    // browser_launcher_missing runs the program on X, where Qt looks for one.)
    void browserLauncherMissing()
    {
        // The reminder is due and answered Yes: the download page goes to a
        // launcher that is not there, and start-up goes on.
        const QString name = QStringLiteral("FaultNoLauncher");
        FaultyDesktop desktop(name);
        QVERIFY(desktop.settings.setValue(QStringLiteral("Settings"), EncodeSetting(QStringLiteral("Duration")),
                                          EncodeSetting(reminderDateText(desktop.clock.date.addDays(-15)))));
        QVERIFY(startsUp());
        QCOMPARE(desktop.messages.messages.size(), 1);
        QCOMPARE(DecodeSetting(
                     *desktop.settings.value(QStringLiteral("Settings"), EncodeSetting(QStringLiteral("Duration")))),
                 reminderDateText(desktop.clock.date));
        OpenHomePage();
        OpenUrl(pageAddress(SitePage::ReferAFriend) + QStringLiteral("&taf1=%20"));
        QTest::ignoreMessage(QtWarningMsg, "heard again once an address is handed over");
        qWarning("heard again once an address is handed over");
        QVERIFY(Forms::find<FrmMain>()->isVisible());
    }
};

QTEST_MAIN(TestStartupFaults)
#include "tst_startupfaults.moc"
