// Where the host programs write their transcripts and read their scenarios:
// C streams underneath, since the Microsoft-ABI build has no iostreams.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/hostlib/InputLimits.h"

namespace orvane::hostprog {

class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void Write(std::string_view text) = 0;
    virtual void Flush() {}
    // False once a write has failed (a closed pipe, a full disk).
    virtual bool Good() const { return true; }

    TextSink& operator<<(std::string_view text)
    {
        Write(text);
        return *this;
    }
    TextSink& operator<<(char c) { return *this << std::string_view(&c, 1); }
    TextSink& operator<<(int value) { return *this << std::to_string(value); }
    TextSink& operator<<(long long value) { return *this << std::to_string(value); }
};

// Writes to a C stream it does not own (standard output, say).
class FileSink : public TextSink {
public:
    explicit FileSink(std::FILE* file) : m_file(file) {}
    void Write(std::string_view text) override;
    void Flush() override;
    bool Good() const override { return m_good; }

private:
    std::FILE* m_file;
    bool m_good = true;
};

// Keeps what is written (tests, panels).
class StringSink : public TextSink {
public:
    void Write(std::string_view text) override { m_text.append(text); }
    const std::string& Text() const { return m_text; }
    void Clear() { m_text.clear(); }

private:
    std::string m_text;
};

// Lines of text, each without its "\n".
class LineIn {
public:
    virtual ~LineIn() = default;
    // False at the end; Failed() tells a read error, TooLong() a line past
    // the reader's limit, from the end.
    virtual bool ReadLine(std::string& line) = 0;
    virtual bool Failed() const { return false; }
    virtual bool TooLong() const { return false; }
};

// Reads a C stream it does not own, lines of at most limit bytes.
class FileLineIn : public LineIn {
public:
    explicit FileLineIn(std::FILE* file, size_t limit = kMaxLineBytes)
        : m_file(file), m_limit(limit)
    {
    }
    bool ReadLine(std::string& line) override;
    bool Failed() const override { return m_failed; }
    bool TooLong() const override { return m_tooLong; }

private:
    std::FILE* m_file;
    size_t m_limit;
    bool m_failed = false;
    bool m_tooLong = false;
};

// Reads a text held in memory.
class StringLineIn : public LineIn {
public:
    explicit StringLineIn(std::string text) : m_text(std::move(text)) {}
    bool ReadLine(std::string& line) override;

private:
    std::string m_text;
    size_t m_pos = 0;
};

}  // namespace orvane::hostprog
