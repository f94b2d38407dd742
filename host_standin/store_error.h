// The one error of the stand-in host's store: a file that cannot be read,
// parsed or written. The message names the file and the place.
#pragma once

#include <stdexcept>

namespace standin {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace standin
