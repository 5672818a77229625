// The planner's language: its texts are written in Spanish, and any other system language gets
// the English translation embedded in the program. Qt's own texts (the buttons of its dialogs,
// its file dialog) follow in the same language, from the Qt translations the system installs.
#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

// Installs in the application the translations for `locale`: for Spanish, Qt's own Spanish one;
// for any other language, Qt's own English one and the planner's English one. A translation the
// system lacks or that holds no text is left out: Qt's without the package qt6-translations-l10n,
// and Qt's English one in Debian, which is empty since Qt's texts are written in English. Returns
// the translators installed, which must live as long as the texts are shown.
std::vector<std::unique_ptr<QTranslator>> InstallPlannerTranslation(const QLocale& locale);
