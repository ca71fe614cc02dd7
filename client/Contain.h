// Where the host calls into the module, nothing thrown may go back: an
// exception that reaches the game ends it. An entry runs its work through
// Contain, which keeps any failure inside and gives the operation's failure
// value instead.
#pragma once

namespace orvane {

// Writes "<operation> catch error" to the debug log. Never throws and
// allocates nothing of its own.
void LogContainedFailure(const char* operation) noexcept;

// Runs body and returns its result; when it throws, logs the operation once
// and returns failure.
template <class Result, class Body>
Result Contain(const char* operation, Result failure, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        LogContainedFailure(operation);
        return failure;
    }
}

// The same for an operation without a result.
template <class Body>
void Contain(const char* operation, Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
        LogContainedFailure(operation);
    }
}

}  // namespace orvane
