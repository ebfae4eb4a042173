#include "link/SerialPortWatch.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tarn {
namespace {

TEST(SerialPortPermission, aUserOutsideDialoutIsToldTheExactCommandAndNobodyElseIs)
{
    struct Row {
        int error;
        UserAccount account;
        const char* advice; // nullptr: the usual message
    };
    const Row rows[] = {
        {EACCES, {"ann", false},
         "Port COM3 cannot be opened: your user is not allowed to use serial ports.\n"
         "Add it to the dialout group with\n\n    sudo adduser ann dialout\n\nthen log out and in again."},
        {EPERM, {"", false},
         "Port COM3 cannot be opened: your user is not allowed to use serial ports.\n"
         "Add it to the dialout group with\n\n    sudo adduser $USER dialout\n\nthen log out and in again."},
        {EACCES, {"ann", true}, nullptr}, // in the group: the device's own rights are at fault
        {EBUSY, {"ann", false}, nullptr},
        {ENOENT, {"ann", false}, nullptr},
        {EIO, {"ann", false}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.error);
        const auto advice = SerialPortWatch::permissionAdvice(row.error, 3, row.account);
        if (row.advice)
            EXPECT_EQ(advice, std::optional<std::string>(row.advice));
        else
            EXPECT_FALSE(advice);
    }
}

} // namespace
} // namespace tarn
