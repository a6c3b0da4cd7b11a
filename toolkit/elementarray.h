// Element arrays: one name, integer indices with the layout's own base.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "elements.h"
#include "level/runtime.h"

namespace tk {

class Scene;

class ArrayBase {
public:
    virtual ~ArrayBase() = default;
    virtual Element* find(int index) = 0;
    virtual std::vector<int> indices() const = 0;
    // The lowest and highest index an item may have; find() tells which of
    // those in between exist.
    virtual int lbound() const = 0;
    virtual int ubound() const = 0;
};

template <class T>
class ElementArray : public ArrayBase {
public:
    ElementArray(Scene& scene, const char* name);
    ElementArray(const ElementArray&) = delete;
    ElementArray& operator=(const ElementArray&) = delete;

    // The element at index i; a missing one is a run-time error.
    T& operator()(int i) {
        const int k = i - base_;
        if (k < 0 || k >= static_cast<int>(items_.size()) || !items_[k]) missing(i);
        return *items_[k];
    }
    const T& operator()(int i) const { return const_cast<ElementArray&>(*this)(i); }

    // An element of the layout.
    T& add(int i);
    // An element created at run time: a copy of the lowest one, hidden.
    T& load(int i);
    bool exists(int i) const {
        const int k = i - base_;
        return k >= 0 && k < static_cast<int>(items_.size()) && items_[k];
    }
    int lbound() const override { return base_; }
    int ubound() const override { return base_ + static_cast<int>(items_.size()) - 1; }

    Element* find(int index) override {
        return exists(index) ? items_[index - base_].get() : nullptr;
    }
    std::vector<int> indices() const override {
        std::vector<int> out;
        for (size_t k = 0; k < items_.size(); ++k)
            if (items_[k]) out.push_back(base_ + static_cast<int>(k));
        return out;
    }

private:
    [[noreturn]] void missing(int i) const {
        throw level::RuntimeError(
            QStringLiteral("L'élément %1(%2) n'existe pas.").arg(name_).arg(i));
    }
    T& place(int i, std::unique_ptr<T> e);

    Scene& scene_;
    QString name_;
    int base_ = 0;
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace tk
