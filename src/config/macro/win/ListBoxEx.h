// The macro editor's owner-drawn list: macro names, or a macro's key, button and pause lines
// with a small icon before each. It draws with the colours, item height and background its
// owner gives it, lets a name be edited in place by a double click, and tells its owner about
// a user's selection change and a committed edit by posted messages.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/win/UniqueHandle.h"
#include "common/win/Window.h"

namespace k2q::config::win {

// The item kinds (the list box's item data): 0 plain text, 1 text where an icon would be, 2 a
// release, 3 a press, 4 a pause; higher kinds draw as 1.
enum ListItemKind : int {
    kItemPlain = 0,
    kItemIndented = 1,
    kItemRelease = 2,
    kItemPress = 3,
    kItemPause = 4,
};

class CListBoxEx : public k2q::win::Window {
  public:
    CListBoxEx();
    ~CListBoxEx() override;

    // Makes the list box with the owner-drawn variable, has-strings, notify and vertical
    // scroll styles; Attach takes over a dialog item made with them.
    bool Create(HWND parent, int id, const RECT& rect);

    // Before adding items.
    void SetItemHeight(int height) { itemHeight_ = height; }
    void SetColours(COLORREF text, COLORREF selectedText, COLORREF selection);
    void SetBackground(COLORREF colour);
    void SetRenaming(bool on) { renaming_ = on; }

    // Appends an item and selects it (without a selection-change message); an open in-place
    // edit is closed first without committing.
    void AddListItem(std::wstring_view text, int kind);

    int Count() const;
    int Selection() const;
    std::wstring ItemText(int index) const;
    int ItemKind(int index) const;
    bool editing() const { return editingIndex_ >= 0; }
    HWND editWindow() const { return edit_.hwnd(); }

    // The list whose in-place edit is open, if any: there is one at a time in the program.
    static CListBoxEx* Editing();

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnLButtonDblClk(UINT keys, POINT pt) override;

  private:
    // The edit window over an item; its keys and focus loss reach the list first.
    class InPlaceEdit : public k2q::win::Window {
      public:
        explicit InPlaceEdit(CListBoxEx& owner) : owner_(owner) {}

      protected:
        LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

      private:
        CListBoxEx& owner_;
    };

    void DrawItem(const DRAWITEMSTRUCT& dis);
    void OpenEdit(int index);
    void CommitEdit();
    void CancelEdit();
    void CloseEdit();
    HBRUSH CurrentBackground() const;

    k2q::win::UniqueFont font_;
    k2q::win::UniqueBrush background_;
    int itemHeight_ = 20;
    COLORREF textColour_;
    COLORREF selectedTextColour_;
    COLORREF selectionColour_;
    int iconWidth_ = 16;
    int iconHeight_ = 16;
    bool renaming_ = false;
    int editingIndex_ = -1;
    InPlaceEdit edit_{*this};
};

}  // namespace k2q::config::win
