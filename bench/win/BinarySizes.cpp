// The sizes of the shipped binaries in dist/ against their targets (the monitor at most 600 KB,
// the configuration program at most 1.5 MB), split into code, data, resources and the rest, so
// that a binary over its target shows what takes the space. The baseline is an empty Win32
// program (bench_EmptyProgram.exe) linked the same way: what the static runtime alone costs.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/win/ModulePath.h"
#include "support/win/Processes.h"

namespace {

struct Sizes {
    bool found = false;
    std::size_t file = 0;
    std::size_t code = 0;       // .text
    std::size_t data = 0;       // constants, variables, unwind tables
    std::size_t resources = 0;  // .rsrc: icons, dialogs, the version, the manifest
    std::size_t other = 0;      // imports, relocations, headers
};

// Reads the section table of a PE file; the raw size of each section is what it takes on disk.
Sizes Measure(const std::wstring& path) {
    Sizes sizes;
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER)) {
        return sizes;
    }
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, bytes.data(), sizeof dos);
    IMAGE_NT_HEADERS64 nt;
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0 ||
        bytes.size() < static_cast<std::size_t>(dos.e_lfanew) + sizeof nt) {
        return sizes;
    }
    std::memcpy(&nt, bytes.data() + dos.e_lfanew, sizeof nt);
    const std::size_t table = static_cast<std::size_t>(dos.e_lfanew) +
                              offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                              nt.FileHeader.SizeOfOptionalHeader;
    sizes.found = true;
    sizes.file = bytes.size();
    std::size_t inSections = 0;
    for (unsigned i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        if (bytes.size() < table + (i + 1) * sizeof section) {
            break;
        }
        std::memcpy(&section, bytes.data() + table + i * sizeof section, sizeof section);
        const std::string name(reinterpret_cast<const char*>(section.Name),
                               strnlen(reinterpret_cast<const char*>(section.Name), 8));
        const std::size_t raw = section.SizeOfRawData;
        inSections += raw;
        if (name == ".text") {
            sizes.code += raw;
        } else if (name == ".rsrc") {
            sizes.resources += raw;
        } else if (name == ".idata" || name == ".reloc") {
            sizes.other += raw;
        } else {
            sizes.data += raw;
        }
    }
    sizes.other += sizes.file > inSections ? sizes.file - inSections : 0;
    return sizes;
}

void Print(const char* name, const Sizes& s, double targetKb) {
    if (!s.found) {
        std::printf("%-24s not built yet\n", name);
        return;
    }
    const double kb = static_cast<double>(s.file) / 1024.0;
    std::printf("%-24s %8.1f KiB", name, kb);
    if (targetKb > 0) {
        std::printf("  target %6.0f KiB %-6s", targetKb, kb <= targetKb ? "met" : "OVER");
    } else {
        std::printf("  %-24s", "");
    }
    std::printf("  code %6.1f  data %6.1f  resources %6.1f  other %5.1f KiB\n",
                static_cast<double>(s.code) / 1024.0, static_cast<double>(s.data) / 1024.0,
                static_cast<double>(s.resources) / 1024.0, static_cast<double>(s.other) / 1024.0);
}

}  // namespace

int main() {
    using k2q::testing::DistPath;
    std::printf(
        "shipped binaries in dist/, optimized for size, unused sections dropped, stripped\n");
    Print("K2q_Mouse.exe", Measure(DistPath(L"K2q_Mouse.exe")), 600);
    Print("K2q_Config.exe", Measure(DistPath(L"K2q_Config.exe")), 1536);
    Print("KbSnare.dll", Measure(DistPath(L"KbSnare.dll")), 0);
    Print("baseline: empty program", Measure(k2q::win::ModuleFolder() + L"bench_EmptyProgram.exe"),
          0);
    return 0;
}
