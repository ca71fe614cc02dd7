#include "tools/hostlib/WindowBoxes.h"

#include "tools/hostlib/HumanText.h"
#include "tools/hostlib/ModuleWindows.h"

namespace orvane::hostprog {

namespace {

using Json = nlohmann::ordered_json;

std::string RectText(const Json& rect)
{
    if (!rect.is_array() || rect.size() != 4)
        return "?";
    return "(" + rect[0].dump() + "," + rect[1].dump() + ")-(" + rect[2].dump() + "," +
           rect[3].dump() + ")";
}

std::string State(const Json& part)
{
    return std::string(part.value("visible", false) ? "shown" : "hidden") + " at " +
           RectText(part["rect"]);
}

// Text lines as the control holds them, one row each (a line break inside
// a line shows as \n): a link line shows its number first, which is what
// click-link takes.
void AddTextLines(const Json& lines, const std::string& indent, std::vector<std::string>& out)
{
    if (!lines.is_array() || lines.empty()) {
        out.push_back(indent + "(no lines)");
        return;
    }
    for (const Json& line : lines) {
        const int64_t link = line.value("link", int64_t{0});
        const std::string prefix = link != 0 ? "[link " + std::to_string(link) + "] " : "";
        out.push_back(indent + prefix + Shown(line["text"]));
    }
}

void AddButtons(const Json& buttons, std::vector<std::string>& out)
{
    if (!buttons.is_array() || buttons.empty()) {
        out.push_back("task buttons: none yet (they come with the first task list)");
        return;
    }
    out.push_back("task buttons:");
    size_t i = 0;
    while (i < buttons.size()) {
        const Json& b = buttons[i];
        const bool empty = b["caption"].is_string() && b["caption"].get<std::string>().empty();
        if (empty && !b.value("visible", false)) {
            // A run of hidden, empty buttons takes one line.
            size_t j = i;
            while (j + 1 < buttons.size() && !buttons[j + 1].value("visible", false) &&
                   buttons[j + 1]["caption"] == "")
                ++j;
            out.push_back("  " + std::to_string(i) + (j > i ? "-" + std::to_string(j) : "") +
                          "  hidden, no caption");
            i = j + 1;
            continue;
        }
        out.push_back("  " + std::to_string(i) + "  " + Quoted(b["caption"]) + "  " + State(b));
        ++i;
    }
}

}  // namespace

std::vector<std::string> WindowBoxLines(const Json& w)
{
    const int id = w.value("id", 0);
    const std::string title =
        "window " + std::to_string(id) + ", " + WindowRoleName(id) + ": " + State(w);
    std::vector<std::string> lines;
    if (id == 172) {
        AddButtons(w["buttons"], lines);
        lines.push_back("story:");
        AddTextLines(w["story"], "  ", lines);
        bool first = true;
        for (const std::string& part : ShownLines(w["note"])) {
            lines.push_back((first ? "note: " : "      ") + part);
            first = false;
        }
        return Box(title, lines);
    }
    AddTextLines(w["lines"], "", lines);
    // The task panel sits above its talk window on the screen, so it is drawn first.
    std::vector<std::string> out;
    if (w.contains("panel")) {
        const Json& panel = w["panel"];
        if (panel.is_null()) {
            out.push_back("(no task panel)");
        } else {
            for (const std::string& line :
                 Box("task panel of window 163: " + State(panel), ShownLines(panel["text"])))
                out.push_back(line);
        }
    }
    for (const std::string& line : Box(title, lines))
        out.push_back(line);
    return out;
}

}  // namespace orvane::hostprog
