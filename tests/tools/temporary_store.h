// A fresh directory per test for document-class, batch and log files.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace standin::testing {

class TemporaryStore {
public:
    TemporaryStore() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "-" + test->name();
        for (char& c : name) {
            if (c == '/') c = '-';
        }
        directory_ = std::filesystem::path(::testing::TempDir()) / name;
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
    }
    ~TemporaryStore() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    TemporaryStore(const TemporaryStore&) = delete;
    TemporaryStore& operator=(const TemporaryStore&) = delete;

    std::filesystem::path Write(const std::string& name, const std::string& content) const {
        const std::filesystem::path path = directory_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::filesystem::path Path(const std::string& name) const { return directory_ / name; }

private:
    std::filesystem::path directory_;
};

}  // namespace standin::testing
