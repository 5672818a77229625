#include "plan_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "condition_text.h"

namespace {

constexpr char kFormatName[] = "kelvo-plan";

// Whether `text` is 14 signs 1, X and 2: what a column chosen outside the development must be.
bool IsPoolColumn(const QString& text) {
    return text.size() == kelvo::kColumnLength &&
           std::all_of(text.begin(), text.end(),
                       [](QChar sign) { return sign == '1' || sign == 'X' || sign == '2'; });
}

class TPlanWords {
    Q_DECLARE_TR_FUNCTIONS(TPlanWords)

public:
    static QString NotJson(const QString& name) {
        return tr("%1 no es un plan: su contenido no es JSON.").arg(name);
    }
    static QString NotPlan(const QString& name) {
        return tr("%1 no es un plan de Kelvo.").arg(name);
    }
    static QString UnknownVersion(const QString& name) {
        return tr("El plan %1 tiene una versión de formato desconocida.").arg(name);
    }
    static QString NewerVersion(const QString& name, int version) {
        return tr("El plan %1 es de una versión más nueva del programa (formato %2); esta "
                  "versión abre hasta el formato %3.")
            .arg(name)
            .arg(version)
            .arg(kPlanFormatVersion);
    }
    static QString BadField(const QString& name, const QString& field) {
        return tr("Al plan %1 le falta el campo «%2» o no es válido.").arg(name, field);
    }
    static QString BadCondition(const QString& name, int index, const QString& problem) {
        return tr("La condición %2 del plan %1 no es válida: %3").arg(name).arg(index).arg(problem);
    }
    static QString ForeignColumn(const QString& name, int index, const QString& column) {
        return tr("La columna %2 (%3) del plan %1 no es una columna de su desarrollo.")
            .arg(name)
            .arg(index)
            .arg(column);
    }
    static QString CannotRead(const QString& name) {
        return tr("No se puede leer el archivo %1.").arg(name);
    }
};

QJsonObject ConditionObject(const kelvo::TCondition& condition) {
    QJsonObject object;
    object["kind"] = QString::fromStdString(std::string(kelvo::ConditionKindName(condition.Kind)));
    object["sign"] = condition.Sign == 0 ? QString() : QString(QChar::fromLatin1(condition.Sign));
    object["first"] = condition.First + 1;
    object["last"] = condition.Last + 1;
    object["base"] = condition.Kind == kelvo::TConditionKind::Base
                         ? QString::fromLatin1(condition.Base.data(), kelvo::kColumnLength)
                         : QString();
    object["least"] = condition.Least;
    object["most"] = condition.Most;
    return object;
}

qint64 Milliseconds(kelvo::TClock::duration duration) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
}

// Reads the fields of one plan file, throwing the message for the first one missing or wrong.
class TPlanReader {
public:
    explicit TPlanReader(const QString& name) : name_(name) {}

    QJsonValue Field(const QJsonObject& object, const QString& field) const {
        const QJsonValue value = object.value(field);
        if (value.isUndefined()) {
            Fail(field);
        }
        return value;
    }
    QJsonObject Object(const QJsonObject& object, const QString& field) const {
        const QJsonValue value = Field(object, field);
        if (!value.isObject()) {
            Fail(field);
        }
        return value.toObject();
    }
    QJsonArray Array(const QJsonObject& object, const QString& field) const {
        const QJsonValue value = Field(object, field);
        if (!value.isArray()) {
            Fail(field);
        }
        return value.toArray();
    }
    QString String(const QJsonObject& object, const QString& field) const {
        const QJsonValue value = Field(object, field);
        if (!value.isString()) {
            Fail(field);
        }
        return value.toString();
    }
    bool Bool(const QJsonObject& object, const QString& field) const {
        const QJsonValue value = Field(object, field);
        if (!value.isBool()) {
            Fail(field);
        }
        return value.toBool();
    }
    double Number(const QJsonObject& object, const QString& field, double least,
                  double most) const {
        const QJsonValue value = Field(object, field);
        if (!value.isDouble() || !std::isfinite(value.toDouble()) || value.toDouble() < least ||
            value.toDouble() > most) {
            Fail(field);
        }
        return value.toDouble();
    }
    qint64 Integer(const QJsonObject& object, const QString& field, qint64 least,
                   qint64 most) const {
        const double number =
            Number(object, field, static_cast<double>(least), static_cast<double>(most));
        if (std::floor(number) != number) {
            Fail(field);
        }
        return static_cast<qint64>(number);
    }
    [[noreturn]] void Fail(const QString& field) const {
        throw TPlanFileError(TPlanWords::BadField(name_, field));
    }

    TMatch Match(const QJsonObject& object) const {
        TMatch match;
        match.Teams = String(object, "teams");
        const QString signs = String(object, "signs");
        for (std::size_t sign = 0; sign < kSigns.size(); ++sign) {
            match.Played[sign] = signs.contains(QChar::fromLatin1(kSigns[sign]));
        }
        const bool onlySigns = std::all_of(signs.begin(), signs.end(), [](QChar sign) {
            return sign == '1' || sign == 'X' || sign == '2';
        });
        if (!onlySigns || signs.isEmpty() ||
            signs.size() != std::count(match.Played.begin(), match.Played.end(), true)) {
            Fail("signs");
        }
        const QJsonArray chances = Array(object, "chances");
        if (chances.size() != 3) {
            Fail("chances");
        }
        for (int sign = 0; sign < 3; ++sign) {
            if (!chances[sign].isDouble() || chances[sign].toDouble() < 0 ||
                chances[sign].toDouble() > 100) {
                Fail("chances");
            }
            match.Chances[sign] = chances[sign].toDouble();
        }
        return match;
    }

    kelvo::TCondition Condition(const QJsonObject& object, int index) const {
        kelvo::TCondition condition;
        const auto kind = kelvo::ConditionKindNamed(String(object, "kind").toStdString());
        if (!kind) {
            Fail("kind");
        }
        condition.Kind = *kind;
        const QString sign = String(object, "sign");
        if (sign.size() > 1) {
            Fail("sign");
        }
        condition.Sign = sign.isEmpty() ? 0 : sign[0].toLatin1();
        condition.First = static_cast<int>(Integer(object, "first", 1, kelvo::kColumnLength)) - 1;
        condition.Last = static_cast<int>(Integer(object, "last", 1, kelvo::kColumnLength)) - 1;
        const QString base = String(object, "base");
        if (condition.Kind == kelvo::TConditionKind::Base) {
            if (base.size() != kelvo::kColumnLength) {
                Fail("base");
            }
            for (int match = 0; match < kelvo::kColumnLength; ++match) {
                condition.Base[match] = base[match].toLatin1();
            }
        }
        condition.Least = static_cast<int>(Integer(object, "least", 0, kelvo::kColumnLength));
        condition.Most = static_cast<int>(Integer(object, "most", 0, kelvo::kColumnLength));
        if (const std::optional<QString> problem = ConditionProblem(condition)) {
            throw TPlanFileError(TPlanWords::BadCondition(name_, index, *problem));
        }
        return condition;
    }

    TPlanReduction Reduction(const QJsonObject& object, const TPlan& plan) const {
        TPlanReduction reduction;
        const QJsonArray columns = Array(object, "columns");
        reduction.Columns.reserve(columns.size());
        for (qsizetype index = 0; index < columns.size(); ++index) {
            if (!columns[index].isString()) {
                Fail("columns");
            }
            const QString text = columns[index].toString();
            const kelvo::TKey key = kelvo::MakeKey(text.toLatin1().toStdString());
            const bool belongs = plan.Anywhere ? IsPoolColumn(text) : IsColumnOfPlan(plan, key);
            if (text.size() != kelvo::kColumnLength || !belongs) {
                throw TPlanFileError(
                    TPlanWords::ForeignColumn(name_, static_cast<int>(index) + 1, text));
            }
            reduction.Columns.push_back(key);
        }
        constexpr qint64 kMost = qint64{1} << 50;
        kelvo::TReductionReport& report = reduction.Report;
        report.Greedy = static_cast<std::size_t>(Integer(object, "greedy", 0, kMost));
        report.Final = static_cast<std::size_t>(Integer(object, "final", 0, kMost));
        report.LowerBound = static_cast<std::size_t>(Integer(object, "lowerBound", 0, kMost));
        report.Spent = std::chrono::milliseconds(Integer(object, "spentMs", 0, kMost));
        report.Reached = std::chrono::milliseconds(Integer(object, "reachedMs", 0, kMost));
        report.Stopped = Bool(object, "stopped");
        // Plans saved before the published bounds were known to the optimiser hold neither.
        report.BoundPublished = object.contains("boundPublished") && Bool(object, "boundPublished");
        report.SmallestPossible =
            object.contains("smallestPossible") && Bool(object, "smallestPossible");
        if (report.Final != reduction.Columns.size()) {
            Fail("final");
        }
        return reduction;
    }

private:
    QString name_;
};

}  // namespace

QByteArray PlanBytes(const TPlan& plan) {
    QJsonObject root;
    root["format"] = QString::fromLatin1(kFormatName);
    root["version"] = kPlanFormatVersion;
    QJsonArray matches;
    for (const TMatch& match : plan.Matches) {
        QJsonObject object;
        object["teams"] = match.Teams;
        QString signs;
        for (std::size_t sign = 0; sign < kSigns.size(); ++sign) {
            if (match.Played[sign]) {
                signs += QChar::fromLatin1(kSigns[sign]);
            }
        }
        object["signs"] = signs;
        object["chances"] = QJsonArray{match.Chances[0], match.Chances[1], match.Chances[2]};
        matches.append(object);
    }
    root["matches"] = matches;
    QJsonArray conditions;
    for (const kelvo::TCondition& condition : plan.Conditions) {
        conditions.append(ConditionObject(condition));
    }
    root["conditions"] = conditions;
    root["chancesShown"] = plan.ChancesShown;
    root["price"] = plan.Price;
    root["guarantee"] = plan.Guarantee;
    root["budgetSeconds"] = plan.BudgetSeconds;
    root["anywhere"] = plan.Anywhere;
    root["result"] = plan.Result;
    if (plan.Reduction) {
        QJsonObject reduction;
        QJsonArray columns;
        for (const kelvo::TKey& column : plan.Reduction->Columns) {
            columns.append(QString::fromStdString(kelvo::ColumnText(column)));
        }
        reduction["columns"] = columns;
        const kelvo::TReductionReport& report = plan.Reduction->Report;
        reduction["greedy"] = static_cast<qint64>(report.Greedy);
        reduction["final"] = static_cast<qint64>(report.Final);
        reduction["lowerBound"] = static_cast<qint64>(report.LowerBound);
        reduction["spentMs"] = Milliseconds(report.Spent);
        reduction["reachedMs"] = Milliseconds(report.Reached);
        reduction["stopped"] = report.Stopped;
        reduction["boundPublished"] = report.BoundPublished;
        reduction["smallestPossible"] = report.SmallestPossible;
        root["reduction"] = reduction;
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

TPlan ParsePlan(const QByteArray& bytes, const QString& name) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        throw TPlanFileError(TPlanWords::NotJson(name));
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value("format").toString() != kFormatName) {
        throw TPlanFileError(TPlanWords::NotPlan(name));
    }
    const QJsonValue version = root.value("version");
    const double number = version.toDouble(-1);
    if (!version.isDouble() || number < 1 || std::floor(number) != number) {
        throw TPlanFileError(TPlanWords::UnknownVersion(name));
    }
    if (number > kPlanFormatVersion) {
        throw TPlanFileError(TPlanWords::NewerVersion(name, static_cast<int>(number)));
    }
    const TPlanReader reader(name);
    TPlan plan;
    const QJsonArray matches = reader.Array(root, "matches");
    if (matches.size() != kelvo::kColumnLength) {
        reader.Fail("matches");
    }
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        if (!matches[match].isObject()) {
            reader.Fail("matches");
        }
        plan.Matches[match] = reader.Match(matches[match].toObject());
    }
    const QJsonArray conditions = reader.Array(root, "conditions");
    for (qsizetype index = 0; index < conditions.size(); ++index) {
        if (!conditions[index].isObject()) {
            reader.Fail("conditions");
        }
        plan.Conditions.push_back(
            reader.Condition(conditions[index].toObject(), static_cast<int>(index) + 1));
    }
    plan.ChancesShown = reader.Bool(root, "chancesShown");
    plan.Price = reader.Number(root, "price", 0, 1e6);
    plan.Guarantee = static_cast<int>(
        reader.Integer(root, "guarantee", kelvo::kWeakestGuarantee, kelvo::kStrongestGuarantee));
    plan.BudgetSeconds = static_cast<int>(reader.Integer(root, "budgetSeconds", 0, 86400));
    // Files written before the optimiser could choose outside the development have no such field.
    plan.Anywhere = root.contains("anywhere") && reader.Bool(root, "anywhere");
    plan.Result = reader.String(root, "result");
    if (plan.Result.size() > kelvo::kColumnLength) {
        reader.Fail("result");
    }
    if (root.contains("reduction")) {
        plan.Reduction = reader.Reduction(reader.Object(root, "reduction"), plan);
    }
    return plan;
}

void SavePlan(const TPlan& plan, const QString& path, const kelvo::TFileCalls& calls) {
    const QByteArray bytes = PlanBytes(plan);
    kelvo::ReplaceFileContent(QFile::encodeName(path).toStdString(),
                              std::string_view(bytes.constData(), bytes.size()), calls);
}

TPlan OpenPlan(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        throw TPlanFileError(TPlanWords::CannotRead(name));
    }
    return ParsePlan(file.readAll(), name);
}
