#include "tools/terminal.h"

#include <unistd.h>

namespace standin {

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

}  // namespace standin
