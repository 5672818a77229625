#include "plan_file.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "common/player_numbers.h"
#include "condition_text.h"

namespace {

// The fields of the plan outside its matches, as the player knows what they hold: a condition's
// fields and those of the saved reduction are told as the whole they belong to.
struct TFieldWords {
    std::string_view Fields;  // separated by blanks
    const char* Sentence;
};

constexpr std::array kFieldWords = {
    TFieldWords{"matches", QT_TRANSLATE_NOOP("TPlanWords",
                                             "Al plan %1 le faltan partidos: debe tener los 14.")},
    TFieldWords{"conditions kind sign first last base least most",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta parte de sus condiciones.")},
    TFieldWords{"chancesShown",
                QT_TRANSLATE_NOOP("TPlanWords",
                                  "Al plan %1 le falta decir si muestra las probabilidades.")},
    TFieldWords{"price",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta el precio por columna.")},
    TFieldWords{"guarantee", QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta la garantía.")},
    TFieldWords{"budgetSeconds",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta el tiempo del optimizador.")},
    TFieldWords{"anywhere", QT_TRANSLATE_NOOP(
                                "TPlanWords",
                                "Al plan %1 le falta decir si usa columnas fuera del pronóstico.")},
    TFieldWords{"result",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta el resultado de la jornada.")},
    TFieldWords{"takings", QT_TRANSLATE_NOOP("TPlanWords",
                                             "Al plan %1 le falta la recaudación de la jornada.")},
    TFieldWords{"jackpot", QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta el bote.")},
    TFieldWords{
        "prizeRules prizeRules.specialShare prizeRules.shares",
        QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta parte de las reglas de premios.")},
    TFieldWords{"pleno pleno.teams pleno.chosen pleno.chances pleno.chances.home "
                "pleno.chances.away pleno.public pleno.public.home pleno.public.away",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta parte del Pleno al 15.")},
    TFieldWords{"budget budget.amount budget.unit budget.goal",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta parte de su presupuesto.")},
    TFieldWords{"reduction columns greedy final lowerBound spentMs reachedMs stopped "
                "boundPublished smallestPossible budgetChoice budgetChoice.budget "
                "budgetChoice.forecast budgetChoice.covered budgetChoice.bound "
                "budgetChoice.greedy budgetChoice.bestPossible budgetChoice.winnings "
                "budgetChoice.winnings.expected budgetChoice.winnings.cost "
                "budgetChoice.winnings.returnPerEuro budgetChoice.winnings.bound "
                "budgetChoice.winnings.greedy",
                QT_TRANSLATE_NOOP("TPlanWords", "Al plan %1 le falta parte de su reducción.")},
};

bool Names(std::string_view fields, std::string_view field) {
    while (!fields.empty()) {
        const std::size_t end = std::min(fields.find(' '), fields.size());
        if (fields.substr(0, end) == field) {
            return true;
        }
        fields.remove_prefix(std::min(end + 1, fields.size()));
    }
    return false;
}

class TPlanWords {
    Q_DECLARE_TR_FUNCTIONS(TPlanWords)

public:
    static QString Refusal(const kelvo::TPlanRefusal& refusal, const QString& name) {
        using kelvo::TPlanFault;
        switch (refusal.Fault) {
            case TPlanFault::Unreadable:
                return tr("No se puede leer el fichero %1.").arg(name);
            case TPlanFault::Empty:
                return tr("El fichero %1 está vacío.").arg(name);
            case TPlanFault::NotJson:
            case TPlanFault::NotPlan:
                return tr("El fichero %1 no es un plan de Kelvo.").arg(name);
            case TPlanFault::UnknownVersion:
                return tr("El plan %1 está dañado: no dice con qué versión del programa se "
                          "guardó.")
                    .arg(name);
            case TPlanFault::NewerVersion:
                return tr("El plan %1 se guardó con una versión más nueva del programa; "
                          "actualice Kelvo para abrirlo.")
                    .arg(name);
            case TPlanFault::BadField:
                return Field(refusal, name);
            case TPlanFault::BadCondition:
                return tr("La condición %2 del plan %1 no se puede cumplir: %3")
                    .arg(name, CountText(static_cast<std::uint64_t>(refusal.Index)),
                         ConditionProblem(refusal.Condition).value_or(QString()));
            case TPlanFault::ForeignColumn:
                return tr("La columna %2 (%3) del plan %1 no es una columna de su desarrollo.")
                    .arg(name, CountText(static_cast<std::uint64_t>(refusal.Index)),
                         QString::fromStdString(refusal.Column));
        }
        return {};
    }

    static QString WriteFailure(const kelvo::TEngineError& error) {
        const auto* failure = dynamic_cast<const kelvo::TFileWriteError*>(&error);
        if (failure == nullptr) {
            return error.what() == kelvo::kOutOfMemory ? tr("no hay memoria suficiente")
                                                       : QString::fromStdString(error.what());
        }
        const QString name = QFile::decodeName(failure->Path().c_str());
        return failure->Fault() == kelvo::TWriteFault::CannotCreate
                   ? tr("no se puede crear el fichero %1; compruebe que la carpeta existe y que "
                        "se puede escribir en ella")
                         .arg(name)
                   : tr("no se pudo escribir el fichero %1 entero (¿está lleno el disco?); el "
                        "fichero sigue como estaba")
                         .arg(name);
    }

private:
    // A field is named as the player knows what it holds, with its match where it has one.
    static QString Field(const kelvo::TPlanRefusal& refusal, const QString& name) {
        const QString match = CountText(static_cast<std::uint64_t>(refusal.Match));
        if (refusal.Match == 0) {
            const auto* words = std::find_if(
                kFieldWords.begin(), kFieldWords.end(),
                [&](const TFieldWords& each) { return Names(each.Fields, refusal.Field); });
            return words == kFieldWords.end() ? tr("El plan %1 está dañado.").arg(name)
                                              : tr(words->Sentence).arg(name);
        }
        if (refusal.Field == "teams") {
            return tr("Al plan %1 le faltan los equipos del partido %2.").arg(name, match);
        }
        if (refusal.Field == "signs") {
            return tr("Al plan %1 le falta el pronóstico del partido %2.").arg(name, match);
        }
        if (refusal.Field == "chances") {
            return tr("Al plan %1 le faltan las probabilidades del partido %2.").arg(name, match);
        }
        if (refusal.Field == "public") {
            return tr("Al plan %1 le faltan los porcentajes del público del partido %2.")
                .arg(name, match);
        }
        return tr("Al plan %1 le falta el partido %2.").arg(name, match);
    }
};

}  // namespace

QString PlanRefusalText(const kelvo::TPlanRefusal& refusal, const QString& name) {
    return TPlanWords::Refusal(refusal, name);
}

QString WriteFailureText(const kelvo::TEngineError& error) {
    return TPlanWords::WriteFailure(error);
}

void SavePlanAt(const kelvo::TPlan& plan, const QString& path, const kelvo::TFileCalls& calls) {
    kelvo::SavePlan(plan, QFile::encodeName(path).toStdString(), calls);
}

kelvo::TPlan OpenPlanAt(const QString& path) {
    return kelvo::OpenPlan(QFile::encodeName(path).toStdString());
}
