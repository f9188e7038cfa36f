// The table of built-in modules that LoadLibraryW and GetProcAddress search.
#include <layer/builtin_modules.h>
#include <win32.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(BuiltinModules, EveryModuleHasADllNameAndDistinctResolvableExports) {
    std::set<std::u16string> names;
    for (const layer::BuiltinModule* module : layer::builtin_modules()) {
        ASSERT_NE(module, nullptr);
        const std::u16string name = module->name;
        EXPECT_TRUE(name.size() > 4 && name.substr(name.size() - 4) == u".dll");
        EXPECT_TRUE(names.insert(name).second) << "module listed twice";

        HMODULE handle = LoadLibraryW(module->name);
        ASSERT_NE(handle, nullptr);
        std::set<std::string> exports;
        for (size_t i = 0; i < module->count; ++i) {
            const layer::BuiltinExport& entry = module->exports[i];
            ASSERT_NE(entry.name, nullptr);
            EXPECT_NE(entry.address, nullptr) << entry.name;
            EXPECT_TRUE(exports.insert(entry.name).second) << entry.name << " exported twice";
            EXPECT_EQ(GetProcAddress(handle, entry.name), entry.address) << entry.name;
        }
    }
    EXPECT_TRUE(names.count(u"kernel32.dll"));
}

TEST(BuiltinModules, NamesMayCarryAFolder) {
    HMODULE plain = LoadLibraryW(u"kernel32.dll");
    EXPECT_EQ(LoadLibraryW(u"C:\\Windows\\System32\\KERNEL32.DLL"), plain);
    EXPECT_EQ(LoadLibraryW(u"kernel32."), nullptr) << "a trailing dot means no extension";
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(BuiltinModules, OrdinalsAndForeignHandlesAreRefused) {
    HMODULE kernel = LoadLibraryW(u"kernel32.dll");
    EXPECT_EQ(GetProcAddress(kernel, reinterpret_cast<LPCSTR>(1)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    int not_a_module = 0;
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&not_a_module), "GetTickCount"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&not_a_module)));
}

} // namespace
