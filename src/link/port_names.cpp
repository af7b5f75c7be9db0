#include "port_names.h"

#ifdef _WIN32

std::string PortDeviceName(int portNumber)
{
    if (portNumber < 1 || portNumber > 255)
        return {};
    return "\\\\?\\COM" + std::to_string(portNumber);
}

#else

#include <cstdlib>
#include <sys/stat.h>

std::string PortFolder()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome)
        return std::string(configHome) + "/QOR/ports";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/QOR/ports";
}

namespace {

std::string FixedDeviceName(int portNumber)
{
    struct Range {
        int first;
        const char* prefix;
    };
    static constexpr Range ranges[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
    for (const Range& range : ranges)
        if (portNumber >= range.first && portNumber < range.first + 32)
            return range.prefix + std::to_string(portNumber - range.first);
    return {};
}

}  // namespace

std::string PortDeviceName(int portNumber)
{
    if (portNumber < 1 || portNumber > 255)
        return {};
    const std::string entry = PortFolder() + "/COM" + std::to_string(portNumber);
    struct stat info { };
    if (lstat(entry.c_str(), &info) == 0)
        return entry;
    return FixedDeviceName(portNumber);
}

#endif
