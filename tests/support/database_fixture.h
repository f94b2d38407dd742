// A real embedded database with the interface files in library APLIB, seen
// through the fault-injecting platform so that any database call can be made
// to fail.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data_access/ax_library.h"
#include "data_access/fault_injection/fault_injecting_environment.h"
#include "data_access/fault_injection/fault_plan.h"

namespace testsupport {

class DatabaseFixture : public ::testing::Test {
protected:
    DatabaseFixture();
    ~DatabaseFixture() override;

    // "Provider=IBMDA400;Data source=sqlite:<directory>;"
    kfx::Text ConnectionText() const;
    kfx::Text DataSource() const;
    // The rows of a file of APLIB, each as column=value texts of the given columns.
    std::vector<std::vector<std::string>> Rows(const std::string& file, const std::vector<std::string>& columns) const;
    std::size_t RowCount(const std::string& file) const;
    // Removes a file from APLIB, as on a library that lacks it.
    void DropTable(const std::string& file) const;
    // Empties both files of APLIB.
    void ClearFiles() const;
    // Makes the database refuse every row written to a file of APLIB, as a
    // server refuses what only it can judge.
    void RefuseRows(const std::string& file) const;

    // Every error record the test injects reads like this.
    static dbAx::platform::ErrorRecord Record(std::int32_t number, const char16_t* text) { return {number, text}; }

    std::filesystem::path directory_;
    dbAx::fault::FaultPlan plan_;
    dbAx::fault::FaultInjectingEnvironment faults_;
    dbAx::ScopedEnvironment scoped_;
};

}  // namespace testsupport
