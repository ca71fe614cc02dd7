// Typing into the task log's note box, which the toolkit stand-in has no
// keyboard input for: a click in the box starts it, Esc or a click anywhere
// else ends it. Text arrives as UTF-8 and goes into the box as GBK, the way a
// game client's edit box would hand it over; the box keeps its byte limit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class XWindow;

namespace orvane::view {

// The last character of GBK text removed (a double-byte one whole).
std::string WithoutLastGbkCharacter(std::string_view gbk);

class NoteTyping {
public:
    // The note box when it is what the player sees at (x, y).
    static XWindow* NoteAt(int32_t x, int32_t y);

    bool Active() const { return m_active && Note() != nullptr; }
    void Start() { m_active = true; }
    void Stop() { m_active = false; }

    // Each edits the box and returns what to tell the person, if anything.
    std::string Type(std::string_view utf8);
    void NewLine();
    void Backspace();
    // The box's text as UTF-8, for the transcript.
    std::string Text() const;

private:
    static XWindow* Note();
    void Set(const std::string& gbk);

    bool m_active = false;
};

}  // namespace orvane::view
