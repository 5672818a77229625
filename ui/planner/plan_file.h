// The planner's side of the files it keeps: the engine reads and writes them (plan/plan_file.h,
// files/column_file.h); here are the paths as the window holds them, and each refusal and failure
// to write in the player's language.
#pragma once

#include <QString>

#include "files/file_access.h"
#include "plan/plan_file.h"

// What the player is told when the plan file `name` is refused for `refusal`.
QString PlanRefusalText(const kelvo::TPlanRefusal& refusal, const QString& name);

// Why a file could not be written, in the player's language, as a clause without a full stop:
// a kelvo::TFileWriteError by its fault and file, running out of memory, or else the engine's
// message.
QString WriteFailureText(const kelvo::TEngineError& error);

// Writes `plan` to `path`, replacing the file only once the new content is complete. Throws
// kelvo::TEngineError as kelvo::SavePlan does; the file then keeps its old content.
void SavePlanAt(const kelvo::TPlan& plan, const QString& path, const kelvo::TFileCalls& calls = {});

// Reads the plan file at `path`, changing nothing. Throws kelvo::TPlanFileError as
// kelvo::OpenPlan does.
kelvo::TPlan OpenPlanAt(const QString& path);
