#include "pages/Handlers.h"

#include <functional>
#include <utility>

namespace klarvo {

namespace {

// The handler, run only while `armed` holds.
template <typename... Args>
std::function<void(Args...)> Guarded(std::function<void(Args...)> handler, const std::shared_ptr<bool>& armed)
{
    if (!handler) {
        return handler;
    }
    return [handler = std::move(handler), armed](Args... args) {
        if (*armed) {
            handler(std::forward<Args>(args)...);
        }
    };
}

} // namespace

void HandlerTable::Add(const std::string& name, FormHandler handler)
{
    handlers_[name] = std::visit([this](auto& h) -> FormHandler { return Guarded(std::move(h), armed_); }, handler);
}

const FormHandler* HandlerTable::Find(const std::string& name) const
{
    auto it = handlers_.find(name);
    return it == handlers_.end() ? nullptr : &it->second;
}

HandlerFinder HandlerTable::Finder() const
{
    return [this](Component& target, const std::string& event, const std::string& handler) {
        const FormHandler* found = Find(handler);
        if (!found) {
            throw FormError(target.Name() + "." + event + " = " + handler + ": no page has that handler");
        }
        return found;
    };
}

} // namespace klarvo
