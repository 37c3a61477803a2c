#include "support/win/HandleCount.h"

#include <vector>

namespace k2q::testing {
namespace {

// SystemExtendedHandleInformation: one entry per handle of every process.
constexpr ULONG kExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handleValue;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG attributes;
    ULONG reserved;
};
struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

bool CountFromHandleTable(DWORD& count) {
    const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) {
        return false;
    }
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(kExtendedHandleInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch && buffer.size() < (1u << 28)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) {
            return false;
        }
        break;
    }
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    const std::size_t room = (buffer.size() - offsetof(HandleTable, entries)) / sizeof(HandleEntry);
    const ULONG_PTR self = ::GetCurrentProcessId();
    count = 0;
    for (std::size_t i = 0; i < table->count && i < room; ++i) {
        count += table->entries[i].processId == self;
    }
    return true;
}

}  // namespace

DWORD ProcessHandleCount() {
    DWORD count = 0;
    if (CountFromHandleTable(count)) {
        return count;
    }
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

}  // namespace k2q::testing
