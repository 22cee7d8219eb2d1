#pragma once

// Components: every object of a window has a Name, an owner that frees it,
// and an ordered list of the components it owns, searched by name.

#include <string>
#include <string_view>
#include <vector>

namespace klarvo {

class Component {
public:
    // The owner (may be null) takes ownership and frees this component with
    // itself; deleting a component earlier takes it off its owner's list.
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    Component* Owner() const { return owner_; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    Component* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    // The owned component of that name (case-insensitive), or null.
    Component* FindComponent(std::string_view name) const;

    // True while a designer edits the component; this system never designs.
    bool Designing() const { return false; }

    // Runs once after a form loader has applied every stored property.
    virtual void Loaded() {}

protected:
    // Frees the owned components now, last first (derived destructors call
    // it while their own parts are still alive).
    void DestroyComponents();

private:
    Component* owner_;
    std::string name_;
    std::vector<Component*> components_;
};

// Every component below root, depth first in ownership order, root included.
template <typename F> void ForEachComponent(Component* root, F&& f)
{
    f(root);
    for (int i = 0; i < root->ComponentCount(); ++i) {
        ForEachComponent(root->Components(i), f);
    }
}

} // namespace klarvo
