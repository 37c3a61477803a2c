// UiStrings: every text either program shows, one entry per language key, filled once at
// start-up from language.xml and read-only afterwards. Windows read an entry at the moment
// they need it (UiText), so nothing holds a copy.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/localization/CodePages.h"
#include "common/localization/FileReader.h"
#include "common/localization/XmlDocument.h"

namespace k2q {

// The language keys, in the order in which they are loaded; the enumerators are spelled as
// the keys are, so a text is found by grepping for its key.
// clang-format off: one line group per kind of text
enum class UiKey : std::uint8_t {
    tc_ok,
    tc_title,
    tc_cancel,
    tc_apply,
    tc_reset,
    tc_assign,
    tc_sensitivity,
    tc_mousemode,
    tc_version,
    tc_suport,
    tc_tvkfam,
    tc_info,
    tc_combo_tittle,
    tc_combo_tips,
    tc_macro_msg2,
    tc_macro_end,
    tc_macro_start,
    tc_new_macro,
    tc_macro_msg3,
    tc_macro_loop,
    tc_macro_delay,
    tc_macro_list,
    tc_macro_panel,
    tc_macro_editor,
    tc_macro_new,
    tc_macro_del,
    tc_click,
    tc_middle,
    tc_menu,
    tc_dbclick,
    tc_pre,
    tc_next,
    tc_combokey,
    tc_base_fun,
    tc_advance,
    tc_media,
    tc_mac_def,
    tc_key_off,
    tc_flip_3d,
    tc_scrollup,
    tc_scrolldw,
    tc_scrolllt,
    tc_scrollrt,
    tc_cut,
    tc_copy,
    tc_past,
    tc_all,
    tc_find,
    tc_new,
    tc_print,
    tc_save,
    tc_PL,
    tc_stop,
    tc_pre_media,
    tc_next_media,
    tc_vol_up,
    tc_vol_dw,
    tc_mute,
    tc_swap,
    tc_close,
    tc_lock,
    tc_explor,
    tc_run,
    tc_show,
    tc_max_win,
    tc_min_win,
    tc_retitle,
    tc_reinfo,
    tc_mouse_speed,
    tc_enhance_speed,
    tc_level_scroll,
    tc_ver_scroll,
    tc_double_clk,
    tc_cpi,
    tc_msg1,
    tc_msg2,
    tc_profile,
    tc_setting,
    tc_help,
    tc_link,
    tc_config_in,
    tc_config_out,
    tc_link_tvkmain,
    tc_link_fam,
    tc_about,
    tc_helpfile,
    tc_update,
    tc_waiting,
    tc_config,
    tc_exit,
    tc_name,
    tc_modifydelay,
    tc_delaytime,
    // Added to the original set: a profile that could not be written or read is reported.
    tc_config_out_msg,
    tc_config_in_msg,
};
// clang-format on

inline constexpr std::size_t kUiKeyCount = 95;

// The key's name as the language file writes it ("tc_ok").
std::u16string_view UiKeyName(UiKey key);
std::optional<UiKey> UiKeyFromName(std::u16string_view name);  // case-sensitive

class UiStrings {
public:
    const std::u16string& operator[](UiKey key) const {
        return texts_[static_cast<std::size_t>(key)];
    }
    // By the key's name; an unknown name gives the empty string.
    const std::u16string& Text(std::u16string_view key) const;
    void Set(UiKey key, std::u16string text) {
        texts_[static_cast<std::size_t>(key)] = std::move(text);
    }
    bool operator==(const UiStrings&) const = default;

private:
    std::array<std::u16string, kUiKeyCount> texts_;
};

// The text of the first element named key inside the root's child named parent; when that
// element lacks the key, the search goes on in a parent-named element nested inside it.
// Empty when nothing is found. Each call starts from the top of the document.
std::u16string ReadLanguageText(CXmlDocument& document, std::u16string_view parent,
                                std::u16string_view key);

// Reads and parses the file at path into document, then assigns every entry of strings from
// its "config" element, in key order; a key the file lacks gets the empty string. A missing or
// unreadable file leaves document empty and every entry empty. Never fails visibly.
void LoadLanguageFile(std::u16string_view path, const FileReader& files,
                      const CodePageConverter& codePages, CXmlDocument& document,
                      UiStrings& strings);

// The program-wide table and document. Loaded once, before the first window exists
// (LoadLanguageBesideProgram in the Win32 shell); read on the user-interface thread only.
const UiStrings& ProgramUiStrings();
inline const std::u16string& UiText(UiKey key) {
    return ProgramUiStrings()[key];
}
void LoadProgramLanguage(std::u16string_view path, const FileReader& files,
                         const CodePageConverter& codePages);

}  // namespace k2q
