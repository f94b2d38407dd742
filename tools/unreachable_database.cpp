#include "tools/unreachable_database.h"

namespace standin {

bool SaysTheDatabaseIsUnreachable(std::string_view message) {
    // What the component and the provider say, then what ODBC drivers say:
    // the SQLSTATE class of connection exceptions, and the communication-link
    // messages of drivers that report a refused or broken connection under
    // the general SQLSTATE HY000 (MariaDB's and MySQL's, natives 2002, 2003,
    // 2006 and 2013).
    static constexpr std::string_view kSigns[] = {
        "CAxConnection::Open",
        "[SQLSTATE 08",
        "Communication link failure",
        "Can't connect to",
        "server has gone away",
        "Lost connection to",
    };
    for (std::string_view sign : kSigns) {
        if (message.find(sign) != std::string_view::npos) return true;
    }
    return message.find("The connection to data source '") != std::string_view::npos &&
           (message.find("' is lost") != std::string_view::npos || message.find("' was lost") != std::string_view::npos);
}

}  // namespace standin
