// The module library itself: what loading and unloading it does, and the three functions it
// exports.
#include <dlfcn.h>
#include <elf.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "ShipHarness.h"

namespace quillmar_test {
namespace {

// The module's own exported symbols: those its dynamic symbol table defines with global or weak
// binding and default or protected visibility.
std::set<std::string> DefinedExports(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> image{std::istreambuf_iterator<char>(file), {}};
    std::set<std::string> names;
    if (image.size() < sizeof(Elf64_Ehdr)) {
        ADD_FAILURE() << "not an ELF file: " << path;
        return names;
    }
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_shoff + std::size_t{header.e_shnum} * sizeof(Elf64_Shdr) > image.size()) {
        ADD_FAILURE() << "not a 64-bit ELF file with section headers: " << path;
        return names;
    }
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    std::memcpy(sections.data(), image.data() + header.e_shoff,
                sections.size() * sizeof(Elf64_Shdr));

    bool foundTable = false;
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type != SHT_DYNSYM) continue;
        foundTable = true;
        const Elf64_Shdr& strings = sections.at(section.sh_link);
        EXPECT_LE(section.sh_offset + section.sh_size, image.size());
        EXPECT_LE(strings.sh_offset + strings.sh_size, image.size());
        for (std::size_t offset = 0; offset + sizeof(Elf64_Sym) <= section.sh_size;
             offset += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, image.data() + section.sh_offset + offset, sizeof symbol);
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            const unsigned visibility = ELF64_ST_VISIBILITY(symbol.st_other);
            if (symbol.st_shndx == SHN_UNDEF || symbol.st_name == 0) continue;
            if (binding != STB_GLOBAL && binding != STB_WEAK && binding != STB_GNU_UNIQUE) continue;
            if (visibility != STV_DEFAULT && visibility != STV_PROTECTED) continue;
            if (symbol.st_name >= strings.sh_size) {
                ADD_FAILURE() << "symbol name outside the string table";
                continue;
            }
            const char* name = image.data() + strings.sh_offset + symbol.st_name;
            names.insert(std::string(name, strnlen(name, strings.sh_size - symbol.st_name)));
            EXPECT_EQ(ELF64_ST_TYPE(symbol.st_info), STT_FUNC) << name;
        }
    }
    EXPECT_TRUE(foundTable) << "no dynamic symbol table";
    return names;
}

bool IsLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

TEST(ModuleEntry, ExportsOnlyItsThreeFunctions) {
    EXPECT_EQ(DefinedExports(QM_MODULE_PATH),
              (std::set<std::string>{"GetModuleVersion", "ovcExit", "ovcInit"}));
}

// Loading announces the module to the host once, with its own handle; unloading lets it go. As
// in the simulator, the library is loaded while ships of its class exist.
TEST(ModuleEntry, LoadCallsInitLibOnceWithTheModuleHandle) {
    ASSERT_FALSE(IsLoaded(QM_MODULE_PATH));
    {
        sim::Simulator sim;
        sim.RegisterModule("Quillmar", QM_MODULE_PATH);  // checked by loading it once
        EXPECT_FALSE(IsLoaded(QM_MODULE_PATH));
        const int before = sim::LibraryCalls().initLibCalls;
        sim.CreateVessel("Q1", "Quillmar");
        sim.CreateVessel("Q2", "Quillmar");
        EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1);

        void* handle = dlopen(QM_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(sim::LibraryCalls().lastInitLibModule, handle);
        dlclose(handle);
        EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1);
        sim.DeleteVessel(sim.FindVessel("Q1"));
        EXPECT_TRUE(IsLoaded(QM_MODULE_PATH));
        sim.DeleteVessel(sim.FindVessel("Q2"));
        EXPECT_FALSE(IsLoaded(QM_MODULE_PATH)) << "unloaded with the last ship";
        sim.CreateVessel("Q3", "Quillmar");
        EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 2);
    }
    EXPECT_FALSE(IsLoaded(QM_MODULE_PATH)) << "the module keeps no hold on itself";
}

// Module-wide state (here the attitude thrust level) lives as long as the library: after the last
// ship has gone, the next one starts as the first one did.
TEST(ModuleEntry, ModuleWideStateStartsAfreshAfterTheLastShip) {
    sim::Simulator sim;
    sim.RegisterModule("Quillmar", QM_MODULE_PATH);
    const auto attitudeThrust = [&](const char* ship) {
        return sim.Describe(ship)["thrusters"][kMainEngines]["max"].get<double>();
    };
    sim.CreateVessel("First", "Quillmar");
    sim.PressKey("First", "Ctrl+1");
    sim.CreateVessel("Second", "Quillmar");
    EXPECT_EQ(attitudeThrust("Second"), kRcsMinimum) << "the level in force while loaded";
    sim.DeleteVessel(sim.FindVessel("First"));
    sim.DeleteVessel(sim.FindVessel("Second"));
    sim.CreateVessel("Third", "Quillmar");
    EXPECT_EQ(attitudeThrust("Third"), kRcsMaximum);
}

class LoadedModule : public testing::Test {
  protected:
    // A ship keeps the library loaded.
    LoadedModule() {
        sim.RegisterModule("Quillmar", QM_MODULE_PATH);
        sim.CreateVessel("Holder", "Quillmar");
    }
    ~LoadedModule() override {
        if (handle != nullptr) dlclose(handle);
    }
    template <typename Function>
    Function Export(const char* name) {
        if (handle == nullptr) handle = dlopen(QM_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
        return handle != nullptr ? reinterpret_cast<Function>(dlsym(handle, name)) : nullptr;
    }
    sim::Simulator sim;
    void* handle = nullptr;
};

TEST_F(LoadedModule, VersionIsComputedOnce) {
    auto getModuleVersion = Export<int (*)()>("GetModuleVersion");
    ASSERT_NE(getModuleVersion, nullptr);
    const int before = sim::LibraryCalls().date2IntCalls;
    EXPECT_EQ(getModuleVersion(), 60425);
    EXPECT_EQ(getModuleVersion(), 60425);
    EXPECT_EQ(sim::LibraryCalls().date2IntCalls, before + 1);
}

// Releasing nothing does nothing: the module goes on making and releasing ships.
TEST_F(LoadedModule, ExitWithNullDoesNothing) {
    auto ovcExit = Export<void (*)(VESSEL*)>("ovcExit");
    ASSERT_NE(ovcExit, nullptr);
    ovcExit(nullptr);
    sim.CreateVessel("Q1", "Quillmar");
    EXPECT_EQ(sim.Describe("Q1")["class"], "Quillmar");
    EXPECT_TRUE(sim.DeleteVessel(sim.FindVessel("Q1")));
    EXPECT_EQ(sim.FindVessel("Q1"), nullptr);
}

// A module exporting an exit function has it called once at unload, with its own handle;
// "ExitModule" is preferred to "opcDLLExit".
TEST(ModuleEntry, UnloadCallsTheExitFunctionOnce) {
    struct Case {
        const char* path;
        const char* expectedName;
    };
    const Case cases[] = {{QM_EXIT_MODULE_FIXTURE, "ExitModule"},
                          {QM_OPC_DLL_EXIT_FIXTURE, "opcDLLExit"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedName);
        sim::Simulator sim;
        const int before = sim::LibraryCalls().initLibCalls;
        void* handle = dlopen(c.path, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        EXPECT_EQ(sim::LibraryCalls().initLibCalls, before + 1);
        EXPECT_EQ(sim::LibraryCalls().lastInitLibModule, handle);
        EXPECT_EQ(sim.DebugLine(), "") << "nothing called at load";
        dlclose(handle);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%s %p;", c.expectedName, handle);
        EXPECT_EQ(sim.DebugLine(), expected);
    }
}

}  // namespace
}  // namespace quillmar_test
