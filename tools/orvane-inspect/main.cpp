// orvane-inspect: what the module makes of a message 87 (NPC talk) or 91
// (task log), field by field, and what it then does. See
// docs/message-reports.md.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/hostlib/Scenario.h"
#include "tools/hostlib/Stdio.h"
#include "tools/hostlib/StreamLimits.h"
#include "tools/orvane-inspect/MessageReport.h"
#include "tools/orvane-inspect/TreeText.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <shellapi.h>
#include <windows.h>
#endif

namespace {

using namespace orvane::inspect;
using orvane::hostprog::SetBinaryStdio;

constexpr int kAccepted = 0;
constexpr int kLost = 1;
constexpr int kUnreadable = 2;

const char kUsage[] =
    "usage: orvane-inspect [--json] [--game DIR] --msg 87|91 [HEX ...]\n"
    "       orvane-inspect [--json] [--game DIR] --msg 87|91 --file MESSAGE.bin\n"
    "       orvane-inspect [--json] [--game DIR] --scenario SCENARIO.jsonl\n"
    "       orvane-inspect --encode ['{\"op\": \"talk\", ...}']\n"
    "Hex comes from the arguments, or from standard input when none is given.\n"
    "Exit status: 0 everything accepted as sent, 1 something rejected, skipped or\n"
    "lost, 2 the input cannot be read.\n";

struct Args {
    bool json = false;
    bool encode = false;
    int32_t msg = 0;
    std::string game;
    std::string file;
    std::string scenario;
    std::vector<std::string> rest;
};

int Unreadable(const std::string& why)
{
    std::cerr << "orvane-inspect: " << why << "\n";
    return kUnreadable;
}

// The arguments in UTF-8. Windows hands main its arguments in the ANSI code
// page, which cannot hold the Chinese of an --encode op.
std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
#if defined(_WIN32)
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i) {
            const int n =
                WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(n > 0 ? static_cast<size_t>(n) : 1, '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
            arg.resize(arg.size() - 1);
            out.push_back(std::move(arg));
        }
        LocalFree(wide);
        return out;
    }
#endif
    return std::vector<std::string>(argv, argv + argc);
}

std::optional<Args> ParseArgs(const std::vector<std::string>& argv, std::string& reason)
{
    Args a;
    const int argc = static_cast<int>(argv.size());
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[static_cast<size_t>(i)];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) {
                reason = arg + " needs a value";
                return std::nullopt;
            }
            return argv[static_cast<size_t>(++i)];
        };
        if (arg == "--json") {
            a.json = true;
        } else if (arg == "--encode") {
            a.encode = true;
        } else if (arg == "--msg" || arg == "--game" || arg == "--file" || arg == "--scenario") {
            const std::optional<std::string> v = value();
            if (!v)
                return std::nullopt;
            if (arg == "--msg") {
                if (*v != "87" && *v != "91") {
                    reason = "--msg takes 87 or 91, not " + *v;
                    return std::nullopt;
                }
                a.msg = std::stoi(*v);
            } else {
                (arg == "--game" ? a.game : arg == "--file" ? a.file : a.scenario) = *v;
            }
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            std::exit(0);
        } else if (arg.size() > 1 && arg[0] == '-' && arg.substr(0, 2) == "--") {
            reason = "unknown option " + arg;
            return std::nullopt;
        } else {
            a.rest.push_back(arg);
        }
    }
    return a;
}

std::filesystem::path PathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

int Encode(const Args& a)
{
    std::string text;
    if (!a.rest.empty()) {
        for (const std::string& r : a.rest)
            text += r + " ";
    } else {
        std::string why;
        if (!orvane::hostprog::ReadLimitedStream(std::cin, orvane::hostprog::kMaxInputBytes, text,
                                                 why))
            return Unreadable("standard input: " + why);
    }
    const orvane::hostprog::LineResult r = orvane::hostprog::ReadScenarioLine(text, 1);
    if (r.kind == orvane::hostprog::LineResult::Kind::Error)
        return Unreadable("the message cannot be laid out: " + r.text);
    if (r.kind != orvane::hostprog::LineResult::Kind::Op ||
        (r.op.kind != orvane::hostprog::OpKind::Talk &&
         r.op.kind != orvane::hostprog::OpKind::TaskLog &&
         r.op.kind != orvane::hostprog::OpKind::Server))
        return Unreadable("--encode takes one talk, tasklog or server op");
    std::cout << orvane::hostprog::ToHex(r.op.bytes) << "\n";
    return kAccepted;
}

std::optional<std::vector<uint8_t>> RawBytes(const Args& a, std::string& reason)
{
    using orvane::hostprog::kMaxInputBytes;
    std::string why;
    if (!a.file.empty()) {
        std::string bytes;
        if (!orvane::hostprog::ReadLimitedFile(PathOf(a.file), kMaxInputBytes, bytes, why)) {
            reason = a.file + ": " + why;
            return std::nullopt;
        }
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    std::string hex;
    const bool fromArgs = !a.rest.empty();
    if (fromArgs) {
        for (const std::string& r : a.rest)
            hex += r;
    } else if (!orvane::hostprog::ReadLimitedStream(std::cin, kMaxInputBytes, hex, why)) {
        reason = "standard input: " + why;
        return std::nullopt;
    }
    for (char& c : hex)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    std::optional<std::vector<uint8_t>> bytes = orvane::hostprog::ParseHex(hex, why);
    if (!bytes)
        reason = std::string(fromArgs ? "the hex arguments" : "standard input") + ": " + why;
    return bytes;
}

void Print(const Json& report, bool json)
{
    if (json)
        std::cout << report.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    else
        WriteReportText(std::cout, report);
}

}  // namespace

int main(int argc, char** argv)
{
    SetBinaryStdio();
    std::string reason;
    const std::optional<Args> a = ParseArgs(Utf8Arguments(argc, argv), reason);
    if (!a) {
        std::cerr << kUsage;
        return Unreadable(reason);
    }
    if (a->encode)
        return Encode(*a);
    if (a->scenario.empty() && a->msg == 0)
        return Unreadable("raw input needs --msg 87 or --msg 91");

    Inspector inspector;
    if (!inspector.Start(a->game, reason))
        return Unreadable(reason);
    if (a->scenario.empty()) {
        const std::optional<std::vector<uint8_t>> bytes = RawBytes(*a, reason);
        if (!bytes)
            return Unreadable(reason);
        const Json report = ReportOnMessage(inspector, a->msg, *bytes);
        Print(report, a->json);
        return AcceptedAsSent(report) ? kAccepted : kLost;
    }

    std::ifstream in(PathOf(a->scenario), std::ios::binary);
    if (!in || std::filesystem::is_directory(PathOf(a->scenario)))
        return Unreadable(a->scenario + ": the scenario cannot be read");
    std::vector<Json> reports;
    std::string error;
    if (!ReportOnScenario(inspector, in, a->scenario, reports, error))
        return Unreadable(error);
    bool all = true;
    if (a->json) {
        Json doc;
        doc["scenario"] = a->scenario;
        doc["messages"] = reports;
        std::cout << doc.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    }
    for (const Json& report : reports) {
        all = all && AcceptedAsSent(report);
        if (!a->json) {
            WriteReportText(std::cout, report);
            std::cout << "\n";
        }
    }
    return all ? kAccepted : kLost;
}
