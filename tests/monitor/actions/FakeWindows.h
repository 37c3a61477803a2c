// A fake desktop for the sideways scroller: a window tree the test builds, a pointer, and one
// log of everything the scroller does to it (posted and sent messages, pointer moves, injected
// clicks, browser steps) in the order it happened. Sibling and parent links can be bent into
// loops, and windows can refuse messages or lose their rectangle, as another program's windows
// may at any moment.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "monitor/actions/ActionFakes.h"
#include "monitor/actions/ScrollPorts.h"

namespace k2q::monitor {

class FakeWindows : public WindowInspector,
                    public WindowEffects,
                    public BrowserDocument,
                    public InputSink {
  public:
    static constexpr WindowRef kDesktop = 1;

    // Appends a window as its parent's last child (the bottom of the sibling order); 0 as the
    // parent makes a top-level window. Handles count up from 0x10.
    WindowRef Add(WindowRef parent, std::u16string className, ScreenRect rect,
                  std::uint32_t style = 0) {
        const WindowRef w = 0x10 + nodes_.size();
        std::size_t index = 0;
        if (parent != 0) {
            std::vector<WindowRef>& siblings = nodes_[parent].children;
            index = siblings.size();
            siblings.push_back(w);
        }
        nodes_[w] = {std::move(className), rect, style, parent, index, {}};
        return w;
    }
    void Remove(WindowRef w) { nodes_.erase(w); }

    ScreenPoint pointer{100, 100};
    WindowRef under = 0;  // what WindowAt answers at any point
    bool swapped = false;
    BrowserScroll browserAnswer = BrowserScroll::Scrolled;
    std::set<WindowRef> refusing;         // post and send fail
    std::set<WindowRef> withoutRect;      // the rectangle cannot be read
    std::map<WindowRef, WindowRef> next;  // bent sibling links
    std::map<WindowRef, WindowRef> previous;
    std::map<WindowRef, WindowRef> parent;  // bent parent links
    std::vector<std::string> log;
    int pointerReads = 0;
    int childAtCalls = 0;

    ScreenPoint PointerPosition() override {
        ++pointerReads;
        return pointer;
    }
    WindowRef WindowAt(ScreenPoint) override { return under; }
    WindowRef ChildAt(WindowRef window, ScreenPoint p) override {
        ++childAtCalls;
        const Node* n = Find(window);
        if (!n || !Contains(n->rect, p)) {
            return 0;
        }
        for (WindowRef c : n->children) {
            if (const Node* child = Find(c); child && Contains(child->rect, p)) {
                return c;
            }
        }
        return window;
    }
    WindowRef DesktopWindow() override { return kDesktop; }
    std::u16string ClassName(WindowRef w) override {
        const Node* n = Find(w);
        return n ? n->className : u"";
    }
    std::uint32_t Style(WindowRef w) override {
        const Node* n = Find(w);
        return n ? n->style : 0;
    }
    std::optional<ScreenRect> WindowRect(WindowRef w) override {
        const Node* n = Find(w);
        if (!n || withoutRect.count(w)) {
            return std::nullopt;
        }
        return n->rect;
    }
    WindowRef Parent(WindowRef w) override {
        if (const auto it = parent.find(w); it != parent.end()) {
            return it->second;
        }
        const Node* n = Find(w);
        return n ? n->parent : 0;
    }
    WindowRef FirstChild(WindowRef w) override {
        const Node* n = Find(w);
        return n && !n->children.empty() ? n->children.front() : 0;
    }
    WindowRef NextSibling(WindowRef w) override { return Sibling(w, next, +1); }
    WindowRef PreviousSibling(WindowRef w) override { return Sibling(w, previous, -1); }
    void EnumerateDescendants(WindowRef w, const std::function<bool(WindowRef)>& visit) override {
        // Depth first, each window before its children, as the system offers them.
        std::vector<WindowRef> stack;
        const auto pushChildren = [&](WindowRef of) {
            if (const Node* n = Find(of)) {
                stack.insert(stack.end(), n->children.rbegin(), n->children.rend());
            }
        };
        pushChildren(w);
        while (!stack.empty()) {
            const WindowRef c = stack.back();
            stack.pop_back();
            if (!visit(c)) {
                return;
            }
            pushChildren(c);
        }
    }
    bool ButtonsSwapped() override { return swapped; }

    bool PostWindowMessage(WindowRef w, std::uint32_t msg, std::uintptr_t wp,
                           std::intptr_t lp) override {
        log.push_back("post " + Message(w, msg, wp, lp));
        return Reachable(w);
    }
    bool SendWindowMessage(WindowRef w, std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp,
                           std::uint32_t boundMs) override {
        log.push_back("send " + Message(w, msg, wp, lp) + " within " + std::to_string(boundMs));
        return Reachable(w);
    }
    void MovePointer(ScreenPoint p) override {
        log.push_back("pointer " + std::to_string(p.x) + "," + std::to_string(p.y));
        pointer = p;
    }
    BrowserScroll ScrollBy(WindowRef w, std::int32_t dx, std::uint32_t boundMs) override {
        log.push_back("browser " + Hex(w) + " " + std::to_string(dx) + " within " +
                      std::to_string(boundMs));
        return browserAnswer;
    }
    void Keyboard(const KeyboardInput& k) override { log.push_back("key " + Hex(k.vk)); }
    void Mouse(const MouseInput& m) override {
        log.push_back("mouse " + Hex(m.flags) + " at " + std::to_string(m.dx) + "," +
                      std::to_string(m.dy) + " data " + std::to_string(m.data) + " extra " +
                      std::to_string(static_cast<int>(m.extra)));
    }

    static std::string Hex(std::uintptr_t v) { return FakeSystem::Hex(v); }
    static std::string Message(WindowRef w, std::uint32_t msg, std::uintptr_t wp,
                               std::intptr_t lp) {
        return Hex(w) + " " + Hex(msg) + " " + Hex(wp) + " " + Hex(static_cast<std::uintptr_t>(lp));
    }

  private:
    struct Node {
        std::u16string className;
        ScreenRect rect;
        std::uint32_t style;
        WindowRef parent;
        std::size_t index;  // among the parent's children
        std::vector<WindowRef> children;
    };

    const Node* Find(WindowRef w) const {
        const auto it = nodes_.find(w);
        return it == nodes_.end() ? nullptr : &it->second;
    }
    static bool Contains(const ScreenRect& r, ScreenPoint p) {
        return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    }
    bool Reachable(WindowRef w) const { return Find(w) != nullptr && !refusing.count(w); }
    WindowRef Sibling(WindowRef w, const std::map<WindowRef, WindowRef>& bent, int direction) {
        if (const auto it = bent.find(w); it != bent.end()) {
            return it->second;
        }
        const Node* n = Find(w);
        const Node* p = n ? Find(n->parent) : nullptr;
        if (!p) {
            return 0;
        }
        const std::ptrdiff_t j = static_cast<std::ptrdiff_t>(n->index) + direction;
        return j >= 0 && j < static_cast<std::ptrdiff_t>(p->children.size()) ? p->children[j] : 0;
    }

    std::map<WindowRef, Node> nodes_;
};

}  // namespace k2q::monitor
