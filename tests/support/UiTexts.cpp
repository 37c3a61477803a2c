#include "support/UiTexts.h"

#include <string>
#include <vector>

#include "support/FakeFileReader.h"

namespace k2q::testing {
namespace {

void AppendUtf8(std::u16string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

void Load(const std::vector<std::pair<UiKey, std::u16string>>& texts) {
    std::string xml = "<language><config>";
    for (const auto& [key, text] : texts) {
        std::string name;
        AppendUtf8(UiKeyName(key), name);
        xml += "<" + name + "><![CDATA[";
        AppendUtf8(text, xml);  // a test text never holds "]]>"
        xml += "]]></" + name + ">";
    }
    xml += "</config></language>";
    FakeFileReader files;
    files.files[u"language.xml"] = xml;
    LoadProgramLanguage(u"language.xml", files, PortableCodePages());
}

}  // namespace

void LoadProgramUiTexts(std::initializer_list<std::pair<UiKey, std::u16string_view>> texts) {
    std::vector<std::pair<UiKey, std::u16string>> all;
    for (const auto& [key, text] : texts) {
        all.emplace_back(key, std::u16string(text));
    }
    Load(all);
}

void LoadKeyNamesAsProgramUiTexts() {
    std::vector<std::pair<UiKey, std::u16string>> all;
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const auto key = static_cast<UiKey>(i);
        all.emplace_back(key, std::u16string(UiKeyName(key)));
    }
    Load(all);
}

}  // namespace k2q::testing
