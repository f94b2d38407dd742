// Visits a variant with one lambda per alternative.
#pragma once

namespace standin {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

}  // namespace standin
