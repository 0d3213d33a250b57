#include "app/ReportCommand.h"

#include "core/BirthDateRules.h"
#include "core/ProgramInfo.h"
#include "engine/FriendshipReport.h"
#include "engine/SunSign.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include <unistd.h>

namespace qx {

namespace {

const QString ProgramName = QStringLiteral("qx-friendship-report");
const QString YourDateName = QStringLiteral("YOUR_BIRTH_DATE");
const QString FriendsDateName = QStringLiteral("FRIENDS_BIRTH_DATE");

// Plain-text output is wrapped to fit an ordinary terminal.
constexpr qsizetype WrapWidth = 78;
const QString TextIndent = QStringLiteral("  ");

struct BirthDate {
    int year;
    int month; // 1 = January
    int day;   // 1 to 31, whatever the month
};

struct ParsedDate {
    std::optional<BirthDate> date;
    QString error;
};

// Reads YYYY-MM-DD with exactly four, two and two digits. The calendar is
// not consulted: which days a month may have is the main window's rule,
// applied by dateRefusal().
ParsedDate parseBirthDate(const QString &argumentName, const QString &text)
{
    // Anchored at both ends: "$" alone would also let a trailing line feed through.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{4})-([0-9]{2})-([0-9]{2})")));
    const QString quoted = QLatin1Char('"') + text + QLatin1Char('"');
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {std::nullopt, QStringLiteral("%1 %2 is not a date of the form YYYY-MM-DD").arg(argumentName, quoted)};

    BirthDate date{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
    if (date.year < FirstBirthYear || date.year > LastBirthYear)
        return {std::nullopt, QStringLiteral("%1 %2: the year must be from %3 to %4")
                                  .arg(argumentName, quoted)
                                  .arg(FirstBirthYear)
                                  .arg(LastBirthYear)};
    if (date.month < 1 || date.month > 12)
        return {std::nullopt, QStringLiteral("%1 %2: the month must be from 01 to 12").arg(argumentName, quoted)};
    if (date.day < 1 || date.day > DaysInDayList)
        return {std::nullopt, QStringLiteral("%1 %2: the day must be from 01 to 31").arg(argumentName, quoted)};
    return {date, QString()};
}

// The main window's date checks, the user's date first, with its messages.
QString dateRefusal(const BirthDate &yours, const BirthDate &friends)
{
    if (QString refusal = birthDateRefusal(Person::You, yours.month - 1, yours.day - 1); !refusal.isEmpty())
        return refusal;
    return birthDateRefusal(Person::YourFriend, friends.month - 1, friends.day - 1);
}

std::optional<SunSign> signOfDate(const BirthDate &date)
{
    return GetSunSign(static_cast<std::int16_t>(date.month - 1), static_cast<std::int16_t>(date.day - 1));
}

QString toQString(const std::string &text)
{
    return QString::fromStdString(text);
}

// A JSON string literal for text, quotes included, escaped by QJsonDocument.
QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2)); // drop the brackets
}

// One JSON object with the report's fields as keys, in the report's own
// field order (QJsonObject would sort them).
void writeJson(QTextStream &out, const FriendshipReport &report)
{
    const auto fields = reportFields(report);
    out << "{\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto &[name, value] = fields[i];
        out << "    " << jsonString(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))) << ": "
            << jsonString(toQString(*value)) << (i + 1 < fields.size() ? ",\n" : "\n");
    }
    out << "}\n";
}

// Lines of at most WrapWidth characters, indented, broken at blanks; a word
// longer than a line stands alone.
QStringList wrapText(const QString &text)
{
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        if (!line.isEmpty() && TextIndent.size() + line.size() + 1 + word.size() > WrapWidth) {
            lines << TextIndent + line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << TextIndent + line;
    return lines;
}

void writeHeading(QTextStream &out, const QString &title)
{
    out << title << '\n' << QString(title.size(), QLatin1Char('=')) << "\n\n";
}

// A heading line, then text wrapped and indented below it.
void writeParagraph(QTextStream &out, const QString &heading, const std::string &text)
{
    out << heading << '\n';
    for (const QString &line : wrapText(toQString(text)))
        out << line << '\n';
}

// The two tabs of the results window, one after the other.
void writeText(QTextStream &out, const FriendshipReport &report)
{
    writeHeading(out, QStringLiteral("Friendship Profile"));
    out << "Your Sun Sign: " << toQString(report.YourSunSign) << "\n\n";
    writeParagraph(out, QStringLiteral("Your Friendship Profile:"), report.YourFriendshipProfile);
    out << "\nYour Friend's Sun Sign: " << toQString(report.YourFriendsSunSign) << "\n\n";
    writeParagraph(out, QStringLiteral("Your Friend's Friendship Profile:"), report.YourFriendsFriendshipProfile);
    out << '\n';

    writeHeading(out, QStringLiteral("Friendship Compatibility"));
    const std::pair<const char *, const std::string *> traits[] = {
        {"Dependable", &report.Dependable}, {"Caring", &report.Caring},           {"Outgoing", &report.Outgoing},
        {"Loyal", &report.Loyal},           {"Adventurous", &report.Adventurous}, {"Initiator", &report.Initiator},
        {"Listener", &report.Listener},
    };
    for (const auto &[heading, value] : traits) {
        const QString label = QString::fromLatin1(heading) + QLatin1Char(':');
        out << label.leftJustified(14) << toQString(*value) << '\n';
    }
    out << '\n';
    writeParagraph(out, QStringLiteral("Friendship Compatibility: ") + toQString(report.FriendshipCompatibility),
                   report.FriendshipCompatibilityResult);
}

// Written out rather than taken from QCommandLineParser::helpText(), which
// breaks the long argument names in the middle.
const QString UsageText = QStringLiteral(
    "Usage: qx-friendship-report [--json] YOUR_BIRTH_DATE FRIENDS_BIRTH_DATE\n"
    "\n"
    "Prints the friendship report of the QX Friendship Compatibility Test for two\n"
    "birth dates: both sun signs with their friendship profiles, the seven trait\n"
    "lines, the verdict and the compatibility text for the pair.\n"
    "\n"
    "Arguments:\n"
    "  YOUR_BIRTH_DATE     your date of birth, YYYY-MM-DD (year 1900 to 2050)\n"
    "  FRIENDS_BIRTH_DATE  your friend's date of birth, YYYY-MM-DD\n"
    "\n"
    "Options:\n"
    "  --json              print the report as one JSON object keyed by field name\n"
    "  -h, --help          print this help and exit\n"
    "  --version           print the program's name and version and exit\n"
    "\n"
    "Exit status: 0 after a report, this help or the version; 1 when the output\n"
    "cannot be written; 2 when a date is refused or an argument is not\n"
    "understood (one line on standard error says why).\n");

// As GNU programs say it: the command, its package, and the version last.
QString versionLine()
{
    return ProgramName + QStringLiteral(" (") + QLatin1String(ApplicationTitle) + QStringLiteral(") ")
           + programVersion() + QLatin1Char('\n');
}

// The complaint quotes what was typed, which may hold line breaks, other
// control characters or invisible formatting characters such as the
// bidirectional controls (U+202E), which would make the line read otherwise
// in a terminal; those are shown as \xNN (\uNNNN) to keep it one plain line.
QString oneLine(const QString &text)
{
    QString line;
    for (const QChar character : text) {
        const ushort code = character.unicode();
        if (character.category() == QChar::Other_Control || character.category() == QChar::Other_Format
            || character == QChar::LineSeparator || character == QChar::ParagraphSeparator) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), code <= 0xff ? "\\x%02x" : "\\u%04x", code);
            line += QLatin1String(escape.data());
        } else {
            line += character;
        }
    }
    return line;
}

// QCommandLineParser names an unknown option that starts with one dash
// letter by letter ("-2000-01-01", a mistyped date, comes out as 2, 0, 0, 0,
// -, 0, 1, -, 0, 1). Here each argument that the parser refuses on its own
// is named as it was typed, once. Other faults, such as a value after
// --json, keep the parser's own text.
QString parseError(QCommandLineParser &parser, const QStringList &arguments)
{
    if (parser.unknownOptionNames().isEmpty())
        return parser.errorText();
    QStringList refused;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == u"--")
            break;
        if (!refused.contains(argument) && !parser.parse({arguments.first(), argument}))
            refused << argument;
    }
    return (refused.size() == 1 ? QStringLiteral("unknown option \"%1\".") : QStringLiteral("unknown options \"%1\"."))
        .arg(refused.join(QStringLiteral("\", \"")));
}

void complain(QTextStream &err, const QString &message)
{
    err << ProgramName << ": " << oneLine(message) << '\n';
}

bool writeAll(int output, const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(output, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

} // namespace

int runReportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Print this help and exit."));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print the report as one JSON object."));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Print the program's name and version and exit."));
    parser.addOption(helpOption);
    parser.addOption(jsonOption);
    parser.addOption(versionOption);

    if (!parser.parse(arguments)) {
        complain(err, parseError(parser, arguments) + QStringLiteral(" See --help."));
        return ReportExitUsage;
    }
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        out << (parser.isSet(helpOption) ? UsageText : versionLine());
        return ReportExitSuccess;
    }

    const QStringList dates = parser.positionalArguments();
    if (dates.size() != 2) {
        complain(err, QStringLiteral("expected two birth dates, %1 and %2, but got %3 argument(s). See --help.")
                          .arg(YourDateName, FriendsDateName)
                          .arg(dates.size()));
        return ReportExitUsage;
    }

    const ParsedDate yours = parseBirthDate(YourDateName, dates.at(0));
    if (!yours.date) {
        complain(err, yours.error);
        return ReportExitUsage;
    }
    const ParsedDate friends = parseBirthDate(FriendsDateName, dates.at(1));
    if (!friends.date) {
        complain(err, friends.error);
        return ReportExitUsage;
    }

    // The window's own messages are shown as they are, without the program
    // name in front.
    if (const QString refusal = dateRefusal(*yours.date, *friends.date); !refusal.isEmpty()) {
        err << refusal << '\n';
        return ReportExitUsage;
    }

    FriendshipReport report;
    UpdateFriendshipReport(report, signOfDate(*yours.date), signOfDate(*friends.date));
    if (parser.isSet(jsonOption))
        writeJson(out, report);
    else
        writeText(out, report);
    return ReportExitSuccess;
}

int runReportCommand(const QStringList &arguments, int output, QTextStream &err)
{
    QString text;
    QTextStream out(&text);
    const int status = runReportCommand(arguments, out, err);
    const QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty() && !writeAll(output, bytes)) {
        complain(err,
                 QStringLiteral("cannot write to standard output: ") + QString::fromLocal8Bit(std::strerror(errno)));
        return ReportExitWriteError;
    }
    return status;
}

} // namespace qx
