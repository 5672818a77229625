// The planner's language: its texts are written in Spanish, and any other system language gets
// the English translation embedded in the program.
#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

// Installs in the application the translation for `locale`: none for Spanish (Qt's own texts in
// Spanish where the system has them), the planner's English one for any other language. Returns
// the translators installed, which must live as long as the texts are shown.
std::vector<std::unique_ptr<QTranslator>> InstallPlannerTranslation(const QLocale& locale);
