// Prints the statements that create the empty interface files AIP32 and AIP33
// in a library (a schema of a real server), from the field catalogue, so that
// the test server's tables always match what the component writes.
// Usage: create_interface_files_sql <library>
#include <iostream>

#include "model/interface_files.h"

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::cerr << "usage: create_interface_files_sql <library>\n";
        return 2;
    }
    std::cout << veldmark::CreateTableSql(veldmark::HeaderFile(), argv[1]) << ";\n"
              << veldmark::CreateTableSql(veldmark::LineFile(), argv[1]) << ";\n";
    return 0;
}
