// Shared pieces of the toolkit's tests: a fixture that clears the desktop,
// a resource description built in memory, and a connection that runs a
// function.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Panelkit.h"

class PanelkitTest : public ::testing::Test {
protected:
    void SetUp() override { XDesktop::Reset(); }
    void TearDown() override { XDesktop::Reset(); }
    XDesktop* Desktop() { return XDesktop::GetInstance(); }
};

// A window description held in memory.
class FakeRes : public IResObject {
public:
    FakeRes(int32_t id, std::map<std::string, std::string> attrs)
        : m_id(id), m_attrs(std::move(attrs))
    {
    }
    virtual ~FakeRes() = default;

    FakeRes* Add(int32_t id, std::map<std::string, std::string> attrs)
    {
        m_children.push_back(std::make_unique<FakeRes>(id, std::move(attrs)));
        return m_children.back().get();
    }

    int32_t GetChildCount() override { return static_cast<int32_t>(m_children.size()); }
    IResObject* GetChild(int32_t index) override
    {
        if (index < 0 || index >= GetChildCount())
            return nullptr;
        return m_children[static_cast<size_t>(index)].get();
    }
    IResObject* GetChildByID(int32_t id) override
    {
        for (auto& child : m_children) {
            if (child->GetID() == id)
                return child.get();
        }
        return nullptr;
    }
    int32_t GetID() override { return m_id; }
    const char* GetName() override { return nullptr; }
    const char* GetAttr(const char* key) override
    {
        auto found = m_attrs.find(key);
        return found == m_attrs.end() ? nullptr : found->second.c_str();
    }

private:
    int32_t m_id;
    std::map<std::string, std::string> m_attrs;
    std::vector<std::unique_ptr<FakeRes>> m_children;
};

// Runs a function on emit; counts how often the signal freed it.
class FnConnection : public BasicConnection0 {
public:
    explicit FnConnection(std::function<void()> fn, int* destroyed = nullptr)
        : m_fn(std::move(fn)), m_destroyed(destroyed)
    {
    }
    void* GetTarget() override { return nullptr; }
    void Destroy() override
    {
        if (m_destroyed != nullptr)
            ++*m_destroyed;
        delete this;
    }
    void Emit() override { m_fn(); }

private:
    std::function<void()> m_fn;
    int* m_destroyed;
};

inline RECT Rect(int32_t l, int32_t t, int32_t r, int32_t b)
{
    return RECT{l, t, r, b};
}

inline POINT Pt(int32_t x, int32_t y)
{
    return POINT{x, y};
}

inline RECT RectOf(XWindow* wnd)
{
    RECT rc{};
    wnd->GetWindowRect(rc);
    return rc;
}

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& rc)
{
    return out << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
}

// A window placed at rc and added as a child of parent (or to the desktop).
template <class T>
T* Place(XWindow* parent, RECT rc)
{
    T* wnd = new T(parent);
    if (parent == XDesktop::GetInstance())
        XDesktop::GetInstance()->AddWindow(wnd);
    else
        parent->AddChild(wnd);
    wnd->SetWindowPos(rc);
    return wnd;
}
