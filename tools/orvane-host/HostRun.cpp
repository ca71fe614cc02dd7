#include "tools/orvane-host/HostRun.h"

#include <filesystem>
#include <iostream>

namespace orvane::hostprog {

HostRun::HostRun(std::string program, Options options)
    : m_program(std::move(program)), m_options(std::move(options))
{
}

HostRun::~HostRun()
{
    // The session goes before the work folder it uses.
    m_player.reset();
    m_session.reset();
}

bool HostRun::Start(Transcript& transcript, std::ostream& out, const char* argv0)
{
    const bool fromStdin = m_options.scenario == "-";
    const std::string name = fromStdin ? "standard input" : m_options.scenario;
    if (!fromStdin) {
        std::error_code ec;
        const std::filesystem::path path(
            std::u8string(m_options.scenario.begin(), m_options.scenario.end()));
        if (std::filesystem::is_directory(path, ec)) {
            ReportFault(m_program, &transcript, name, 0, "the scenario is a folder, not a file");
            return false;
        }
        m_file.open(path, std::ios::binary);
        if (!m_file) {
            ReportFault(m_program, &transcript, name, 0, "the scenario file cannot be read");
            return false;
        }
    }
    std::string reason;
    if (!m_folders.Prepare(m_options, argv0, reason)) {
        ReportFault(m_program, &transcript, "", 0, reason);
        return false;
    }
    RunInfo info;
    info.program = m_program;
    info.workDir = m_folders.workUtf8;
    const std::u8string game = m_folders.game.u8string();
    info.gameDir = std::string(game.begin(), game.end());
    info.scenario = name;
    info.removedAtExit = m_folders.temporary && !m_folders.keep;
    transcript.Begin(info);
    m_session = std::make_unique<Session>(transcript, m_folders.workGbk, m_folders.workUtf8,
                                          m_options.without);
    m_session->SetPictureOptions({m_options.frames, m_options.snapshotDir});
    m_player = std::make_unique<ScenarioPlayer>(fromStdin ? std::cin : m_file, name, m_program,
                                                transcript, *m_session, out);
    return true;
}

}  // namespace orvane::hostprog
