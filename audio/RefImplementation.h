// Reference counting shared by the sound layer's objects: a new object starts
// at zero, the first RefPtr takes it to one, the last release deletes it.
#pragma once
#include "audiere.h"

namespace audiere {

template <typename Interface>
class RefImplementation : public Interface {
public:
    void ref() override { ++count; }
    void unref() override {
        if (--count == 0) delete this;
    }

protected:
    RefImplementation() {}
    ~RefImplementation() override {}

private:
    RefImplementation(const RefImplementation&) = delete;
    RefImplementation& operator=(const RefImplementation&) = delete;
    int count = 0;
};

}  // namespace audiere
