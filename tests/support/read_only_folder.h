#pragma once

#include <filesystem>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Makes a folder read-only for the calling thread while it lives. Root writes into any
// folder by its capability CAP_DAC_OVERRIDE, so the thread gives that up for the time.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) :
        folder_(std::move(folder)), permissions_(std::filesystem::status(folder_).permissions())
    {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[CAP_TO_INDEX(CAP_DAC_OVERRIDE)].effective &= ~CAP_TO_MASK(CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header_, reduced);
    }
    ~ReadOnlyFolder()
    {
        syscall(SYS_capset, &header_, saved_);
        std::filesystem::permissions(folder_, permissions_);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::filesystem::perms permissions_;
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};
