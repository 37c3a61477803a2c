// What the host system knows of a program running under Wine: its CPU time, its private memory
// and its number of threads. Wine's own counters of another process read 0, so the figures come
// from the host's /proc (Wine maps the host's root to Z:). The process is found by the full
// Windows path it was started from, which Wine shows as its first argument; other checkouts
// on the same machine run their programs from other paths.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <string>

namespace k2q::bench {

struct HostFigures {
    double cpuMs = -1;
    double privateKb = -1;  // resident anonymous memory: what the process itself allocated
    int threads = -1;
};

inline std::string ReadHostFile(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(8192, '\0');
    DWORD got = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    ::CloseHandle(file);
    text.resize(got);
    return text;
}

inline bool SamePath(const std::string& a, const std::wstring& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(static_cast<unsigned char>(a[i])) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

// The full path of the running program, as ReadHostFigures wants it.
inline std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The figures of the process started from `program` (a full Windows path); all -1 when none
// runs.
inline HostFigures ReadHostFigures(const std::wstring& program) {
    HostFigures figures;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return figures;
    }
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') {
            continue;
        }
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + found.cFileName;
        const std::string cmdline = ReadHostFile(dir + L"\\cmdline");
        if (!SamePath(cmdline.substr(0, cmdline.find('\0')), program)) {
            continue;
        }
        const std::string stat = ReadHostFile(dir + L"\\stat");
        const std::size_t close = stat.rfind(')');
        unsigned long utime = 0, stime = 0;
        if (close != std::string::npos &&
            std::sscanf(stat.c_str() + close + 2,
                        "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                        &stime) == 2) {
            figures.cpuMs = static_cast<double>(utime + stime) * 10.0;  // 100 ticks a second
        }
        const std::string status = ReadHostFile(dir + L"\\status");
        if (const std::size_t rss = status.find("RssAnon:"); rss != std::string::npos) {
            figures.privateKb = std::atof(status.c_str() + rss + 9);
        }
        if (const std::size_t threads = status.find("Threads:"); threads != std::string::npos) {
            figures.threads = std::atoi(status.c_str() + threads + 8);
        }
        break;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return figures;
}

}  // namespace k2q::bench
