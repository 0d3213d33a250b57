#include "app/ReportCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qx-friendship-report"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    return qx::runReportCommand(QCoreApplication::arguments(), out, err);
}
