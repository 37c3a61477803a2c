// Hostile language files. Whatever the bytes, reading, parsing and every query the language
// loader makes stay inside the text, terminate, and use memory in proportion to the input.
// The same bytes are also parsed as raw UTF-16 units, which reach the parser with lone
// surrogates and every unit value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/localization/UiStrings.h"
#include "common/localization/XmlDocument.h"
#include "support/FakeFileReader.h"

namespace {

using k2q::CXmlDocument;
using k2q::XmlElement;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Every record lies inside the text and the tree links agree with each other.
void CheckRecords(const CXmlDocument& document) {
    const std::size_t size = document.Text().size();
    const std::uint32_t count = document.ElementCount();
    Check(count >= 1);
    for (std::uint32_t i = 1; i < count; ++i) {
        const XmlElement e = document.Element(i);
        Check(e.start < size && e.length <= size - e.start);
        Check(e.startTagLength <= e.length);
        Check(document.Text()[e.start] == u'<');
        Check(e.parent < i);
        Check(e.firstChild == 0 || (e.firstChild > i && e.firstChild < count));
        Check(e.nextSibling == 0 || (e.nextSibling < count && e.nextSibling != i));
        if (e.nextSibling != 0) {
            const XmlElement next = document.Element(e.nextSibling);
            Check(next.previousSibling == i && next.parent == e.parent);
        }
        if (e.firstChild != 0) {
            Check(document.Element(e.firstChild).parent == i);
        }
        const std::u16string text = document.ElementText(i);
        Check(text.size() <= e.length);
        Check(!document.ElementName(i).empty());
    }
}

void Navigate(CXmlDocument& document) {
    document.ResetPosition();
    int steps = 0;
    while (document.FindChildElement(u"") && ++steps < 64) {
        (void)document.GetChildText();
        document.EnterChild();
    }
    (void)k2q::ReadLanguageText(document, u"config", u"tc_ok");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    k2q::testing::FakeFileReader files;
    files.files[u"language.xml"] = bytes;
    CXmlDocument document;
    k2q::UiStrings strings;
    k2q::LoadLanguageFile(u"language.xml", files, k2q::PortableCodePages(), document, strings);
    CheckRecords(document);
    Navigate(document);

    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    CXmlDocument raw;
    raw.SetText(std::move(units));
    raw.Parse();
    CheckRecords(raw);
    Navigate(raw);
    return 0;
}
