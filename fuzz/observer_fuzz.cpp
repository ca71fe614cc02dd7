// Fuzz target for the readers of server messages 87 and 91 alone. Built with
// clang and -DORVANE_FUZZ=ON:
//   scripts/fuzz.sh observer 60
#include <cstddef>
#include <cstdint>
#include <span>

#include "tasks/MessageFormats.h"
#include "tasks/TaskTables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> message(data, size);
    TalkSentenceTable sentences;
    TaskLogTable taskLog;
    orvane::DecodePageArea(message.size() > 8 ? message.subspan(8) : message);
    orvane::LoadTalkSentences(message, sentences);
    orvane::ApplyTaskLogMessage(message, taskLog);
    // Every record needs an 8-byte index entry inside the message.
    if (sentences.Size() * 8 > size || taskLog.Size() * 8 > size)
        __builtin_trap();
    return 0;
}
