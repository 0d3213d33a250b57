#pragma once

#include <QString>

namespace qx {

// Title of every message box, and the start of every window caption.
inline constexpr char ApplicationTitle[] = "QX Friendship Compatibility Test";

// The program's version, "1.25".
QString programVersion();

// The caption of every window: the title and the program's version,
// "QX Friendship Compatibility Test v1.25".
QString windowCaption();

// The maker's web host the program was built for, e.g. "www.example.com".
QString siteHost();

// The id under which the desktop knows the program: its menu entry, its
// metainfo and its icon.
QString desktopFileName();

// The running executable's file name without its extension, which names the
// program's settings and its single-instance lock.
QString executableBaseName();

} // namespace qx
