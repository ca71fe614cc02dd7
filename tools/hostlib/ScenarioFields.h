// Typed access to the keys of one scenario op, with the faults worded for the
// person who wrote the scenario. Every accessor throws LineFault.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

namespace orvane::hostprog {

struct LineFault {
    std::string text;
};

// "a string", "an array", "a number with a fraction", ...
std::string DescribeType(const nlohmann::json& value);
// A value checked to be an integer within [min, max]; what names it in faults.
int64_t IntegerValue(const nlohmann::json& value, const std::string& what, int64_t min,
                     int64_t max);
// A scenario text (UTF-8) as the module takes it (GBK).
std::string GbkText(const nlohmann::json& value, const std::string& what);

class OpFields {
public:
    OpFields(const nlohmann::json& object, std::string op);

    // Refuses any key other than "op" and these (a misspelt key would
    // otherwise be silently ignored).
    void AllowOnly(std::initializer_list<const char*> keys) const;
    bool Has(const char* key) const;
    const nlohmann::json& Get(const char* key) const;  // must be present
    int64_t Int(const char* key, int64_t min, int64_t max) const;
    int32_t Int32(const char* key) const;
    const nlohmann::json& Array(const char* key) const;
    std::string String(const char* key) const;  // UTF-8 as written
    std::string Gbk(const char* key) const;
    // "key" as used in faults: op "advance", key "ms".
    std::string Name(const char* key) const;

private:
    const nlohmann::json& m_object;
    std::string m_op;
};

}  // namespace orvane::hostprog
