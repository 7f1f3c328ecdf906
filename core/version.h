#pragma once

namespace kamerol {

inline constexpr const char* kProgramName = "Kamerol";
inline constexpr const char* kVersion = "2.5.0";

}  // namespace kamerol
