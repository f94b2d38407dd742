# The libraries the Linux build takes from the system.
find_package(PkgConfig REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n data)
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(nlohmann_json REQUIRED)
