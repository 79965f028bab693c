// Modules loaded at run time: built-in modules by name in any case, shared libraries
// by path, and handles that are not modules.
#include <gtest/gtest.h>

#include "platform/kernel/kernel.h"
#include "platform/kernel/module.h"

namespace {

TEST(Module, BuiltInModulesAnswerByNameInAnyCase) {
    HMODULE module = LoadLibraryA("DInput.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "DirectInputCreateA"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "DirectInputCreateW"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));  // each load is freed once
}

TEST(Module, SharedLibrariesLoadByPathWithTheirExports) {
    HMODULE plugin = LoadLibraryA(VORN_BINARY_DIR "/spi/ifff.spi");
    ASSERT_NE(plugin, nullptr);
    for (const char* name : {"IsSupported", "GetPictureInfo", "GetPicture"})
        EXPECT_NE(GetProcAddress(plugin, name), nullptr);
    EXPECT_EQ(GetProcAddress(plugin, "NoSuchExport"), nullptr);
    EXPECT_TRUE(FreeLibrary(plugin));

    EXPECT_EQ(LoadLibraryA(VORN_BINARY_DIR "/spi/missing.spi"), nullptr);
    EXPECT_EQ(LoadLibraryA(""), nullptr);
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&plugin), "IsSupported"), nullptr);
}

}  // namespace
