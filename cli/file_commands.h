#pragma once

#include <string>
#include <string_view>

#include "session.h"

namespace cli {

// Saves the set into the sensor's backup folder and returns the path of the file written;
// a backup that cannot be written fails the command (exit 1) before anything is sent.
std::string BackUp(const TSSICom::ParameterStruct& set, std::string_view comment);

// The JSON member "name": "path".
std::string PathMember(std::string_view name, const std::string& path);

// save FILE [--comment TEXT]: the sensor's whole set into a parameter file.
void RunSave(Session& session, Arguments arguments);
// show FILE: what a parameter file holds, without a sensor.
void RunShow(Session& session, Arguments arguments);
// diff FILE: the stored values in which the sensor and the file differ.
void RunDiff(Session& session, Arguments arguments);
// load FILE [--yes]: the file's set into the sensor, as the window's open does, after a backup.
void RunLoad(Session& session, Arguments arguments);

}  // namespace cli
