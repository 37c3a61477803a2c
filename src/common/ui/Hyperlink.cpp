#include "common/ui/Hyperlink.h"

#include <string>

namespace k2q {

std::uint32_t LinkTextColour(bool over, bool visited, const LinkColours& colours) {
    if (over) {
        return colours.hover;
    }
    return visited ? colours.visited : colours.link;
}

skin::Rect AnchoredRect(const skin::Rect& current, int width, int height,
                        const LinkAnchor& anchor) {
    int left = current.left;
    if (anchor.centreHorizontally) {
        left = current.left + (current.Width() - width) / 2;
    } else if (anchor.keepRight) {
        left = current.right - width;
    }
    int top = current.top;
    if (anchor.centreVertically) {
        top = current.top + (current.Height() - height) / 2;
    }
    return skin::FromXywh(left, top, width, height);
}

std::u16string BrowserCommandLine(std::u16string_view registered, std::u16string_view address) {
    std::size_t cut = registered.find(u"\"%1\"");
    if (cut == std::u16string_view::npos) {
        cut = registered.find(u"%1");
    }
    std::u16string line(registered.substr(0, cut));
    line += u' ';
    line += address;
    return line;
}

namespace {

struct ErrorText {
    long code;
    std::u16string_view text;
};

// The shell's and the program starter's failure codes, in the words users have seen for them.
constexpr ErrorText kErrorTexts[] = {
    {0, u"The operating system is out\nof memory or resources."},
    {2, u"The specified file was not found."},
    {3, u"The specified path was not found."},
    {5, u"The operating system denied\naccess to the specified file."},
    {8, u"There was not enough memory to complete the operation."},
    {11, u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, u"A sharing violation occurred. "},
    {27, u"The filename association is\nincomplete or invalid."},
    {28, u"The DDE transaction could not\nbe completed because the request timed out."},
    {29, u"The DDE transaction failed."},
    {30,
     u"The DDE transaction could not\nbe completed because other DDE transactions\nwere "
     u"being processed."},
    {31, u"There is no application associated\nwith the given filename extension."},
    {32, u"The specified dynamic-link library was not found."},
};

}  // namespace

std::u16string HyperlinkErrorMessage(long code) {
    std::u16string message = u"Unable to open hyperlink:\n\n";
    for (const ErrorText& e : kErrorTexts) {
        if (e.code == code) {
            return message += e.text;
        }
    }
    message += u"Unknown Error (";
    for (char c : std::to_string(code)) {
        message += static_cast<char16_t>(c);
    }
    return message += u") occurred.";
}

long OpenHyperlink(std::u16string_view address, HyperlinkShell& shell) {
    const long opened = shell.ShellOpen(address);
    if (opened > 32) {
        return opened;
    }
    const std::optional<std::u16string> type = shell.ClassesRootDefault(u".htm");
    if (!type) {
        return opened;
    }
    const std::optional<std::u16string> command =
        shell.ClassesRootDefault(*type + u"\\shell\\open\\command");
    if (!command) {
        return opened;
    }
    return shell.Run(BrowserCommandLine(*command, address));
}

}  // namespace k2q
