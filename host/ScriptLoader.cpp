#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "host/Encoding.h"
#include "host/FileSystem.h"
#include "host/ReferenceHost.h"
#include "host/ResScript.h"
#include "host/ScriptParser.h"

namespace orvane::host {

namespace {

// Far beyond any real script; keeps a wrong path to a huge file from eating memory.
constexpr uint64_t kMaxScriptBytes = 16u * 1024u * 1024u;

// The module's paths are GBK with backslashes; the file system wants UTF-8
// with its own separators.
std::optional<std::string> FileSystemPath(const std::string& modulePath, std::string& reason)
{
    std::string text = modulePath;
#if !defined(_WIN32)
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    if (std::optional<std::string> utf8 = GbkToUtf8(text)) {
#if !defined(_WIN32)
        // A host that put UTF-8 into the work folder still finds its files.
        if (files::KindOf(*utf8) == files::PathKind::Missing && *utf8 != text &&
            files::KindOf(text) != files::PathKind::Missing)
            return text;
#endif
        return utf8;
    }
#if defined(_WIN32)
    reason = "the path is not valid GBK text";
    return std::nullopt;
#else
    (void)reason;
    return text;  // the bytes as they are
#endif
}

bool ReadScriptFile(const std::string& modulePath, std::string& contents, std::string& reason)
{
    const std::optional<std::string> path = FileSystemPath(modulePath, reason);
    if (!path)
        return false;
    const files::PathKind kind = files::KindOf(*path);
    if (kind == files::PathKind::Missing) {
        reason = "file not found";
        return false;
    }
    if (kind == files::PathKind::Folder) {
        reason = "the path names a folder, not a file";
        return false;
    }
    // A pipe or a device would keep the game waiting on it.
    if (kind != files::PathKind::File) {
        reason = "the path names no regular file";
        return false;
    }
    if (files::FileSize(*path).value_or(0) > kMaxScriptBytes) {
        reason = "the file is larger than 16 MiB";
        return false;
    }
    std::FILE* probe = files::Open(*path, "rb");
    if (probe == nullptr) {
        reason = "the file cannot be opened";
        return false;
    }
    std::fclose(probe);
    if (!files::ReadAll(*path, contents)) {
        reason = "the file cannot be read";
        return false;
    }
    return true;
}

// Reasons are UTF-8 (they may quote keys of the file); events carry GBK.
std::string ReasonAsGbk(const std::string& reason)
{
    if (std::optional<std::string> gbk = Utf8ToGbk(reason))
        return *gbk;
    std::string ascii = reason;
    std::replace_if(
        ascii.begin(), ascii.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; },
        '?');
    return ascii;
}

}  // namespace

ParsedScripts::ParsedScripts() = default;

ParsedScripts::~ParsedScripts() = default;

std::string ParsedScripts::Key(const std::string& path, const char* password)
{
    // A zero byte cannot occur in either text, so it keeps the two apart.
    std::string key = path;
    key += '\0';
    if (password)
        key += password;
    else
        key += '\1';  // no password is not the empty one
    return key;
}

std::unique_ptr<ResNode> ParsedScripts::Find(const std::string& path, const char* password) const
{
    const auto it = m_scripts.find(Key(path, password));
    return it == m_scripts.end() ? nullptr : it->second->Clone();
}

void ParsedScripts::Keep(const std::string& path, const char* password, const ResNode& root)
{
    m_scripts.insert_or_assign(Key(path, password), root.Clone());
}

ScriptLoader::ScriptLoader(EventHub& hub) : m_hub(hub) {}

ScriptLoader::~ScriptLoader() = default;

IResScript* ScriptLoader::LoadScript(const char* path, int32_t /*flags*/, const char* password)
{
    try {
        if (!path || !*path)
            return Fail(path, "no path given");
        std::unique_ptr<ResNode> root = m_pMemo ? m_pMemo->Find(path, password) : nullptr;
        if (!root) {
            std::string contents;
            std::string reason;
            if (!ReadScriptFile(path, contents, reason))
                return Fail(path, reason);
            root = ParseScriptText(contents, password, reason);
            if (!root)
                return Fail(path, reason);
            if (m_pMemo)
                m_pMemo->Keep(path, password, *root);
        }
        m_scripts.push_back(std::make_unique<ResScript>(this, std::move(root)));
        return m_scripts.back().get();
    } catch (const std::exception& e) {
        return Fail(path, std::string("the loader failed: ") + e.what());
    } catch (...) {
        return Fail(path, "the loader failed");
    }
}

IResScript* ScriptLoader::Fail(const char* path, const std::string& reason)
{
    // The module is told nothing but null; the host's listener gets the story.
    try {
        HostEvent ev{};
        ev.kind = HostEvent::Kind::LoadFailed;
        ev.text = std::string("cannot load script \"") + (path ? path : "") +
                  "\": " + ReasonAsGbk(reason);
        m_hub.Emit(ev);
    } catch (...) {
    }
    return nullptr;
}

size_t ScriptLoader::LiveScripts() const
{
    return m_scripts.size();
}

void ScriptLoader::ReleaseScript(ResScript* script)
{
    std::erase_if(m_scripts,
                  [&](const std::unique_ptr<ResScript>& s) { return s.get() == script; });
}

}  // namespace orvane::host
