#include "tools/hostlib/HostRun.h"

#include "host/FileSystem.h"

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
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool HostRun::Start(Transcript& transcript, TextSink& out, const char* argv0)
{
    const bool fromStdin = m_options.scenario == "-";
    const std::string name = fromStdin ? "standard input" : m_options.scenario;
    if (!fromStdin) {
        if (host::files::KindOf(m_options.scenario) == host::files::PathKind::Folder) {
            ReportFault(m_program, &transcript, name, 0, "the scenario is a folder, not a file");
            return false;
        }
        m_file = host::files::Open(m_options.scenario, "rb");
        if (m_file == nullptr) {
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
    info.gameDir = m_folders.game;
    info.scenario = name;
    info.removedAtExit = m_folders.temporary && !m_folders.keep;
    transcript.Begin(info);
    m_session = std::make_unique<Session>(transcript, m_folders.workGbk, m_folders.workUtf8,
                                          m_options.without);
    m_session->SetPictureOptions({m_options.frames, m_options.snapshotDir});
    m_lines = std::make_unique<FileLineIn>(fromStdin ? stdin : m_file);
    m_player =
        std::make_unique<ScenarioPlayer>(*m_lines, name, m_program, transcript, *m_session, out);
    return true;
}

}  // namespace orvane::hostprog
