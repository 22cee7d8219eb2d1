#pragma once

// What every page holds, and how a page names its handlers.
//
// A page serves the window (ShellHost) inside the chrome. The stored
// description names a handler for each event ("OnClick = nbdefhddClick");
// each page lists the names it answers as one static table of name and
// member in its own file, so a reader goes from the description to the
// table row and from the row to the member in one step.

#include "framework/Control.h"
#include "framework/FormLoader.h"
#include "pages/Handlers.h"

#include <functional>
#include <span>
#include <utility>
#include <variant>

namespace klarvo {

class Chrome;
class ShellHost;

// One row of a handler table: the name the description uses and the
// member it runs. The member's parameters say which kind of event it fits.
template <typename P> struct HandlerRow {
    using Notify = void (P::*)(Component*);
    using Mouse = void (P::*)(Component*, MouseButton, ShiftState, int, int);
    using MouseMove = void (P::*)(Component*, ShiftState, int, int);
    using KeyPress = void (P::*)(Component*, char&);

    const char* name;
    std::variant<Notify, Mouse, MouseMove, KeyPress> member;
};

// The member as the event of its kind, run on `page`.
template <typename P, typename... Args> FormHandler MemberHandler(P& page, void (P::*member)(Component*, Args...))
{
    return std::function<void(Component*, Args...)>(
        [&page, member](Component* sender, Args... args) { (page.*member)(sender, std::forward<Args>(args)...); });
}

// Adds every row to the window's table, bound to `page`.
template <typename P> void BindRows(HandlerTable& handlers, P& page, std::span<const HandlerRow<P>> rows)
{
    for (const HandlerRow<P>& row : rows) {
        handlers.Add(row.name, std::visit([&page](auto member) { return MemberHandler(page, member); }, row.member));
    }
}

// The names a table answers, for checks against the description.
template <typename P> void AddRowNames(std::span<const HandlerRow<P>> rows, std::vector<std::string>& names)
{
    for (const HandlerRow<P>& row : rows) {
        names.emplace_back(row.name);
    }
}

class Page {
public:
    Page(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome) {}
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

protected:
    ~Page() = default;

    ShellHost& host_;
    Chrome& chrome_;
};

// A page of class P, whose static HandlerRows() is its table.
template <typename P> class PageOf : public Page {
public:
    using Page::Page;
    // Adds the page's handlers to the window's table.
    void Bind(HandlerTable& handlers) { BindRows(handlers, static_cast<P&>(*this), P::HandlerRows()); }

protected:
    ~PageOf() = default;
};

} // namespace klarvo
