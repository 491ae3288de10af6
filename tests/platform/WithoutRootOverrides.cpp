#include "WithoutRootOverrides.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>
#include <initializer_list>

WithoutRootOverrides::WithoutRootOverrides() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    static_assert(sizeof data == sizeof m_saved);
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    std::memcpy(m_saved, data, sizeof data);
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_SYS_ADMIN})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    m_valid = ::syscall(SYS_capset, &header, data) == 0;
}

WithoutRootOverrides::~WithoutRootOverrides() {
    if (!m_valid)
        return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    std::memcpy(data, m_saved, sizeof data);
    ::syscall(SYS_capset, &header, data);
}
