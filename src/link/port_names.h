#pragma once

#include <string>

// The device that stands for COM port n on this platform; empty when n names none.
// Windows: \\?\COM<n>. Elsewhere: the entry COM<n> of the port folder if it exists,
// else 1-32 /dev/ttyS0-31, 33-64 /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31.
std::string PortDeviceName(int portNumber);

#ifndef _WIN32
// $XDG_CONFIG_HOME/QOR/ports, or ~/.config/QOR/ports.
std::string PortFolder();
#endif
