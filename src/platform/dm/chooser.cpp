#include "platform/dm/chooser.h"
#include "platform/dm/dm_error.h"

#include <vector>

namespace dm {
namespace {

constexpr int kPathCapacity = 4096;

DmChooser &installed_chooser()
{
    static DmChooser chooser = nullptr;
    return chooser;
}

} // namespace

std::optional<std::string> choose_path(DmChoice kind, void *parent, const std::string &proposal,
                                       const std::string &detail)
{
    const DmChooser chooser = installed_chooser();
    if (!chooser) {
        if (proposal.empty())
            return std::nullopt;
        return proposal;
    }
    std::vector<char> chosen(kPathCapacity, '\0');
    if (!chooser(kind, parent, proposal.c_str(), detail.c_str(), chosen.data(), kPathCapacity))
        return std::nullopt;
    chosen.back() = '\0';
    std::string path(chosen.data());
    if (path.empty())
        return std::nullopt;
    return path;
}

} // namespace dm

void dm_set_chooser(DmChooser chooser)
{
    dm::clear_error();
    dm::installed_chooser() = chooser;
}
