#include "port_alias.h"

#include <system_error>

#include "cli_error.h"
#include "port_names.h"

namespace cli {

namespace {

constexpr int kFirstAliasPort = 101;
constexpr int kLastAliasPort = 255;

}  // namespace

PortAlias::PortAlias(const std::filesystem::path& device)
{
    const std::filesystem::path folder = PortFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path target = std::filesystem::absolute(device, error);
    for (int port = kFirstAliasPort; port <= kLastAliasPort; ++port) {
        const std::filesystem::path entry = folder / ("COM" + std::to_string(port));
        // Creating the link fails when the entry exists, so two processes never share one.
        std::filesystem::create_symlink(target, entry, error);
        if (!error) {
            entry_ = entry;
            portNumber_ = static_cast<uint8_t>(port);
            return;
        }
        if (error != std::errc::file_exists)
            break;
    }
    FailLink("could not open " + device.string() + ": no free port entry in " + folder.string());
}

PortAlias::~PortAlias()
{
    std::error_code ignored;
    std::filesystem::remove(entry_, ignored);
}

}  // namespace cli
