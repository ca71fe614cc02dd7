// The readers of the ops, one for each kind of op; used by
// ReadScenarioLine. Each throws LineFault.
#pragma once

#include "tools/hostlib/Scenario.h"
#include "tools/hostlib/ScenarioFields.h"

namespace orvane::hostprog {

void ReadCall(const OpFields& fields, Op& op);
void ReadServer(const OpFields& fields, Op& op);
void ReadTalk(const OpFields& fields, Op& op);
void ReadTaskLog(const OpFields& fields, Op& op);
// The ops of a key or two (create, advance, click, key, file, ...).
void ReadSimpleOp(const OpFields& fields, Op& op);

}  // namespace orvane::hostprog
