#include "data_access/sanitise/icu_code_page_converter.h"
#include "data_access/sanitise/sanitise.h"

namespace dbAx {

CodePageConverter& DefaultCodePageConverter() {
    static IcuCodePageConverter converter;
    return converter;
}

}  // namespace dbAx
