#include "planner_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::vector<std::unique_ptr<QTranslator>> InstallPlannerTranslation(const QLocale& locale) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    auto translator = std::make_unique<QTranslator>();
    const bool loaded =
        locale.language() == QLocale::Spanish
            ? translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            : translator->load(QStringLiteral(":/i18n/kelvo-planner_en.qm"));
    if (loaded && QCoreApplication::installTranslator(translator.get())) {
        installed.push_back(std::move(translator));
    }
    return installed;
}
