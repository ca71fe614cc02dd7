// A node of a loaded resource script: a window description or a task entry.
// Resource objects belong to their script and live until it is released.
#pragma once

#include <cstdint>

class IResObject {
public:
    virtual int32_t GetChildCount() = 0;
    // Null when index is out of range.
    virtual IResObject* GetChild(int32_t index) = 0;
    // The first direct child with that id, or null.
    virtual IResObject* GetChildByID(int32_t id) = 0;
    virtual int32_t GetID() = 0;
    // The object's name, or null when it has none.
    virtual const char* GetName() = 0;
    // The attribute's text, or null when the object has no such attribute.
    virtual const char* GetAttr(const char* key) = 0;

protected:
    ~IResObject() = default;
};
