#include "data_access/sanitise/sanitise.h"
#include "data_access/sanitise/windows_code_page_converter.h"

namespace dbAx {

CodePageConverter& DefaultCodePageConverter() {
    static WindowsCodePageConverter converter;
    return converter;
}

}  // namespace dbAx
