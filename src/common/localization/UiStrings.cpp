#include "common/localization/UiStrings.h"

namespace k2q {
namespace {

// clang-format off
constexpr std::u16string_view kKeyNames[] = {
    u"tc_ok", u"tc_title", u"tc_cancel", u"tc_apply", u"tc_reset", u"tc_assign", u"tc_sensitivity",
    u"tc_mousemode", u"tc_version", u"tc_suport", u"tc_tvkfam", u"tc_info",
    u"tc_combo_tittle", u"tc_combo_tips",
    u"tc_macro_msg2", u"tc_macro_end", u"tc_macro_start", u"tc_new_macro", u"tc_macro_msg3",
    u"tc_macro_loop", u"tc_macro_delay", u"tc_macro_list", u"tc_macro_panel", u"tc_macro_editor",
    u"tc_macro_new", u"tc_macro_del",
    u"tc_click", u"tc_middle", u"tc_menu", u"tc_dbclick", u"tc_pre", u"tc_next", u"tc_combokey",
    u"tc_base_fun", u"tc_advance", u"tc_media", u"tc_mac_def", u"tc_key_off", u"tc_flip_3d",
    u"tc_scrollup", u"tc_scrolldw", u"tc_scrolllt", u"tc_scrollrt",
    u"tc_cut", u"tc_copy", u"tc_past", u"tc_all", u"tc_find", u"tc_new", u"tc_print", u"tc_save",
    u"tc_PL", u"tc_stop", u"tc_pre_media", u"tc_next_media", u"tc_vol_up", u"tc_vol_dw",
    u"tc_mute",
    u"tc_swap", u"tc_close", u"tc_lock", u"tc_explor", u"tc_run", u"tc_show", u"tc_max_win",
    u"tc_min_win",
    u"tc_retitle", u"tc_reinfo",
    u"tc_mouse_speed", u"tc_enhance_speed", u"tc_level_scroll", u"tc_ver_scroll", u"tc_double_clk",
    u"tc_cpi",
    u"tc_msg1", u"tc_msg2",
    u"tc_profile", u"tc_setting", u"tc_help", u"tc_link", u"tc_config_in", u"tc_config_out",
    u"tc_link_tvkmain", u"tc_link_fam", u"tc_about", u"tc_helpfile",
    u"tc_update", u"tc_waiting", u"tc_config", u"tc_exit", u"tc_name", u"tc_modifydelay",
    u"tc_delaytime",
    u"tc_config_out_msg", u"tc_config_in_msg",
};
// clang-format on
static_assert(std::size(kKeyNames) == kUiKeyCount);
static_assert(static_cast<std::size_t>(UiKey::tc_config_in_msg) + 1 == kUiKeyCount);

const std::u16string kEmpty;

UiStrings& ProgramTable() {
    static UiStrings table;
    return table;
}

}  // namespace

std::u16string_view UiKeyName(UiKey key) {
    return kKeyNames[static_cast<std::size_t>(key)];
}

std::optional<UiKey> UiKeyFromName(std::u16string_view name) {
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        if (kKeyNames[i] == name) {
            return static_cast<UiKey>(i);
        }
    }
    return std::nullopt;
}

const std::u16string& UiStrings::Text(std::u16string_view key) const {
    const std::optional<UiKey> k = UiKeyFromName(key);
    return k ? (*this)[*k] : kEmpty;
}

std::u16string ReadLanguageText(CXmlDocument& document, std::u16string_view parent,
                                std::u16string_view key) {
    document.ResetPosition();
    // Each pass goes one parent-named element deeper, so the loop ends with the tree.
    while (document.FindChildElement(parent)) {
        document.EnterChild();
        if (document.FindChildElement(key)) {
            return document.GetChildText();
        }
    }
    return {};
}

void LoadLanguageFile(std::u16string_view path, const FileReader& files,
                      const CodePageConverter& codePages, CXmlDocument& document,
                      UiStrings& strings) {
    std::uint32_t flags = 0;
    std::u16string result;
    if (document.LoadTextFile(path, flags, result, files, codePages)) {
        document.Parse();  // the verdict does not matter: whatever was recognised is searched
    }
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        strings.Set(static_cast<UiKey>(i), ReadLanguageText(document, u"config", kKeyNames[i]));
    }
}

const UiStrings& ProgramUiStrings() {
    return ProgramTable();
}

void LoadProgramLanguage(std::u16string_view path, const FileReader& files,
                         const CodePageConverter& codePages) {
    // The document of the language file lives as long as the program, as its table does.
    static CXmlDocument document;
    document = CXmlDocument();
    LoadLanguageFile(path, files, codePages, document, ProgramTable());
}

}  // namespace k2q
