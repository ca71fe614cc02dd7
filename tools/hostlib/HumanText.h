// Small helpers for the readable transcript: showing texts on one line and
// lining up boxes that hold Chinese (two columns a character).
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orvane::hostprog {

// Control characters written as \r, \n, \t or \xNN, so a text stays on one line.
std::string Escaped(const std::string& utf8);
// A transcript text (string or {"hex": ...}) for one line; null as "(null)".
std::string Shown(const nlohmann::ordered_json& text);
// The same in quotes; a text that is not GBK stays unquoted.
std::string Quoted(const nlohmann::ordered_json& text);
// The text split at its line breaks (\r\n, \n or \r), each part escaped.
std::vector<std::string> ShownLines(const nlohmann::ordered_json& text);
// Terminal columns the UTF-8 text takes: East Asian wide characters take two.
size_t DisplayWidth(const std::string& utf8);
// A box of text: a title in the top border, then the lines, padded.
std::vector<std::string> Box(const std::string& title, const std::vector<std::string>& lines);

}  // namespace orvane::hostprog
