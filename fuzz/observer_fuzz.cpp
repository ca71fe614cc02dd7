// Fuzz target for the readers of server messages 87 and 91. Not part of the
// CMake build; from the source root, with clang:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     fuzz/observer_fuzz.cpp tasks/MessageFormats.cpp tasks/TaskTables.cpp \
//     client/DebugLog.cpp platform/Format.cpp platform/win32_stub.cpp -o observer_fuzz
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
