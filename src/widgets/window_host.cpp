#include "widgets/window_host.h"

namespace {

WindowHost *&installed_host()
{
    static WindowHost *host = nullptr;
    return host;
}

} // namespace

WindowHost &window_host()
{
    static WindowHost nothing;
    WindowHost *host = installed_host();
    return host ? *host : nothing;
}

WindowHost *set_window_host(WindowHost *host)
{
    WindowHost *previous = installed_host();
    installed_host() = host;
    return previous;
}
