#include "tools/terminal.h"

#include <io.h>

namespace standin {

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

}  // namespace standin
