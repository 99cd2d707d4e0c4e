// A control array: controls of one kind under one name, reached by index
// (lblSteps(3)), in the order they were added from index 0 up.
#pragma once

#include "Control.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orr::ui {

template <class T>
class ControlArray {
public:
    explicit ControlArray(std::string name) : name_(std::move(name)) {}

    // Adds the element with the next index; `args` follow the place.
    template <class... Args>
    T& add(const Parent& parent, Args&&... args) {
        int index = static_cast<int>(items_.size());
        items_.push_back(std::make_unique<T>(parent, name_, std::forward<Args>(args)..., index));
        return *items_.back();
    }

    T& operator()(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(items_.size()); }
    int ubound() const { return count() - 1; }
    const std::string& name() const { return name_; }

    // The index of the element in front of the others, -1 when empty.
    int frontIndex() const {
        int front = -1;
        for (int i = 0; i < count(); ++i)
            if (front < 0 || (*this)(i).zOrder() > (*this)(front).zOrder()) front = i;
        return front;
    }

private:
    std::string name_;
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace orr::ui
