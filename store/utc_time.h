#pragma once
#include <chrono>
#include <string>

namespace zm48d::store {

// "2026-12-07T14:05:33Z": the moment, in UTC, to the second.
std::string UtcText(std::chrono::system_clock::time_point moment);

}  // namespace zm48d::store
