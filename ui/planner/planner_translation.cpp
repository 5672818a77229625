#include "planner_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

std::vector<std::unique_ptr<QTranslator>> InstallPlannerTranslation(const QLocale& locale) {
    std::vector<std::unique_ptr<QTranslator>> installed;
    const auto install = [&installed](std::unique_ptr<QTranslator> translator, bool loaded) {
        if (loaded && QCoreApplication::installTranslator(translator.get())) {
            installed.push_back(std::move(translator));
        }
    };
    const bool spanish = locale.language() == QLocale::Spanish;
    // Qt's dialogs speak the language of the planner's own texts, not the system's third one.
    auto qt = std::make_unique<QTranslator>();
    const bool qtLoaded =
        qt->load(spanish ? locale : QLocale(QLocale::English), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(std::move(qt), qtLoaded);
    if (!spanish) {
        auto planner = std::make_unique<QTranslator>();
        const bool plannerLoaded = planner->load(QStringLiteral(":/i18n/kelvo-planner_en.qm"));
        install(std::move(planner), plannerLoaded);
    }
    return installed;
}
