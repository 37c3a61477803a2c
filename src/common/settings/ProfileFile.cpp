#include "common/settings/ProfileFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace k2q {

ProfileWrite WriteProfile(FileSystem& files, std::u16string_view path, const ButtonSetting& buttons,
                          const MacroSetting& macros) {
    std::u16string temporary;
    std::unique_ptr<FileWriter> out = files.CreateTemporaryBeside(path, temporary);
    if (!out) {
        return ProfileWrite::NotCreated;
    }
    const bool complete = out->Write(&buttons, sizeof buttons) &&
                          out->Write(&macros, sizeof macros) && out->Flush() && out->Close();
    out.reset();
    if (!complete) {
        files.Remove(temporary);
        return ProfileWrite::WriteFailed;
    }
    if (!files.Replace(temporary, path)) {
        files.Remove(temporary);
        return ProfileWrite::NotReplaced;
    }
    return ProfileWrite::Written;
}

ProfileRead ReadProfile(FileSystem& files, std::u16string_view path, ButtonSetting& buttons,
                        MacroSetting& macros) {
    ProfileRead result;
    std::unique_ptr<FileInput> in = files.OpenForReading(path);
    if (!in) {
        return result;
    }
    result.opened = true;

    // Read the whole profile first, so that a read error cannot leave half an import behind.
    std::vector<std::uint8_t> bytes(kProfileSize);
    const std::optional<std::size_t> got = in->Read(bytes.data(), bytes.size());
    if (!got) {
        result.readFailed = true;
        return result;
    }
    const std::size_t n = std::min(*got, bytes.size());
    const std::size_t toButtons = std::min(n, sizeof buttons);
    std::memcpy(&buttons, bytes.data(), toButtons);
    std::memcpy(&macros, bytes.data() + toButtons, n - toButtons);
    result.bytes = n;
    return result;
}

}  // namespace k2q
