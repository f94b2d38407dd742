// Whether an output stream reaches a terminal, behind one portable call.
#pragma once

#include <cstdio>

namespace standin {

bool IsTerminal(std::FILE* stream);

}  // namespace standin
