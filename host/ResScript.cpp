#include "host/ResScript.h"

#include "host/ReferenceHost.h"

namespace orvane::host {

ResNode::ResNode(int32_t id, std::optional<std::string> name) : m_nID(id), m_name(std::move(name))
{
}

ResNode::~ResNode() = default;

int32_t ResNode::GetChildCount()
{
    return static_cast<int32_t>(m_children.size());
}

IResObject* ResNode::GetChild(int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_children.size())
        return nullptr;
    return m_children[static_cast<size_t>(index)].get();
}

IResObject* ResNode::GetChildByID(int32_t id)
{
    for (const auto& child : m_children) {
        if (child->m_nID == id)
            return child.get();
    }
    return nullptr;
}

const char* ResNode::GetAttr(const char* key)
{
    if (!key)
        return nullptr;
    for (const auto& [name, value] : m_attrs) {
        if (name == key)
            return value.c_str();
    }
    return nullptr;
}

void ResNode::SetAttr(std::string key, std::string value)
{
    for (auto& attr : m_attrs) {
        if (attr.first == key) {
            attr.second = std::move(value);
            return;
        }
    }
    m_attrs.emplace_back(std::move(key), std::move(value));
}

ResNode* ResNode::AddChild(std::unique_ptr<ResNode> child)
{
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

std::unique_ptr<ResNode> ResNode::Clone() const
{
    auto copy = std::make_unique<ResNode>(m_nID, m_name);
    copy->m_attrs = m_attrs;
    copy->m_children.reserve(m_children.size());
    for (const auto& child : m_children)
        copy->m_children.push_back(child->Clone());
    return copy;
}

ResScript::ResScript(ScriptLoader* owner, std::unique_ptr<ResNode> root)
    : m_pOwner(owner), m_root(std::move(root))
{
    // Index the objects once, in depth-first order; the first of an id wins.
    std::vector<ResNode*> pending;
    for (auto it = m_root->Children().rbegin(); it != m_root->Children().rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        ResNode* node = pending.back();
        pending.pop_back();
        m_entries.emplace(node->GetID(), node);
        for (auto it = node->Children().rbegin(); it != node->Children().rend(); ++it)
            pending.push_back(it->get());
    }
}

ResScript::~ResScript() = default;

IResObject* ResScript::GetEntry(int32_t id)
{
    auto it = m_entries.find(id);
    return it == m_entries.end() ? nullptr : it->second;
}

void ResScript::Release()
{
    m_pOwner->ReleaseScript(this);
}

}  // namespace orvane::host
