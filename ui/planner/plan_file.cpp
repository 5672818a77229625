#include "plan_file.h"

#include <QCoreApplication>
#include <QFile>

#include "condition_text.h"

namespace {

class TPlanWords {
    Q_DECLARE_TR_FUNCTIONS(TPlanWords)

public:
    static QString Refusal(const kelvo::TPlanRefusal& refusal, const QString& name) {
        using kelvo::TPlanFault;
        switch (refusal.Fault) {
            case TPlanFault::Unreadable:
                return tr("No se puede leer el archivo %1.").arg(name);
            case TPlanFault::Empty:
                return tr("El archivo %1 está vacío.").arg(name);
            case TPlanFault::NotJson:
                return tr("%1 no es un plan: su contenido no es JSON.").arg(name);
            case TPlanFault::NotPlan:
                return tr("%1 no es un plan de Kelvo.").arg(name);
            case TPlanFault::UnknownVersion:
                return tr("El plan %1 tiene una versión de formato desconocida.").arg(name);
            case TPlanFault::NewerVersion:
                return tr("El plan %1 es de una versión más nueva del programa (formato %2); esta "
                          "versión abre hasta el formato %3.")
                    .arg(name)
                    .arg(refusal.Version)
                    .arg(kelvo::kPlanFormatVersion);
            case TPlanFault::BadField:
                return Field(refusal, name);
            case TPlanFault::BadCondition:
                return tr("La condición %2 del plan %1 no es válida: %3")
                    .arg(name)
                    .arg(refusal.Index)
                    .arg(ConditionProblem(refusal.Condition).value_or(QString()));
            case TPlanFault::ForeignColumn:
                return tr("La columna %2 (%3) del plan %1 no es una columna de su desarrollo.")
                    .arg(name)
                    .arg(refusal.Index)
                    .arg(QString::fromStdString(refusal.Column));
        }
        return {};
    }

private:
    // A field of a match is named as the player knows it, with the match.
    static QString Field(const kelvo::TPlanRefusal& refusal, const QString& name) {
        const QString field = QString::fromStdString(refusal.Field);
        if (refusal.Match == 0) {
            return tr("Al plan %1 le falta el campo «%2» o no es válido.").arg(name, field);
        }
        if (field == QLatin1String("teams")) {
            return tr("Al plan %1 le faltan los equipos del partido %2 o no son válidos.")
                .arg(name)
                .arg(refusal.Match);
        }
        if (field == QLatin1String("signs")) {
            return tr("Al plan %1 le falta el pronóstico del partido %2 o no es válido.")
                .arg(name)
                .arg(refusal.Match);
        }
        if (field == QLatin1String("chances")) {
            return tr("Al plan %1 le faltan las probabilidades del partido %2 o no son válidas.")
                .arg(name)
                .arg(refusal.Match);
        }
        return tr("El partido %2 del plan %1 no es válido.").arg(name).arg(refusal.Match);
    }
};

}  // namespace

QString PlanRefusalText(const kelvo::TPlanRefusal& refusal, const QString& name) {
    return TPlanWords::Refusal(refusal, name);
}

void SavePlanAt(const kelvo::TPlan& plan, const QString& path, const kelvo::TFileCalls& calls) {
    kelvo::SavePlan(plan, QFile::encodeName(path).toStdString(), calls);
}

kelvo::TPlan OpenPlanAt(const QString& path) {
    return kelvo::OpenPlan(QFile::encodeName(path).toStdString());
}
