#pragma once

// The program's name and version, as the about window shows it and parameter files carry it.
inline constexpr const char* ProgramVersionText = "SSI-Tesmira 5.3.10";
