#include "condition_text.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

class TConditionWords {
    Q_DECLARE_TR_FUNCTIONS(TConditionWords)

public:
    // "exactamente 3 equis", "como mucho 4 equis", "al menos 2 equis", "entre 2 y 4 equis":
    // `one` names a single thing, `many` several.
    static QString Range(const kelvo::TCondition& condition, const QString& one,
                         const QString& many) {
        const int least = condition.Least;
        const int most = condition.Most;
        if (least == most) {
            return tr("exactamente %1 %2").arg(least).arg(least == 1 ? one : many);
        }
        if (least == 0) {
            return tr("como mucho %1 %2").arg(most).arg(most == 1 ? one : many);
        }
        if (most == kelvo::MostBound(condition)) {
            return tr("al menos %1 %2").arg(least).arg(least == 1 ? one : many);
        }
        return tr("entre %1 y %2 %3").arg(least).arg(most).arg(many);
    }

    // "exactamente 4 unos", "1 equis", "3 doses": a count of a sign names the sign in words, as a
    // player reads it aloud, not as a digit after the count ("4 1").
    static QString SignRange(const kelvo::TCondition& condition) {
        switch (condition.Sign) {
            case '1':
                return Range(condition, tr("uno"), tr("unos"));
            case 'X':
                // One word in Spanish, two in English ("1 X", "4 Xs").
                return Range(condition, tr("equis", "singular"), tr("equis", "plural"));
            default:
                return Range(condition, tr("dos"), tr("doses"));
        }
    }

    static QString Describe(const kelvo::TCondition& condition) {
        using kelvo::TConditionKind;
        switch (condition.Kind) {
            case TConditionKind::Signs:
                return SignRange(condition);
            case TConditionKind::Variants:
                return Range(condition, tr("variante (X o 2)"), tr("variantes (X o 2)"));
            case TConditionKind::Breaks:
                return Range(condition, tr("cambio de signo"), tr("cambios de signo"));
            case TConditionKind::Run:
                if (condition.Sign == 0) {
                    return Range(condition, tr("seguido de un mismo signo"),
                                 tr("seguidos de un mismo signo"));
                }
                return Range(condition, tr("seguido del %1").arg(condition.Sign),
                             tr("seguidos del %1").arg(condition.Sign));
            case TConditionKind::Group:
                return tr("%1 entre los partidos %2 y %3")
                    .arg(SignRange(condition))
                    .arg(condition.First + 1)
                    .arg(condition.Last + 1);
            case TConditionKind::Base:
                return tr("%1 con la columna %2")
                    .arg(Range(condition, tr("diferencia"), tr("diferencias")))
                    .arg(QString::fromLatin1(condition.Base.data(), kelvo::kColumnLength));
            case TConditionKind::Value:
                return tr("valor al menos %1").arg(ThresholdText(condition.Threshold));
            case TConditionKind::Public:
                return tr("jugada por como mucho el %1 % del público")
                    .arg(ThresholdText(condition.Threshold));
        }
        return {};
    }

    static std::optional<QString> Problem(const kelvo::TCondition& condition) {
        const std::optional<kelvo::TConditionFault> fault = kelvo::FindConditionFault(condition);
        if (!fault) {
            return std::nullopt;
        }
        switch (*fault) {
            case kelvo::TConditionFault::Sign:
                return tr("El signo debe ser 1, X o 2.");
            case kelvo::TConditionFault::Matches:
                return tr("Los partidos van del 1 al 14.");
            case kelvo::TConditionFault::Backwards:
                return tr("El primer partido (%1) va después del último (%2).")
                    .arg(condition.First + 1)
                    .arg(condition.Last + 1);
            case kelvo::TConditionFault::Base:
                return tr("La columna base debe tener 14 signos 1, X o 2.");
            case kelvo::TConditionFault::Threshold:
                if (condition.Kind == kelvo::TConditionKind::Value) {
                    return tr("El valor debe ser mayor que 0 y como mucho %1.")
                        .arg(ThresholdText(kelvo::MostThreshold(condition)));
                }
                return tr("El porcentaje debe ser mayor que 0 y como mucho %1.")
                    .arg(ThresholdText(kelvo::MostThreshold(condition)));
            case kelvo::TConditionFault::Bounds:
                return tr("Los límites van de 0 a %1.").arg(kelvo::MostBound(condition));
            case kelvo::TConditionFault::LeastAboveMost:
                return tr("El mínimo (%1) es mayor que el máximo (%2).")
                    .arg(condition.Least)
                    .arg(condition.Most);
        }
        return std::nullopt;
    }
};

}  // namespace

QString ThresholdText(double threshold) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(threshold, 'f', QLocale::FloatingPointShortest);
}

QString DescribeCondition(const kelvo::TCondition& condition) {
    return TConditionWords::Describe(condition);
}

std::optional<QString> ConditionProblem(const kelvo::TCondition& condition) {
    return TConditionWords::Problem(condition);
}
