// The single-instance mutex and its name.
#include <gtest/gtest.h>

#include <string>

#include "frame/instance_mutex.h"

namespace {

TEST(InstanceMutex, TheSecondHolderOfANameIsToldItExisted) {
    const std::string name = "vorn-test+mutex+" + std::to_string(getpid());
    CInstanceMutex first, second, other;
    EXPECT_EQ(first.Open(name), 0);
    EXPECT_EQ(second.Open(name), 1);
    EXPECT_EQ(other.Open(name + "+other"), 0);
    // Reopening releases the old mutex first, but the name stays held by `second`.
    EXPECT_EQ(first.Open(name), 1);
}

TEST(InstanceMutex, NameIsThePathWithPlusSignsCutTo259Bytes) {
    EXPECT_EQ(MakeInstanceMutexName("\\work\\game\\aimshot"), "+work+game+aimshot");
    std::string longPath = "\\" + std::string(150, 'a') + "\\" + std::string(150, 'b');
    const std::string name = MakeInstanceMutexName(longPath.c_str());
    ASSERT_EQ(name.size(), 259u);
    EXPECT_EQ(name, ("+" + std::string(150, 'a') + "+" + std::string(150, 'b')).substr(0, 259));
}

}  // namespace
