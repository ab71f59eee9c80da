#include "framework/menu.h"

namespace fw {

namespace {

const ClassRecord& RegisterMenuClass(const char* name, const ClassRecord* base) {
    ClassRecord record;
    record.name = name;
    record.base = base;
    return RuntimeRegisterClass(std::move(record));
}

}  // namespace

const ClassRecord& MenuItem::Class() {
    static const ClassRecord& record = RegisterMenuClass("MenuItem", nullptr);
    return record;
}

const ClassRecord& QuitMenuItem::Class() {
    static const ClassRecord& record = RegisterMenuClass("QuitMenuItem", &MenuItem::Class());
    return record;
}

const ClassRecord& AppleMenuItem::Class() {
    static const ClassRecord& record = RegisterMenuClass("AppleMenuItem", &MenuItem::Class());
    return record;
}

const ClassRecord& MenuBar::Class() {
    static const ClassRecord& record = RegisterMenuClass("MenuBar", &MenuItem::Class());
    return record;
}

void MenuItem::AddMenu(std::shared_ptr<MenuItem> item) {
    CheckUIThread();
    if (!item) RaiseNil(MenuItem::Class().name);
    state_->children.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const {
    for (const auto& child : state_->children)
        if (child->Name() == name) return child;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(std::string_view name) const {
    for (const auto& child : state_->children) {
        if (child->Name() == name) return child;
        if (auto found = child->Lookup(name)) return found;
    }
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Item(std::int64_t index) const {
    if (index < 0 || index >= Count())
        throw OutOfBoundsException("menu item index " + std::to_string(index) + " is outside 0 to " +
                                   std::to_string(Count() - 1));
    return state_->children[std::size_t(index)];
}

}  // namespace fw
