// The ITaskClient calls a session makes as a game client would, their
// operands read from the input.
#pragma once

#include "testkit/ActionReader.h"

class ITaskClient;
class IWndCallback;

namespace orvane::fuzz {

// One call, picked by the next operand; nothing when there is no client
// (the operand is read all the same).
void ClientCall(ITaskClient* client, ActionReader& in, IWndCallback& callback);

}  // namespace orvane::fuzz
