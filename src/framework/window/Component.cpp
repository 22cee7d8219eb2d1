#include "framework/window/Component.h"

#include <algorithm>
#include <cctype>

namespace klarvo {

Component::Component(Component* owner) : owner_(owner)
{
    if (owner_) {
        owner_->components_.push_back(this);
    }
}

Component::~Component()
{
    DestroyComponents();
    if (owner_) {
        auto& list = owner_->components_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void Component::DestroyComponents()
{
    // Last made first, so a later component that refers to an earlier one
    // never outlives it.
    while (!components_.empty()) {
        Component* c = components_.back();
        delete c; // takes itself off the list
    }
}

Component* Component::FindComponent(std::string_view name) const
{
    if (name.empty()) {
        return nullptr;
    }
    for (Component* c : components_) {
        const std::string& n = c->name_;
        if (n.size() == name.size() && std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            })) {
            return c;
        }
    }
    return nullptr;
}

} // namespace klarvo
