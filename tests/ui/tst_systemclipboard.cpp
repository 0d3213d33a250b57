// The real clipboard class on an X server of the test's own, with xclip as
// another program: it empties the clipboard and the mouse selection that this
// program owns, and leaves what another program owns alone.

#include "ui/platform/DesktopServices.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/prctl.h>

namespace {

// A process that ends with the test, however the test ends.
class TiedProcess : public QProcess {
public:
    TiedProcess(const QString &program, const QStringList &arguments)
    {
        setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        start(program, arguments);
    }
    ~TiedProcess() override
    {
        kill();
        waitForFinished();
    }
};

} // namespace

class TestSystemClipboard : public QObject {
    Q_OBJECT

public:
    // Before the application connects: Xvfb picks a free display and says which.
    static void initMain()
    {
        static TiedProcess server(QStringLiteral("Xvfb"),
                                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                   QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                   QStringLiteral("320x200x24")});
        QByteArray display;
        while (!display.endsWith('\n') && server.waitForReadyRead(10000))
            display += server.readAllStandardOutput();
        if (display.trimmed().isEmpty())
            qFatal("Xvfb did not start");
        qputenv("DISPLAY", ':' + display.trimmed());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }

private Q_SLOTS:
    void onlyWhatThisProgramOwnsIsEmptied_data()
    {
        QTest::addColumn<bool>("oursClipboard");
        QTest::addColumn<bool>("oursSelection");
        QTest::newRow("both ours") << true << true;
        QTest::newRow("both another program's") << false << false;
        QTest::newRow("clipboard ours, selection theirs") << true << false;
        QTest::newRow("clipboard theirs, selection ours") << false << true;
    }

    void onlyWhatThisProgramOwnsIsEmptied()
    {
        QFETCH(bool, oursClipboard);
        QFETCH(bool, oursSelection);
        QClipboard *clipboard = QGuiApplication::clipboard();
        QVERIFY(clipboard->supportsSelection());
        const std::pair<QClipboard::Mode, bool> modes[] = {{QClipboard::Clipboard, oursClipboard},
                                                           {QClipboard::Selection, oursSelection}};
        std::vector<std::unique_ptr<TiedProcess>> others;
        for (const auto &[mode, ours] : modes) {
            if (ours) {
                clipboard->setText(QStringLiteral("ours"), mode);
                continue;
            }
            const QString selection = mode == QClipboard::Clipboard ? QStringLiteral("clipboard")
                                                                    : QStringLiteral("primary");
            others.push_back(std::make_unique<TiedProcess>(QStringLiteral("xclip"),
                                                           QStringList{QStringLiteral("-quiet"),
                                                                       QStringLiteral("-selection"), selection}));
            others.back()->write("theirs");
            others.back()->closeWriteChannel();
            QTRY_COMPARE(clipboard->text(mode), QStringLiteral("theirs"));
        }

        qx::SystemClipboard().clear();

        for (const auto &[mode, ours] : modes)
            QCOMPARE(clipboard->text(mode), ours ? QString() : QStringLiteral("theirs"));
    }
};

QTEST_MAIN(TestSystemClipboard)
#include "tst_systemclipboard.moc"
