// The name the program shows for itself in its dialogs.
#pragma once

#include <QString>

// The application title for the program file at `programPath`: the file name without its folder,
// cut before its first full stop, every character after the first in lower case.
// "C:/TOOL.EXE" gives "Tool", "/usr/bin/kelvo-reductor" gives "kelvo-reductor".
QString ApplicationTitle(const QString& programPath);
