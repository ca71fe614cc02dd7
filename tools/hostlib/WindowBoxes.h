// A window event drawn as boxes of text for the readable transcript.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orvane::hostprog {

std::vector<std::string> WindowBoxLines(const nlohmann::ordered_json& window);

}  // namespace orvane::hostprog
