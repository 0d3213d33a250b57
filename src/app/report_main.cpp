#include "app/ReportCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Looked at before anything else opens a file, which could take a closed
    // standard output's number.
    const int output = ::fcntl(STDOUT_FILENO, F_GETFD) == -1 ? -1 : STDOUT_FILENO;

    QCoreApplication app(argc, argv);

    QTextStream err(stderr);
    return qx::runReportCommand(QCoreApplication::arguments(), output, err);
}
