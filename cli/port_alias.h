#pragma once

#include <cstdint>
#include <filesystem>

namespace cli {

// The link opens ports by number. A device given by its path gets a free number from
// 101 to 255 as an entry COM<n> of the port folder for as long as this object lives.
class PortAlias {
public:
    explicit PortAlias(const std::filesystem::path& device);
    ~PortAlias();
    PortAlias(const PortAlias&) = delete;
    PortAlias& operator=(const PortAlias&) = delete;

    uint8_t PortNumber() const { return portNumber_; }

private:
    std::filesystem::path entry_;
    uint8_t portNumber_ = 0;
};

}  // namespace cli
