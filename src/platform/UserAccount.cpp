#include "platform/UserAccount.h"

#include <algorithm>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace tarn {

UserAccount UserAccount::current()
{
    UserAccount account;
    if (const passwd* entry = ::getpwuid(::geteuid()))
        account.name = entry->pw_name;
    const group* dialout = ::getgrnam("dialout");
    if (!dialout)
        return account;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        account.inDialoutGroup = std::find(groups.begin(), groups.end(), dialout->gr_gid) != groups.end();
    account.inDialoutGroup = account.inDialoutGroup || ::getegid() == dialout->gr_gid;
    return account;
}

} // namespace tarn
