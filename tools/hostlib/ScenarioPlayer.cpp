#include "tools/hostlib/ScenarioPlayer.h"

#include <cstdio>

#include "tools/hostlib/InputLimits.h"

namespace orvane::hostprog {

int ReportFault(const std::string& program, Transcript* transcript, const std::string& where,
                int line, const std::string& text)
{
    if (transcript != nullptr) {
        transcript->Error(line, text);
        transcript->Flush();
    }
    std::fflush(stdout);
    std::string message = program + ": ";
    if (!where.empty())
        message += where + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
    message += text + "\n";
    std::fputs(message.c_str(), stderr);
    return kBadInput;
}

OpSide SideOf(OpKind kind)
{
    switch (kind) {
        case OpKind::ClickLink:
        case OpKind::Click:
        case OpKind::ClickTask:
        case OpKind::Key:
        case OpKind::Confirm:
        case OpKind::Note:
        case OpKind::Drag:
        case OpKind::Wheel:
        case OpKind::Hover:
            return OpSide::Player;
        case OpKind::Advance:
            return OpSide::Clock;
        case OpKind::Dump:
        case OpKind::File:
        case OpKind::Snapshot:
            return OpSide::Look;
        default:
            return OpSide::World;
    }
}

ScenarioPlayer::ScenarioPlayer(LineIn& in, std::string name, std::string program,
                               Transcript& transcript, Session& session, TextSink& out)
    : m_in(in),
      m_name(std::move(name)),
      m_program(std::move(program)),
      m_transcript(transcript),
      m_session(session),
      m_out(out)
{
}

int ScenarioPlayer::Fail(int line, const std::string& text)
{
    m_ended = true;
    m_next.reset();
    m_status = ReportFault(m_program, &m_transcript, m_name, line, text);
    return m_status;
}

const Op* ScenarioPlayer::Peek()
{
    return PeekWithin(0);
}

const Op* ScenarioPlayer::PeekWithin(int last)
{
    std::string line;
    while (!m_next && !m_ended && (last <= 0 || m_number < last)) {
        if (!m_in.ReadLine(line)) {
            if (m_in.TooLong())
                return Fail(m_number + 1, LineTooLongText()), nullptr;
            if (m_in.Failed())
                return Fail(m_number + 1, "the scenario cannot be read further"), nullptr;
            m_ended = true;
            m_transcript.Flush();
            break;
        }
        ++m_number;
        LineResult read = ReadScenarioLine(line, m_number);
        switch (read.kind) {
            case LineResult::Kind::Blank:
                m_transcript.Blank();
                break;
            case LineResult::Kind::Comment:
                m_transcript.Comment(read.text);
                break;
            case LineResult::Kind::Error:
                Fail(m_number, read.text);
                break;
            case LineResult::Kind::Op:
                m_next = std::move(read.op);
                break;
        }
    }
    return m_next ? &*m_next : nullptr;
}

int ScenarioPlayer::RunNext()
{
    if (Peek() == nullptr)
        return m_status;
    const Op op = std::move(*m_next);
    m_next.reset();
    m_transcript.OpStart(op);
    try {
        m_session.Run(op);
        m_session.SnapshotIfChanged(op.line);
    } catch (const LineFault& fault) {
        return Fail(op.line, fault.text);
    } catch (const std::exception& e) {
        return Fail(op.line, std::string("the op failed: ") + e.what());
    }
    m_transcript.Flush();
    if (!m_out.Good()) {
        std::fputs((m_program + ": the transcript cannot be written any more\n").c_str(), stderr);
        m_ended = true;
        m_status = 1;
    }
    return m_status;
}

void ScenarioPlayer::SkipNext(const std::string& why)
{
    if (Peek() == nullptr)
        return;
    m_transcript.Aside("line " + std::to_string(m_next->line) + ": " + m_next->summary + " (" +
                       why + ")");
    m_next.reset();
    m_transcript.Flush();
}

int ScenarioPlayer::GoOn()
{
    while (const Op* op = Peek()) {
        const OpSide side = SideOf(op->kind);
        if (side == OpSide::World)
            break;
        SkipNext(side == OpSide::Look ? "left out" : "left to you");
    }
    while (const Op* op = Peek()) {
        if (SideOf(op->kind) == OpSide::Player || RunNext() != 0)
            break;
    }
    return m_status;
}

int ScenarioPlayer::PlayTo(int last)
{
    // No line after the last is read: it may not even be a scenario line.
    while (PeekWithin(last) != nullptr) {
        if (RunNext() != 0)
            break;
    }
    return m_status;
}

}  // namespace orvane::hostprog
