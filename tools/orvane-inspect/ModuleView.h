// What the module holds and shows at one moment, read from the live module
// of an in-process session: its two tables, the sequencer, the step timer,
// the NPC talk window and whether the task log window exists.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/ReferenceHost.h"
#include "tools/orvane-inspect/DecodeTree.h"

namespace orvane::inspect {

struct LogRecord {
    int32_t id = 0;
    std::string name;
    std::string story;
    bool operator==(const LogRecord&) const = default;
};

struct WindowLine {
    std::string text;  // what the line shows
    bool link = false;
    std::string url;       // the link's url as the window wrote it
    int32_t returned = 0;  // what a click on it reports
    bool operator==(const WindowLine&) const = default;
};

struct ModuleView {
    bool client = false;
    std::vector<std::pair<int32_t, std::string>> sentences;
    size_t sentenceRecords = 0;  // those that can never be found included
    std::vector<LogRecord> log;
    size_t logRecords = 0;
    int32_t state = 0;
    int32_t current = -1;
    bool timerArmed = false;
    bool talkWnd = false;
    bool talkVisible = false;
    std::vector<WindowLine> lines;
    bool panelVisible = false;
    std::string panelText;
    bool logDlg = false;
};

ModuleView Capture(host::ReferenceHost& host);

const char* StateName(int32_t state);
Json SentencesJson(const std::vector<std::pair<int32_t, std::string>>& sentences);
Json LogJson(const std::vector<LogRecord>& log);
Json LinesJson(const std::vector<WindowLine>& lines);

}  // namespace orvane::inspect
