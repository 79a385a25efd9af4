#include "engine/platform/SystemServices.h"

#include "engine/core/OSDescription.h"

#include <fstream>
#include <sstream>
#include <sys/utsname.h>

namespace platform {

namespace {

// /etc/os-release may be missing where the distribution keeps only the
// vendor copy.
std::string ReadOsRelease() {
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream file(path);
        if (!file)
            continue;
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    return "";
}

UnameRecord ReadUname() {
    utsname name{};
    if (uname(&name) != 0)
        return {};
    return {name.sysname, name.release, name.machine};
}

}

std::string DescribeOperatingSystem() { return DescribeLinux(ReadOsRelease(), ReadUname()); }

}
