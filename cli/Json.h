#pragma once
#include <string>

namespace tagnomen::cli {

// A JSON string literal, quotes included.
std::string JsonString(const std::string& text);

}  // namespace tagnomen::cli
