// Profile files (".K2q"): the two blocks back to back, raw, with no header, so that a set of
// assignments can be saved and loaded again. A complete file is 104 + 213604 bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/settings/ButtonSetting.h"
#include "common/settings/FileSystem.h"
#include "common/settings/MacroSetting.h"

namespace k2q {

inline constexpr std::size_t kProfileSize = sizeof(ButtonSetting) + sizeof(MacroSetting);

enum class ProfileWrite {
    Written,
    NotCreated,   // no file could be made beside the target (missing folder, no rights)
    WriteFailed,  // writing or flushing failed part-way (a full disk, a removed drive)
    NotReplaced,  // the target could not be replaced (read-only, or held open by another)
};

// Exports both blocks. The file is built beside the target and put in its place only when
// complete, so on any failure an earlier file of that name is left exactly as it was and no
// partial file remains.
ProfileWrite WriteProfile(FileSystem& files, std::u16string_view path, const ButtonSetting& buttons,
                          const MacroSetting& macros);

struct ProfileRead {
    bool opened = false;
    bool readFailed = false;  // a read error: the blocks were left untouched
    std::size_t bytes = 0;    // bytes taken into the blocks, at most kProfileSize
};

// Imports a profile without validating it: the first 104 bytes go into the buttons, the next
// 213604 into the macros; a shorter file fills the blocks only as far as it reaches and the
// rest keeps its values, and bytes beyond a complete profile are not read.
ProfileRead ReadProfile(FileSystem& files, std::u16string_view path, ButtonSetting& buttons,
                        MacroSetting& macros);

}  // namespace k2q
