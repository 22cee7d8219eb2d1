#pragma once

// The window's event handlers by name. Each page adds its own; the stored
// form names a handler for each event it binds, and the form loader sets the
// event to the handler of that name (HandlerTable::Finder). A name the form
// uses that no page adds is a fault of the description.

#include "framework/loader/FormLoader.h"

#include <map>
#include <memory>
#include <string>
#include <variant>

namespace klarvo {

class HandlerTable {
public:
    HandlerTable() = default;
    ~HandlerTable() { Disarm(); }
    HandlerTable(const HandlerTable&) = delete;
    HandlerTable& operator=(const HandlerTable&) = delete;

    // From now on every handler of the table does nothing. The window calls
    // it before it goes: freeing its controls raises events (a page control
    // shows another page as its pages leave) whose handlers would reach
    // pages already freed.
    void Disarm() { *armed_ = false; }

    // Adds or replaces the handler of a name.
    void Add(const std::string& name, FormHandler handler);

    // The handler of a name as an event of type E, for controls made after
    // the form was loaded. A missing name or another type raises FormError.
    template <typename E> E Get(const std::string& name) const
    {
        const FormHandler* found = Find(name);
        if (!found) {
            throw FormError("no page has the handler " + name);
        }
        const E* typed = std::get_if<E>(found);
        if (!typed) {
            throw FormError(name + ": the handler does not fit the event");
        }
        return *typed;
    }

    // The form loader's finder: the handler of the name the description
    // gives; a name that no page added raises FormError.
    HandlerFinder Finder() const;

private:
    const FormHandler* Find(const std::string& name) const;

    std::map<std::string, FormHandler> handlers_;
    std::shared_ptr<bool> armed_ = std::make_shared<bool>(true);
};

} // namespace klarvo
