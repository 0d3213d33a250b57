#pragma once

#include <QStringList>

class QTextStream;

namespace qx {

// Exit statuses of qx-friendship-report.
inline constexpr int ReportExitSuccess = 0;
inline constexpr int ReportExitWriteError = 1;
inline constexpr int ReportExitUsage = 2;

// Runs qx-friendship-report:
//
//     qx-friendship-report [--json] YOUR_BIRTH_DATE FRIENDS_BIRTH_DATE
//
// arguments are as QCoreApplication::arguments() gives them, program name
// first. The report goes to out; a refused date, a malformed argument or an
// unknown option gets one line on err and nothing on out. The caller flushes
// both. Returns the exit status: ReportExitSuccess, or ReportExitUsage for
// anything refused.
int runReportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The same for main(): the output goes to the file descriptor `output`
// (standard output; -1 when it is closed) once it is complete. When it cannot
// be written (a full disk, a closed descriptor), one line on err says so and
// the status is ReportExitWriteError.
int runReportCommand(const QStringList &arguments, int output, QTextStream &err);

} // namespace qx
