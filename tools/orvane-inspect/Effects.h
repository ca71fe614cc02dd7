// What a message does to the module: the module's own table, observer and
// sequencer code run on copies of the state before the message (the
// prediction), set beside what the live module then did (the outcome),
// with a note for every legal but surprising result.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tasks/TaskTables.h"
#include "tools/orvane-inspect/DecodeTree.h"
#include "tools/orvane-inspect/ModuleView.h"

namespace orvane::inspect {

struct Prediction {
    bool ran = false;  // a client was there to receive the message
    TalkSentenceTable sentences;
    TaskLogTable log;
    bool handedOn = false;  // message 91 reaches the task log window
    bool pagesLoaded = false;
    bool ruleFits = false;  // a ComputeState rule fitted the pages
    int32_t computed = 0;   // the state after ComputeState
    int32_t stepped = 0;    // ... and after Step
    int32_t steppedPage = -1;
    int32_t menuItems = 0;      // choice and open chat pages
    int32_t computedPage = -1;  // the current page ComputeState picked
    int32_t lastOffer = -1;     // the last choice or open chat page
};

// Runs the module's code for msg on copies of the live client's state.
// Writes nothing the session sees except log lines, which the caller drops.
Prediction Predict(int32_t msg, std::span<const uint8_t> message, const ModuleView& before,
                   bool uiService);

// What happened during the delivery, taken from the session's events.
struct RunEvents {
    Json log = Json::array();  // the lines as the session reports them (UTF-8 or hex)
    Json debug = Json::array();
    bool shown = false;  // the talk window was shown (its hide guard armed)
};

struct EffectReport {
    Json effects;
    std::vector<std::string> notes;
    std::vector<std::string> lost;
};

EffectReport Effects87(const Decoded87& decoded, const ModuleView& before, const ModuleView& after,
                       const Prediction& p, const RunEvents& run);
EffectReport Effects91(const Decoded91& decoded, const ModuleView& before, const ModuleView& after,
                       const Prediction& p, const RunEvents& run);

}  // namespace orvane::inspect
