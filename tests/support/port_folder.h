#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "port_names.h"

// Points the port folder at a private temporary folder while it lives, so that
// tests create COM<n> entries without touching the user's own.
class PrivatePortFolder {
public:
    PrivatePortFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ssi-ports-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        std::filesystem::create_directories(PortFolder());
    }
    ~PrivatePortFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    PrivatePortFolder(const PrivatePortFolder&) = delete;
    PrivatePortFolder& operator=(const PrivatePortFolder&) = delete;

    // Makes COM<n> stand for the device.
    void Link(int portNumber, const std::string& device) const
    {
        std::filesystem::create_symlink(device, PortFolder() + "/COM" + std::to_string(portNumber));
    }

private:
    std::string root_;
};
