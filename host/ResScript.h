// A loaded resource script as the module sees it: a tree of objects with ids,
// optional names and text attributes. Every text is GBK.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "client/HostInterfaces.h"

namespace orvane::host {

class ScriptLoader;

// One object of a script. Owns its children; lives as long as its script.
class ResNode final : public IResObject {
public:
    ResNode(int32_t id, std::optional<std::string> name);
    ~ResNode();
    ResNode(const ResNode&) = delete;
    ResNode& operator=(const ResNode&) = delete;

    int32_t GetChildCount() override;
    IResObject* GetChild(int32_t index) override;
    IResObject* GetChildByID(int32_t id) override;
    int32_t GetID() override { return m_nID; }
    const char* GetName() override { return m_name ? m_name->c_str() : nullptr; }
    const char* GetAttr(const char* key) override;

    // A later value for a key already set replaces the earlier one.
    void SetAttr(std::string key, std::string value);
    ResNode* AddChild(std::unique_ptr<ResNode> child);
    const std::vector<std::unique_ptr<ResNode>>& Children() const { return m_children; }
    // A deep copy: same ids, names, attributes and children, in order.
    std::unique_ptr<ResNode> Clone() const;

private:
    int32_t m_nID;
    std::optional<std::string> m_name;
    std::vector<std::pair<std::string, std::string>> m_attrs;
    std::vector<std::unique_ptr<ResNode>> m_children;
};

// A script: its root (id 0, no name) holds the file's top-level objects.
class ResScript final : public IResScript {
public:
    ResScript(ScriptLoader* owner, std::unique_ptr<ResNode> root);
    ~ResScript();
    ResScript(const ResScript&) = delete;
    ResScript& operator=(const ResScript&) = delete;

    IResObject* GetRoot() override { return m_root.get(); }
    // The first object with that id in depth-first order below the root.
    IResObject* GetEntry(int32_t id) override;
    // Hands the script back to its loader, which frees it: the script and its
    // objects are gone when this returns.
    void Release() override;

private:
    ScriptLoader* m_pOwner;
    std::unique_ptr<ResNode> m_root;
    std::map<int32_t, ResNode*> m_entries;
};

}  // namespace orvane::host
