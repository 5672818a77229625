// The planner's side of plan files: the engine reads and writes them (plan/plan_file.h); here are
// the paths as the window holds them and each refusal in the player's language.
#pragma once

#include <QString>

#include "files/file_access.h"
#include "plan/plan_file.h"

// What the player is told when the plan file `name` is refused for `refusal`.
QString PlanRefusalText(const kelvo::TPlanRefusal& refusal, const QString& name);

// Writes `plan` to `path`, replacing the file only once the new content is complete. Throws
// kelvo::TEngineError as kelvo::SavePlan does; the file then keeps its old content.
void SavePlanAt(const kelvo::TPlan& plan, const QString& path, const kelvo::TFileCalls& calls = {});

// Reads the plan file at `path`, changing nothing. Throws kelvo::TPlanFileError as
// kelvo::OpenPlan does.
kelvo::TPlan OpenPlanAt(const QString& path);
