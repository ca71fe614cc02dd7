#include "tools/hostlib/ScenarioFields.h"

#include <limits>

#include "host/Encoding.h"

namespace orvane::hostprog {

std::string DescribeType(const nlohmann::json& value)
{
    switch (value.type()) {
        case nlohmann::json::value_t::null:
            return "null";
        case nlohmann::json::value_t::boolean:
            return "a boolean";
        case nlohmann::json::value_t::string:
            return "a string";
        case nlohmann::json::value_t::array:
            return "an array";
        case nlohmann::json::value_t::object:
            return "an object";
        case nlohmann::json::value_t::number_float:
            return "a number with a fraction";
        case nlohmann::json::value_t::number_integer:
        case nlohmann::json::value_t::number_unsigned:
            return "an integer";
        default:
            return "an unusable value";
    }
}

int64_t IntegerValue(const nlohmann::json& value, const std::string& what, int64_t min, int64_t max)
{
    if (!value.is_number_integer())
        throw LineFault{what + " must be an integer, not " + DescribeType(value)};
    const std::string range =
        " must be between " + std::to_string(min) + " and " + std::to_string(max);
    if (value.is_number_unsigned()) {
        const auto u = value.get<uint64_t>();
        if (u > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) ||
            static_cast<int64_t>(u) > max)
            throw LineFault{what + range + " (it is " + std::to_string(u) + ")"};
        return static_cast<int64_t>(u);
    }
    const auto v = value.get<int64_t>();
    if (v < min || v > max)
        throw LineFault{what + range + " (it is " + std::to_string(v) + ")"};
    return v;
}

std::string GbkText(const nlohmann::json& value, const std::string& what)
{
    if (!value.is_string())
        throw LineFault{what + " must be a string, not " + DescribeType(value)};
    const auto& utf8 = value.get_ref<const std::string&>();
    std::optional<std::string> gbk = host::Utf8ToGbk(utf8);
    if (!gbk)
        throw LineFault{what + " holds a character that GBK (code page 936) cannot represent"};
    return *gbk;
}

OpFields::OpFields(const nlohmann::json& object, std::string op)
    : m_object(object), m_op(std::move(op))
{
}

void OpFields::AllowOnly(std::initializer_list<const char*> keys) const
{
    for (const auto& item : m_object.items()) {
        if (item.key() == "op")
            continue;
        bool known = false;
        for (const char* k : keys)
            known = known || item.key() == k;
        if (known)
            continue;
        std::string list;
        for (const char* k : keys)
            list += std::string(list.empty() ? "" : ", ") + "\"" + k + "\"";
        throw LineFault{
            "op \"" + m_op + "\" has no key \"" + item.key() + "\"" +
            (list.empty() ? std::string(" (it takes no keys)") : " (its keys: " + list + ")")};
    }
}

bool OpFields::Has(const char* key) const
{
    return m_object.contains(key);
}

const nlohmann::json& OpFields::Get(const char* key) const
{
    auto it = m_object.find(key);
    if (it == m_object.end())
        throw LineFault{"op \"" + m_op + "\" needs the key \"" + key + "\""};
    return *it;
}

int64_t OpFields::Int(const char* key, int64_t min, int64_t max) const
{
    return IntegerValue(Get(key), Name(key), min, max);
}

int32_t OpFields::Int32(const char* key) const
{
    return static_cast<int32_t>(
        Int(key, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

const nlohmann::json& OpFields::Array(const char* key) const
{
    const nlohmann::json& value = Get(key);
    if (!value.is_array())
        throw LineFault{Name(key) + " must be an array, not " + DescribeType(value)};
    return value;
}

std::string OpFields::String(const char* key) const
{
    const nlohmann::json& value = Get(key);
    if (!value.is_string())
        throw LineFault{Name(key) + " must be a string, not " + DescribeType(value)};
    return value.get<std::string>();
}

std::string OpFields::Gbk(const char* key) const
{
    return GbkText(Get(key), Name(key));
}

std::string OpFields::Name(const char* key) const
{
    return "\"" + std::string(key) + "\"";
}

}  // namespace orvane::hostprog
