// Root passes every permission check of the file system; while this lives the calling thread does
// not, so an unreadable file or a read-only folder refuses root as it does a user. Nothing changes
// for other users, who are refused anyway.
#ifndef TESTS_WITHOUTPERMISSIONOVERRIDE_HPP
#define TESTS_WITHOUTPERMISSIONOVERRIDE_HPP

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>

class WithoutPermissionOverride {
public:
    WithoutPermissionOverride()
    {
        if (::geteuid() != 0 || !ReadCapabilities(saved))
            return;
        __user_cap_data_struct reduced[_LINUX_CAPABILITY_U32S_3];
        std::memcpy(reduced, saved, sizeof reduced);
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
        dropped = WriteCapabilities(reduced);
    }
    ~WithoutPermissionOverride()
    {
        if (dropped)
            WriteCapabilities(saved);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    static bool ReadCapabilities(__user_cap_data_struct (&data)[_LINUX_CAPABILITY_U32S_3])
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capget, &header, data) == 0;
    }
    static bool WriteCapabilities(__user_cap_data_struct (&data)[_LINUX_CAPABILITY_U32S_3])
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct saved[_LINUX_CAPABILITY_U32S_3] = {};
    bool dropped = false;
};

#endif
