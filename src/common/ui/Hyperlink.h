// The hyperlink control's decisions: its text colour, how it keeps its anchor when it fits
// itself to its text, how an address is opened (the shell first, then the browser registered
// for ".htm"), and the words of the error box. CHyperLink (ui/win/HyperLink.h) performs them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/ui/SkinLayout.h"

namespace k2q {

// Windows colour values (0x00BBGGRR).
struct LinkColours {
    std::uint32_t link = 0xEE0000;
    std::uint32_t visited = 0x8B1A55;
    std::uint32_t hover = 0x0000FF;
};

// The hover colour while the pointer is over the link, else the visited colour once opened.
std::uint32_t LinkTextColour(bool over, bool visited, const LinkColours& colours);

// Which edges a control keeps when it is resized to fit its text.
struct LinkAnchor {
    bool centreVertically = false;    // else the top stays
    bool centreHorizontally = false;  // else see keepRight
    bool keepRight = false;           // else the left edge stays
};

// The control's new rectangle (in its parent's coordinates) for a new size.
skin::Rect AnchoredRect(const skin::Rect& current, int width, int height, const LinkAnchor& anchor);

// The browser's registered command line cut at its first quoted "%1" placeholder (or, without
// one, at its first bare %1), then a blank and the address.
std::u16string BrowserCommandLine(std::u16string_view registered, std::u16string_view address);

// "Unable to open hyperlink:\n\n" and the text for the result code.
std::u16string HyperlinkErrorMessage(long code);

// What opening an address needs from the system.
class HyperlinkShell {
  public:
    virtual ~HyperlinkShell() = default;
    // Asks the shell to "open" the address, shown normally; its result code (above 32 is
    // success).
    virtual long ShellOpen(std::u16string_view address) = 0;
    // The default value of a key under HKEY_CLASSES_ROOT; nothing when the key cannot be
    // opened or read.
    virtual std::optional<std::u16string> ClassesRootDefault(std::u16string_view key) = 0;
    // Starts a command line (in the current code page), shown normally; its result code.
    virtual long Run(std::u16string_view commandLine) = 0;
};

// Opens the address; the result is above 32 on success.
long OpenHyperlink(std::u16string_view address, HyperlinkShell& shell);

}  // namespace k2q
