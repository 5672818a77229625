// The plan file: a plan as JSON with a format version, written through the engine's safe
// replacement and read back only when every part of it holds together.
#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

#include "files/file_access.h"
#include "plan.h"

// The extension and the format version the planner writes; it reads versions 1 to this one.
inline constexpr char kPlanExtension[] = ".kelvo";
inline constexpr int kPlanFormatVersion = 1;

// A file that is no plan this program can open: the message, in the player's language, says why.
class TPlanFileError : public std::runtime_error {
public:
    explicit TPlanFileError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// The plan as the bytes of its file (indented JSON, UTF-8).
QByteArray PlanBytes(const TPlan& plan);

// The plan held in `bytes`, the bytes of the file `name` (which names it in the messages).
// Throws TPlanFileError when they are not JSON, not a plan, a plan of an unknown or newer format
// version, a plan with a field missing or wrong, or a plan whose reduced columns are not all
// columns of its development.
TPlan ParsePlan(const QByteArray& bytes, const QString& name);

// Writes `plan` to `path`, replacing the file only once the new content is complete. Throws
// TEngineError as ReplaceFileContent does; the file then keeps its old content.
void SavePlan(const TPlan& plan, const QString& path, const kelvo::TFileCalls& calls = {});

// Reads the plan file at `path`, changing nothing. Throws TPlanFileError when it cannot be read
// or is no plan, as ParsePlan says.
TPlan OpenPlan(const QString& path);
