#include "app/ReportCommand.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QTextStream>

namespace qx::test {
namespace {

struct CommandResult {
    int exitCode = -1;
    QString out;
    QString err;
};

CommandResult run(const QStringList &arguments)
{
    CommandResult result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.exitCode = qx::runReportCommand(QStringList{QStringLiteral("qx-friendship-report")} + arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

QJsonObject runJson(const QString &yours, const QString &friends)
{
    const CommandResult result = run({QStringLiteral("--json"), yours, friends});
    if (result.exitCode != 0 || !result.err.isEmpty())
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    return error.error == QJsonParseError::NoError ? document.object() : QJsonObject();
}

const QStringList FieldNames = {
    QStringLiteral("YourSunSign"),
    QStringLiteral("YourFriendsSunSign"),
    QStringLiteral("YourFriendshipProfile"),
    QStringLiteral("YourFriendsFriendshipProfile"),
    QStringLiteral("FriendshipCompatibilityResult"),
    QStringLiteral("FriendshipCompatibility"),
    QStringLiteral("Dependable"),
    QStringLiteral("Caring"),
    QStringLiteral("Outgoing"),
    QStringLiteral("Loyal"),
    QStringLiteral("Adventurous"),
    QStringLiteral("Initiator"),
    QStringLiteral("Listener"),
};

// The report for 21 July (Leo) and 20 July (Cancer), field by field; the
// profiles by their first words.
const QStringList LeoAndCancer = {
    QStringLiteral("Leo"),
    QStringLiteral("Cancer"),
    QStringLiteral("These people are in an elated mood"),
    QStringLiteral("The best part to have a Cancerian"),
    QStringLiteral("This can be a sincere relationship if both of you strive to make it work out."),
    QStringLiteral("You both Could Be Better Friends"),
    QStringLiteral("You may let down your friend sometimes"),
    QStringLiteral("You care about each other a lot"),
    QStringLiteral("You are an extrovert"),
    QStringLiteral("You are highly loyal to each other"),
    QStringLiteral("You do not mind adventures"),
    QStringLiteral("You keep the relationship going at all costs"),
    QStringLiteral("You listen to your friend sometimes"),
};

const QString YourDateRefused = QStringLiteral("Please Enter Your Correct Date of Birth!");
const QString YourThirtyFirstRefused = QStringLiteral("Please Enter Correct Date of Birth !");
const QString FriendsDateRefused = QStringLiteral("Please Enter Correct Date of Birth Of Your Friend!");

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

// qx-friendship-report: arguments in, report or one line of complaint out.
class TestReportCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void jsonReport();
    void jsonEscapesQuotesAndKeepsBlanks();
    void plainTextReport();
    void optionMayFollowTheDates();
    void windowDateChecks_data();
    void windowDateChecks();
    void acceptedDates_data();
    void acceptedDates();
    void malformedArguments_data();
    void malformedArguments();
    void help_data();
    void help();
    void executable_data();
    void executable();
};

// 21 July is already Leo, 20 July still Cancer. Every field is a string,
// in the report's own order.
void TestReportCommand::jsonReport()
{
    const CommandResult result = run(
        {QStringLiteral("--json"), QStringLiteral("1990-07-21"), QStringLiteral("1985-07-20")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QString());
    const QJsonObject report = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QCOMPARE(report.size(), FieldNames.size());
    qsizetype previous = -1;
    for (qsizetype i = 0; i < FieldNames.size(); ++i) {
        const QString &name = FieldNames.at(i);
        const qsizetype at = result.out.indexOf(QLatin1Char('"') + name + QStringLiteral("\":"));
        QVERIFY2(at > previous, qPrintable(name));
        previous = at;
        QVERIFY2(report.value(name).isString(), qPrintable(name));
        const QString value = report.value(name).toString();
        if (i == 2 || i == 3) // the profiles
            QVERIFY2(value.startsWith(LeoAndCancer.at(i)), qPrintable(name));
        else
            QCOMPARE(value, LeoAndCancer.at(i));
    }
}

void TestReportCommand::jsonEscapesQuotesAndKeepsBlanks()
{
    // Gemini and Taurus: the pair text ends in a double quote.
    const CommandResult raw = run(
        {QStringLiteral("--json"), QStringLiteral("2000-06-01"), QStringLiteral("2000-05-01")});
    QCOMPARE(raw.exitCode, 0);
    QVERIFY(raw.out.contains(QStringLiteral("to get to know each other.\\\"\"")));

    const QJsonObject geminiTaurus = runJson(QStringLiteral("2000-06-01"), QStringLiteral("2000-05-01"));
    const QString sentence15 = QStringLiteral("This can turn out to be a great friendship if you are ready to give "
                                              "each other time to get to know each other.");
    QCOMPARE(geminiTaurus.value(QStringLiteral("FriendshipCompatibilityResult")).toString(),
             sentence15 + QLatin1Char('"'));

    // Aquarius keeps the leading blank of its adventure line; Taurus and
    // Sagittarius keep the trailing blank of their pair text; the Aries
    // profile keeps its trailing blank.
    const QJsonObject aquarius = runJson(QStringLiteral("1970-02-01"), QStringLiteral("1970-01-01"));
    QCOMPARE(aquarius.value(QStringLiteral("Adventurous")).toString(), QStringLiteral(" You love adventures"));
    const QJsonObject taurusSagittarius = runJson(QStringLiteral("1950-05-01"), QStringLiteral("1950-12-01"));
    QCOMPARE(taurusSagittarius.value(QStringLiteral("FriendshipCompatibilityResult")).toString(),
             QStringLiteral("You will have to work on your friendship and have patience to make it work. "));
    const QJsonObject aries = runJson(QStringLiteral("1950-04-01"), QStringLiteral("1950-04-02"));
    QVERIFY(aries.value(QStringLiteral("YourFriendshipProfile")).toString().endsWith(QStringLiteral("snap. ")));
}

void TestReportCommand::plainTextReport()
{
    const CommandResult result = run({QStringLiteral("1990-07-21"), QStringLiteral("1985-07-20")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    const QString &text = result.out;

    // Both tabs in the window's order, each heading before its value.
    QStringList inOrder = {
        QStringLiteral("Friendship Profile"),
        QStringLiteral("Your Sun Sign: Leo"),
        QStringLiteral("Your Friendship Profile:"),
        LeoAndCancer.at(2),
        QStringLiteral("Your Friend's Sun Sign: Cancer"),
        QStringLiteral("Your Friend's Friendship Profile:"),
        LeoAndCancer.at(3),
        QStringLiteral("Friendship Compatibility"),
    };
    for (qsizetype i = 6; i < FieldNames.size(); ++i) // the trait lines, their values in one column
        inOrder << QLatin1Char('\n') + (FieldNames.at(i) + QLatin1Char(':')).leftJustified(14) + LeoAndCancer.at(i);
    inOrder << QStringLiteral("Friendship Compatibility: ") + LeoAndCancer.at(5)
            << QStringLiteral("This can be a sincere relationship");
    qsizetype from = 0;
    for (const QString &part : inOrder) {
        const qsizetype at = text.indexOf(part, from);
        QVERIFY2(at >= 0, qPrintable(part));
        from = at + part.size();
    }

    // Wrapped for a terminal, each line as full as the next word allows, and plain ASCII.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines.at(i).size() <= 78, qPrintable(lines.at(i)));
        if (i + 1 < lines.size() && lines.at(i).startsWith(u"  ") && lines.at(i + 1).startsWith(u"  "))
            QVERIFY2(lines.at(i).size() + 1 + lines.at(i + 1).trimmed().section(u' ', 0, 0).size() > 78,
                     qPrintable(lines.at(i)));
    }
    for (QChar c : text)
        QVERIFY(c == QLatin1Char('\n') || (c.unicode() >= 0x20 && c.unicode() < 0x7f));

    // Wrapping only breaks lines: every word of the profile is still there.
    QString flattened = text.simplified();
    QVERIFY(flattened.contains(
        QStringLiteral("A friend who does not appreciate their generosity may not get the chance to show it later.")));
}

void TestReportCommand::optionMayFollowTheDates()
{
    const CommandResult before = run(
        {QStringLiteral("--json"), QStringLiteral("1990-07-21"), QStringLiteral("1985-07-20")});
    const CommandResult after = run(
        {QStringLiteral("1990-07-21"), QStringLiteral("1985-07-20"), QStringLiteral("--json")});
    QCOMPARE(after.exitCode, 0);
    QCOMPARE(after.out, before.out);
}

void TestReportCommand::windowDateChecks_data()
{
    QTest::addColumn<QString>("yours");
    QTest::addColumn<QString>("friends");
    QTest::addColumn<QString>("message");

    for (const char *day : {"02-30", "02-31", "04-31", "06-31", "09-31", "11-31"}) {
        const QString yours = QStringLiteral("1990-") + QLatin1String(day);
        const QString friends = QStringLiteral("1985-") + QLatin1String(day);
        QTest::addRow("your %s", day) << yours << "1985-07-20"
                                      << (yours.contains(QLatin1String("-02-")) ? YourDateRefused
                                                                                : YourThirtyFirstRefused);
        QTest::addRow("friend's %s", day) << "1990-07-21" << friends << FriendsDateRefused;
    }
    QTest::newRow("both refused: yours first") << "1990-02-30"
                                               << "1985-04-31" << YourDateRefused;
    QTest::newRow("both 31 April: yours first") << "1990-04-31"
                                                << "1985-04-31" << YourThirtyFirstRefused;
}

void TestReportCommand::windowDateChecks()
{
    QFETCH(QString, yours);
    QFETCH(QString, friends);
    QFETCH(QString, message);

    for (const QStringList &arguments :
         {QStringList{yours, friends}, QStringList{QStringLiteral("--json"), yours, friends}}) {
        const CommandResult result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QString());
        QCOMPARE(result.err, message + QLatin1Char('\n'));
    }
}

void TestReportCommand::acceptedDates_data()
{
    QTest::addColumn<QString>("yours");
    QTest::addColumn<QString>("friends");
    QTest::addColumn<QString>("yourSign");
    QTest::addColumn<QString>("friendsSign");

    // 29 February of a common year, the first and last years, the 31st of
    // the long months, and days at the edge of a sign.
    const char *const rows[][4] = {
        {"1901-02-29", "1901-02-29", "Pisces", "Pisces"},   {"1900-01-01", "2050-12-31", "Capricorn", "Capricorn"},
        {"1990-01-31", "1990-03-31", "Aquarius", "Aries"},  {"1990-05-31", "1990-07-31", "Gemini", "Leo"},
        {"1990-08-31", "1990-10-31", "Virgo", "Scorpio"},   {"1990-12-31", "1990-01-20", "Capricorn", "Aquarius"},
        {"1990-02-19", "1990-02-18", "Pisces", "Aquarius"}, {"1990-10-21", "1990-12-21", "Scorpio", "Capricorn"},
    };
    for (const auto &row : rows)
        QTest::addRow("%s, %s", row[0], row[1]) << row[0] << row[1] << row[2] << row[3];
}

void TestReportCommand::acceptedDates()
{
    QFETCH(QString, yours);
    QFETCH(QString, friends);
    QFETCH(QString, yourSign);
    QFETCH(QString, friendsSign);

    const QJsonObject report = runJson(yours, friends);
    QCOMPARE(report.value(QStringLiteral("YourSunSign")).toString(), yourSign);
    QCOMPARE(report.value(QStringLiteral("YourFriendsSunSign")).toString(), friendsSign);
}

void TestReportCommand::malformedArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("mentions"); // what the complaint must name

    const QString good = QStringLiteral("1990-07-21");
    const QString you = QStringLiteral("YOUR_BIRTH_DATE");
    const QString friends = QStringLiteral("FRIENDS_BIRTH_DATE");

    QTest::newRow("no arguments") << QStringList{}
                                  << QStringList{QStringLiteral("two birth dates"), QStringLiteral("got 0")};
    QTest::newRow("one date") << QStringList{good}
                              << QStringList{QStringLiteral("two birth dates"), QStringLiteral("got 1")};
    QTest::newRow("three dates") << QStringList{good, good, good}
                                 << QStringList{QStringLiteral("two birth dates"), QStringLiteral("got 3")};
    QTest::newRow("only --json") << QStringList{QStringLiteral("--json")} << QStringList{QStringLiteral("got 0")};
    QTest::newRow("unknown long option") << QStringList{QStringLiteral("--xml"), good, good}
                                         << QStringList{QStringLiteral("xml")};
    QTest::newRow("unknown short option")
        << QStringList{QStringLiteral("-x"), good, good} << QStringList{QStringLiteral("x")};
    QTest::newRow("value after --json") << QStringList{QStringLiteral("--json=yes"), good, good}
                                        << QStringList{QStringLiteral("value after '--json'")};
    QTest::newRow("slashes") << QStringList{QStringLiteral("1990/07/21"), good}
                             << QStringList{you, QStringLiteral("1990/07/21"), QStringLiteral("YYYY-MM-DD")};
    QTest::newRow("one-digit month") << QStringList{QStringLiteral("1990-7-21"), good}
                                     << QStringList{you, QStringLiteral("YYYY-MM-DD")};
    QTest::newRow("one-digit day") << QStringList{good, QStringLiteral("1990-07-1")}
                                   << QStringList{friends, QStringLiteral("YYYY-MM-DD")};
    QTest::newRow("two-digit year") << QStringList{good, QStringLiteral("90-07-21")}
                                    << QStringList{friends, QStringLiteral("YYYY-MM-DD")};
    QTest::newRow("words") << QStringList{QStringLiteral("yesterday"), good}
                           << QStringList{you, QStringLiteral("yesterday")};
    QTest::newRow("empty") << QStringList{good, QString()} << QStringList{friends, QStringLiteral("YYYY-MM-DD")};
    QTest::newRow("leading blank") << QStringList{QStringLiteral(" 1990-07-21"), good} << QStringList{you};
    QTest::newRow("trailing text") << QStringList{good, QStringLiteral("1990-07-21T10:00")} << QStringList{friends};
    QTest::newRow("other digits") << QStringList{QString::fromUtf8("\u0661\u0669\u0669\u0660-07-21"), good}
                                  << QStringList{you};
    QTest::newRow("month 13") << QStringList{QStringLiteral("1990-13-01"), good}
                              << QStringList{you, QStringLiteral("month")};
    QTest::newRow("month 00") << QStringList{good, QStringLiteral("1990-00-10")}
                              << QStringList{friends, QStringLiteral("month")};
    QTest::newRow("day 32") << QStringList{QStringLiteral("1990-07-32"), good}
                            << QStringList{you, QStringLiteral("day")};
    QTest::newRow("day 00") << QStringList{good, QStringLiteral("1990-07-00")}
                            << QStringList{friends, QStringLiteral("day")};
    QTest::newRow("year 1899") << QStringList{QStringLiteral("1899-12-31"), good}
                               << QStringList{you, QStringLiteral("year"), QStringLiteral("1900")};
    QTest::newRow("year 2051") << QStringList{good, QStringLiteral("2051-01-01")}
                               << QStringList{friends, QStringLiteral("year"), QStringLiteral("2050")};
    // A line break inside an argument must neither pass as part of a date
    // nor break the complaint into several lines.
    QTest::newRow("trailing line feed") << QStringList{QStringLiteral("1990-07-21\n"), good}
                                        << QStringList{you, QStringLiteral("\\x0a")};
    QTest::newRow("carriage return inside")
        << QStringList{good, QStringLiteral("1990-07\r-21")} << QStringList{friends, QStringLiteral("\\x0d")};
    // A bidirectional control would make the complaint read otherwise in a terminal.
    QTest::newRow("right-to-left override")
        << QStringList{QStringLiteral("1990-07-21\u202e"), good} << QStringList{you, QStringLiteral("\\u202e")};
    // A malformed date is reported even when the other one would be refused
    // by the window's checks: the dates must be readable first.
    QTest::newRow("malformed beats refused") << QStringList{QStringLiteral("1990-02-30"), QStringLiteral("1990-02-32")}
                                             << QStringList{friends, QStringLiteral("day")};
}

void TestReportCommand::malformedArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, mentions);

    const CommandResult result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.endsWith(QLatin1Char('\n')) && result.err.count(QLatin1Char('\n')) == 1,
             qPrintable(result.err));
    for (const QString &mention : mentions)
        QVERIFY2(result.err.contains(mention), qPrintable(result.err));
}

void TestReportCommand::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")};
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")};
    QTest::newRow("--help with dates") << QStringList{QStringLiteral("--help"), QStringLiteral("1990-07-21"),
                                                      QStringLiteral("1985-07-20")};
}

void TestReportCommand::help()
{
    QFETCH(QStringList, arguments);
    const CommandResult result = run(arguments);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QString());
    QVERIFY(result.out.contains(QStringLiteral("Usage:")));
    QVERIFY(result.out.contains(QStringLiteral("--json")));
    QVERIFY(result.out.contains(QStringLiteral("--version")));
    QVERIFY(result.out.contains(QStringLiteral("YOUR_BIRTH_DATE")));
    QVERIFY(result.out.contains(QStringLiteral("FRIENDS_BIRTH_DATE")));
    QCOMPARE(run({QStringLiteral("--version")}).out,
             QStringLiteral("qx-friendship-report (QX Friendship Compatibility Test) " QX_PROJECT_VERSION "\n"));
}

void TestReportCommand::executable_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output"); // "pipe", "full disk" or "closed"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");

    const QStringList report{QStringLiteral("1990-07-21"), QStringLiteral("1985-07-20")};
    const QStringList json = QStringList{QStringLiteral("--json")} + report;
    const QString fullDisk = QStringLiteral(
        "qx-friendship-report: cannot write to standard output: No space left on device\n");
    const QString closed = QStringLiteral(
        "qx-friendship-report: cannot write to standard output: Bad file descriptor\n");
    QTest::newRow("JSON report") << json << "pipe" << 0 << QString();
    QTest::newRow("refused date") << QStringList{QStringLiteral("1990-02-30"), QStringLiteral("1985-07-20")} << "pipe"
                                  << 2 << YourDateRefused + QLatin1Char('\n');
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << "pipe" << 0 << QString();
    // An argument that is not an option is named as typed, once, not letter by letter.
    QTest::newRow("mistyped date") << QStringList{QStringLiteral("-2000-01-01"), QStringLiteral("1985-07-20")} << "pipe"
                                   << 2
                                   << QStringLiteral(
                                          "qx-friendship-report: unknown option \"-2000-01-01\". See --help.\n");
    QTest::newRow("unknown options")
        << QStringList{QStringLiteral("-xy"), QStringLiteral("--xml"), QStringLiteral("-xy")} << "pipe" << 2
        << QStringLiteral("qx-friendship-report: unknown options \"-xy\", \"--xml\". See --help.\n");
    // A report that cannot be written is a failure, said on standard error.
    QTest::newRow("report, full disk") << report << "full disk" << 1 << fullDisk;
    QTest::newRow("JSON, full disk") << json << "full disk" << 1 << fullDisk;
    QTest::newRow("help, full disk") << QStringList{QStringLiteral("--help")} << "full disk" << 1 << fullDisk;
    QTest::newRow("report, closed output") << report << "closed" << 1 << closed;
    QTest::newRow("refused date, closed output")
        << QStringList{QStringLiteral("1990-02-30"), QStringLiteral("1985-07-20")} << "closed" << 2
        << YourDateRefused + QLatin1Char('\n');
}

// The installed program: real stdout, stderr and exit status.
void TestReportCommand::executable()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, err);

    QProcess process;
    if (output == QLatin1String("full disk"))
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
    // Closed, with standard input open for writing, which must not stand in for it.
    if (output == QLatin1String("closed"))
        process.start(QStringLiteral("/bin/sh"),
                      QStringList{QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$@\" >&- 0<>/dev/null"),
                                  QStringLiteral(QX_REPORT_EXECUTABLE)}
                          + arguments);
    else
        process.start(QStringLiteral(QX_REPORT_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    // Through a pipe, every byte of what the command prints; elsewhere nothing arrives.
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
             output == QLatin1String("pipe") ? run(arguments).out : QString());
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
}

QTEST_GUILESS_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
