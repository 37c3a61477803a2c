#include "common/win/DialogTemplate.h"

namespace k2q::win {
namespace {

// The item count sits after the style and extended style, four words into the template.
constexpr std::size_t kCountWord = 4;

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, DWORD exStyle, short x, short y, short width,
                               short height, std::wstring_view title) {
    AddDword(style);
    AddDword(exStyle);
    words_.push_back(0);  // items
    for (short v : {x, y, width, height}) {
        words_.push_back(static_cast<WORD>(v));
    }
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    AddText(title);
}

void DialogTemplate::AddControl(WORD id, DWORD style, short x, short y, short width, short height,
                                WORD classAtom, std::wstring_view text, DWORD exStyle) {
    AlignToDword();
    AddDword(style);
    AddDword(exStyle);
    for (short v : {x, y, width, height}) {
        words_.push_back(static_cast<WORD>(v));
    }
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(classAtom);
    AddText(text);
    words_.push_back(0);  // no creation data
    ++words_[kCountWord];
}

void DialogTemplate::AddDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::AddText(std::wstring_view text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
}

void DialogTemplate::AlignToDword() {
    if (words_.size() % 2 != 0) {
        words_.push_back(0);
    }
}

}  // namespace k2q::win
