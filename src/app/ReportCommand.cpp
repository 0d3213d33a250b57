#include "ReportCommand.h"

#include "FriendshipReport.h"
#include "SunSign.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTextStream>

#include <optional>
#include <utility>

namespace qx {

namespace {

const QString ProgramName = QStringLiteral("qx-friendship-report");
const QString YourDateName = QStringLiteral("YOUR_BIRTH_DATE");
const QString FriendsDateName = QStringLiteral("FRIENDS_BIRTH_DATE");

// The years the main window offers.
constexpr int FirstYear = 1900;
constexpr int LastYear = 2050;

// Plain-text output is wrapped to fit an ordinary terminal.
constexpr qsizetype WrapWidth = 78;
const QString TextIndent = QStringLiteral("  ");

struct BirthDate {
    int year = 0;
    int month = 0; // 1 = January
    int day = 0;   // 1 to 31, whatever the month
};

struct ParsedDate {
    std::optional<BirthDate> date;
    QString error;
};

// Reads YYYY-MM-DD with exactly four, two and two digits. The calendar is
// not consulted: which days a month may have is the main window's rule,
// applied by DateRefusal.
ParsedDate ParseBirthDate(const QString &argumentName, const QString &text)
{
    // Anchored at both ends: "$" alone would also let a trailing line feed through.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{4})-([0-9]{2})-([0-9]{2})")));
    const QString quoted = QLatin1Char('"') + text + QLatin1Char('"');
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {std::nullopt, QStringLiteral("%1 %2 is not a date of the form YYYY-MM-DD")
                                  .arg(argumentName, quoted)};

    BirthDate date{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
    if (date.year < FirstYear || date.year > LastYear)
        return {std::nullopt, QStringLiteral("%1 %2: the year must be from %3 to %4")
                                  .arg(argumentName, quoted)
                                  .arg(FirstYear)
                                  .arg(LastYear)};
    if (date.month < 1 || date.month > 12)
        return {std::nullopt, QStringLiteral("%1 %2: the month must be from 01 to 12")
                                  .arg(argumentName, quoted)};
    if (date.day < 1 || date.day > 31)
        return {std::nullopt, QStringLiteral("%1 %2: the day must be from 01 to 31")
                                  .arg(argumentName, quoted)};
    return {date, QString()};
}

bool IsImpossibleFebruaryDay(const BirthDate &date)
{
    return date.month == 2 && date.day >= 30;
}

bool IsThirtyFirstOfShortMonth(const BirthDate &date)
{
    const bool shortMonth = date.month == 4 || date.month == 6 || date.month == 9 || date.month == 11;
    return shortMonth && date.day == 31;
}

// The main window's date checks, the user's date first, with its messages.
// 29 February passes in every year, as it does in the window.
QString DateRefusal(const BirthDate &yours, const BirthDate &friends)
{
    if (IsImpossibleFebruaryDay(yours))
        return QStringLiteral("Please Enter Your Correct Date of Birth!");
    if (IsThirtyFirstOfShortMonth(yours))
        return QStringLiteral("Please Enter Correct Date of Birth !");
    if (IsImpossibleFebruaryDay(friends) || IsThirtyFirstOfShortMonth(friends))
        return QStringLiteral("Please Enter Correct Date of Birth Of Your Friend!");
    return {};
}

std::optional<SunSign> SignOfDate(const BirthDate &date)
{
    return GetSunSign(static_cast<std::int16_t>(date.month - 1), static_cast<std::int16_t>(date.day - 1));
}

QString ToQString(const std::string &text)
{
    return QString::fromStdString(text);
}

// A JSON string literal for text, quotes included, escaped by QJsonDocument.
QString JsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2)); // drop the brackets
}

// One JSON object with the report's fields as keys, in the report's own
// field order (QJsonObject would sort them).
void WriteJson(QTextStream &out, const FriendshipReport &report)
{
    const auto fields = ReportFields(report);
    out << "{\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto &[name, value] = fields[i];
        out << "    " << JsonString(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())))
            << ": " << JsonString(ToQString(*value)) << (i + 1 < fields.size() ? ",\n" : "\n");
    }
    out << "}\n";
}

// Lines of at most WrapWidth characters, indented, broken at blanks; a word
// longer than a line stands alone.
QStringList WrapText(const QString &text)
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

void WriteHeading(QTextStream &out, const QString &title)
{
    out << title << '\n' << QString(title.size(), QLatin1Char('=')) << "\n\n";
}

// A heading line, then text wrapped and indented below it.
void WriteParagraph(QTextStream &out, const QString &heading, const std::string &text)
{
    out << heading << '\n';
    for (const QString &line : WrapText(ToQString(text)))
        out << line << '\n';
}

// The two tabs of the results window, one after the other.
void WriteText(QTextStream &out, const FriendshipReport &report)
{
    WriteHeading(out, QStringLiteral("Friendship Profile"));
    out << "Your Sun Sign: " << ToQString(report.YourSunSign) << "\n\n";
    WriteParagraph(out, QStringLiteral("Your Friendship Profile:"), report.YourFriendshipProfile);
    out << "\nYour Friend's Sun Sign: " << ToQString(report.YourFriendsSunSign) << "\n\n";
    WriteParagraph(out, QStringLiteral("Your Friend's Friendship Profile:"),
                   report.YourFriendsFriendshipProfile);
    out << '\n';

    WriteHeading(out, QStringLiteral("Friendship Compatibility"));
    const std::pair<const char *, const std::string *> traits[] = {
        {"Dependable", &report.Dependable}, {"Caring", &report.Caring},
        {"Outgoing", &report.Outgoing},     {"Loyal", &report.Loyal},
        {"Adventurous", &report.Adventurous}, {"Initiator", &report.Initiator},
        {"Listener", &report.Listener},
    };
    for (const auto &[heading, value] : traits) {
        const QString label = QString::fromLatin1(heading) + QLatin1Char(':');
        out << label.leftJustified(14) << ToQString(*value) << '\n';
    }
    out << '\n';
    WriteParagraph(out, QStringLiteral("Friendship Compatibility: ") + ToQString(report.FriendshipCompatibility),
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
    "\n"
    "Exit status: 0 after a report or this help; 2 when a date is refused or an\n"
    "argument is not understood (one line on standard error says why).\n");

// The complaint quotes what was typed, which may hold line breaks or other
// control characters; those are shown as \xNN (\uNNNN) to keep it one line.
QString OneLine(const QString &text)
{
    QString line;
    for (const QChar character : text) {
        const ushort code = character.unicode();
        if (character.category() == QChar::Other_Control || character == QChar::LineSeparator
            || character == QChar::ParagraphSeparator)
            line += code <= 0xff ? QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'))
                                 : QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
        else
            line += character;
    }
    return line;
}

void Complain(QTextStream &err, const QString &message)
{
    err << ProgramName << ": " << OneLine(message) << '\n';
    err.flush();
}

} // namespace

int RunReportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Print this help and exit."));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Print the report as one JSON object."));
    parser.addOption(helpOption);
    parser.addOption(jsonOption);

    if (!parser.parse(arguments)) {
        Complain(err, parser.errorText() + QStringLiteral(" See --help."));
        return ReportExitUsage;
    }
    if (parser.isSet(helpOption)) {
        out << UsageText;
        out.flush();
        return ReportExitSuccess;
    }

    const QStringList dates = parser.positionalArguments();
    if (dates.size() != 2) {
        Complain(err, QStringLiteral("expected two birth dates, %1 and %2, but got %3 argument(s). See --help.")
                          .arg(YourDateName, FriendsDateName)
                          .arg(dates.size()));
        return ReportExitUsage;
    }

    const ParsedDate yours = ParseBirthDate(YourDateName, dates.at(0));
    if (!yours.date) {
        Complain(err, yours.error);
        return ReportExitUsage;
    }
    const ParsedDate friends = ParseBirthDate(FriendsDateName, dates.at(1));
    if (!friends.date) {
        Complain(err, friends.error);
        return ReportExitUsage;
    }

    // The window's own messages are shown as they are, without the program
    // name in front.
    if (const QString refusal = DateRefusal(*yours.date, *friends.date); !refusal.isEmpty()) {
        err << refusal << '\n';
        err.flush();
        return ReportExitUsage;
    }

    FriendshipReport report;
    UpdateFriendshipReport(report, SignOfDate(*yours.date), SignOfDate(*friends.date));
    if (parser.isSet(jsonOption))
        WriteJson(out, report);
    else
        WriteText(out, report);
    out.flush();
    return ReportExitSuccess;
}

} // namespace qx
