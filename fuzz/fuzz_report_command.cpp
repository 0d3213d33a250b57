// qx-friendship-report on arbitrary arguments. The input is split at NUL
// bytes into the arguments that follow the program name, each read as UTF-8
// as the command line is. Whatever the arguments:
// - the status is 0 or 2;
// - a refusal (2) prints nothing on standard output and exactly one line on
//   standard error;
// - a success (0) prints nothing on standard error, and either the help, the
//   version line when --version was given, or a report for exactly two
//   arguments of the strict form YYYY-MM-DD, in JSON (a valid object of
//   thirteen fields) when --json was given.

#include "app/ReportCommand.h"
#include "FuzzCheck.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <cstddef>
#include <cstdint>

using namespace qx;

namespace {

QStringList argumentsOf(const std::uint8_t *data, std::size_t size)
{
    QStringList arguments{QStringLiteral("qx-friendship-report")};
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QByteArray &piece : bytes.split('\0'))
        arguments.append(QString::fromUtf8(piece));
    return arguments;
}

// The arguments that are not options, as the command-line parser sorts them:
// everything after "--", a lone "-", and anything not starting with "-".
QStringList positionalArguments(const QStringList &arguments)
{
    QStringList positional;
    bool onlyPositional = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (onlyPositional || argument == u"-" || !argument.startsWith(u'-'))
            positional.append(argument);
        else if (argument == u"--")
            onlyPositional = true;
    }
    return positional;
}

bool asksFor(const QStringList &arguments, QStringView option)
{
    for (qsizetype i = 1; i < arguments.size() && arguments.at(i) != u"--"; ++i)
        if (arguments.at(i) == option)
            return true;
    return false;
}

bool isStrictDate(const QString &text)
{
    static const QRegularExpression date(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{4}-[0-9]{2}-[0-9]{2}")));
    return date.match(text).hasMatch();
}

QString describe(const QStringList &arguments, const QString &out, const QString &err, int status)
{
    QString text = QStringLiteral("status %1\narguments:").arg(status);
    for (const QString &argument : arguments)
        text += QStringLiteral(" [%1]").arg(argument);
    return text + QStringLiteral("\nstdout: [%1]\nstderr: [%2]").arg(out, err);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList arguments = argumentsOf(data, size);
    QString outText;
    QString errText;
    int status = 0;
    {
        QTextStream out(&outText);
        QTextStream err(&errText);
        status = runReportCommand(arguments, out, err);
        out.flush();
        err.flush();
    }
    const QString detail = describe(arguments, outText, errText, status);

    QX_FUZZ_CHECK(status == ReportExitSuccess || status == ReportExitUsage, detail);
    if (status == ReportExitUsage) {
        QX_FUZZ_CHECK(outText.isEmpty(), detail);
        QX_FUZZ_CHECK(errText.size() > 1 && errText.endsWith(u'\n'), detail);
        QX_FUZZ_CHECK(errText.count(u'\n') == 1, detail);
        QX_FUZZ_CHECK(!errText.contains(u'\r'), detail);
        return 0;
    }

    QX_FUZZ_CHECK(errText.isEmpty(), detail);
    QX_FUZZ_CHECK(!outText.isEmpty(), detail);
    if (outText.startsWith(u"Usage: qx-friendship-report"))
        return 0;
    if (outText.startsWith(u"qx-friendship-report (")) {
        QX_FUZZ_CHECK(asksFor(arguments, u"--version"), detail);
        QX_FUZZ_CHECK(outText.count(u'\n') == 1 && outText.endsWith(u'\n'), detail);
        return 0;
    }

    const QStringList dates = positionalArguments(arguments);
    QX_FUZZ_CHECK(dates.size() == 2, detail);
    QX_FUZZ_CHECK(isStrictDate(dates.at(0)) && isStrictDate(dates.at(1)), detail);
    QX_FUZZ_CHECK(outText.startsWith(u'{') == asksFor(arguments, u"--json"), detail);
    if (asksFor(arguments, u"--json")) {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(outText.toUtf8(), &error);
        QX_FUZZ_CHECK(error.error == QJsonParseError::NoError && document.isObject(), detail);
        QX_FUZZ_CHECK(document.object().size() == 13, detail);
    } else {
        QX_FUZZ_CHECK(outText.startsWith(u"Friendship Profile\n"), detail);
    }
    return 0;
}
