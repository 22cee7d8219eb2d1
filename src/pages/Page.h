#pragma once

// What every page holds, and how a page names its handlers.
//
// A page serves the window (ShellHost) inside the chrome. The stored
// description names a handler for each event ("OnClick = nbdefhddClick");
// each page lists the names it answers as one static table of name and
// member in its own file, so a reader goes from the description to the
// table row and from the row to the member in one step.

#include "framework/window/Control.h"
#include "framework/loader/FormLoader.h"
#include "pages/Handlers.h"

#include <functional>
#include <span>
#include <utility>
#include <string>
#include <vector>

namespace klarvo {

class Chrome;
class ShellHost;

// The handler that runs a page's member, as the event its parameters fit.
// The page is erased to void* on the way, so that each kind of event makes
// one handler type for every page and row: the shell must stay small.
template <typename... Args> FormHandler ErasedHandler(void* page, void (*invoke)(void*, Component*, Args...))
{
    return std::function<void(Component*, Args...)>(
        [page, invoke](Component* sender, Args... args) { invoke(page, sender, std::forward<Args>(args)...); });
}

template <auto member> struct MemberCall;
template <typename P, typename... Args, void (P::*member)(Component*, Args...)> struct MemberCall<member> {
    static void Invoke(void* page, Component* sender, Args... args)
    {
        (static_cast<P*>(page)->*member)(sender, std::forward<Args>(args)...);
    }
    static FormHandler Bind(P& page) { return ErasedHandler<Args...>(&page, &Invoke); }
};

// One row of a handler table: the name the description uses and the
// member it runs, written {"FormCreate", Member<&Tfmshell::FormCreateEvent>}.
template <typename P> struct HandlerRow {
    const char* name;
    FormHandler (*bind)(P&);
};
template <auto member> inline constexpr auto Member = &MemberCall<member>::Bind;

// The row of a member that the description calls by the member's own name,
// as it calls nearly all: KLARVO_HANDLER(HddPage, nbdefhddClick). The name
// is written once, so a row cannot bind a name to another member by a slip.
#define KLARVO_HANDLER(Page, member)                                                                                   \
    {                                                                                                                  \
        #member, Member<&Page::member>                                                                                 \
    }

// Adds every row to the window's table, bound to `page`.
template <typename P> void BindRows(HandlerTable& handlers, P& page, std::span<const HandlerRow<P>> rows)
{
    for (const HandlerRow<P>& row : rows) {
        handlers.Add(row.name, row.bind(page));
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

// A page of class P, whose static kHandlerRows is its table.
template <typename P> class PageOf : public Page {
public:
    using Page::Page;
    // Adds the page's handlers to the window's table.
    void Bind(HandlerTable& handlers) { BindRows(handlers, static_cast<P&>(*this), P::kHandlerRows); }

protected:
    ~PageOf() = default;
};

} // namespace klarvo
