#pragma once

#include <string>
#include <string_view>

namespace tarn {

// Who runs the console, for advice about access to devices.
struct UserAccount {
    std::string name;          // the login name, or empty when unknown
    bool inDialoutGroup = false;

    // The process's own user and its groups (supplementary and effective).
    static UserAccount current();
};

} // namespace tarn
