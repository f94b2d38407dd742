// Mutants of the sample document class and batch, handed to release and
// check as a user could: whatever the files hold, the command ends with 0, 1
// or 2, never with an exception, a crash or a sanitizer report, and when it
// answers 2 it has written nothing (no log, the database as it was). Run in
// the sanitizer build; the sequence of mutants is fixed by its seed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "data_access/ax_library.h"
#include "data_access/provider/embedded_database.h"
#include "host_standin/release_log.h"
#include "release/create_release_script.h"
#include "tools/check_command.h"
#include "tools/database_commands.h"
#include "tools/in_process_loader.h"
#include "tools/release_command.h"
#include "temporary_store.h"

namespace standin {
namespace {

constexpr int kMostMutants = 3000;
constexpr std::chrono::seconds kMostTime{60};
constexpr std::uint32_t kSeed = 20260314;

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Every file under the directory with its content.
using Tree = std::map<std::filesystem::path, std::string>;
Tree Snapshot(const std::filesystem::path& directory) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file()) tree[entry.path()] = ReadWhole(entry.path());
    }
    return tree;
}

std::string Differences(const Tree& before, const Tree& after) {
    std::string text;
    for (const auto& [path, content] : after) {
        auto found = before.find(path);
        if (found == before.end()) text += "new " + path.string() + "\n";
        else if (found->second != content) text += "changed " + path.string() + "\n";
    }
    for (const auto& [path, content] : before) {
        if (!after.count(path)) text += "removed " + path.string() + "\n";
    }
    return text;
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    std::string Mutate(std::string text) {
        const int mutations = Pick(1, 3);
        for (int i = 0; i < mutations; ++i) text = MutateOnce(std::move(text));
        return text;
    }

private:
    int Pick(int smallest, int largest) { return std::uniform_int_distribution<int>(smallest, largest)(random_); }
    std::size_t Position(const std::string& text) {
        return std::uniform_int_distribution<std::size_t>(0, text.size())(random_);
    }
    template <std::size_t N>
    const char* OneOf(const std::array<const char*, N>& choices) {
        return choices[static_cast<std::size_t>(Pick(0, N - 1))];
    }
    // A random place just after one of the characters, or anywhere when the
    // text has none.
    std::size_t After(const std::string& text, char c) {
        std::vector<std::size_t> places;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == c) places.push_back(i + 1);
        }
        if (places.empty()) return Position(text);
        return places[static_cast<std::size_t>(Pick(0, static_cast<int>(places.size()) - 1))];
    }

    std::string MutateOnce(std::string text) {
        if (text.empty()) return "{";
        const std::size_t at = std::min(Position(text), text.size() - 1);
        switch (Pick(0, 10)) {
            case 0:
                text[at] = static_cast<char>(text[at] ^ (1 << Pick(0, 7)));
                break;
            case 1:
                text[at] = static_cast<char>(Pick(0, 255));
                break;
            case 2: {
                const int depth = std::array{63, 64, 65, 1000, 100'000}[static_cast<std::size_t>(Pick(0, 4))];
                text.insert(After(text, ':'), " " + std::string(depth, '[') + std::string(depth, ']') + ", \"k\":");
                break;
            }
            case 3: {
                const char* number = OneOf(std::array{"1e400", "-1e400", "1e-400", "18446744073709551616",
                                                      "-9223372036854775809", "4e-320", "1E+99999"});
                const std::size_t digit = text.find_first_of("0123456789", at);
                if (digit == std::string::npos) {
                    text.insert(at, number);
                } else {
                    const std::size_t end = std::min(text.find_first_not_of("0123456789.eE+-", digit), text.size());
                    text.replace(digit, end - digit, number);
                }
                break;
            }
            case 4: {
                const int length = std::array{41, 10'000, 200'000}[static_cast<std::size_t>(Pick(0, 2))];
                text.insert(After(text, '{'), "\"" + std::string(static_cast<std::size_t>(length), 'k') + "\": \"x\", ");
                break;
            }
            case 5:
                text.insert(After(text, '"'), OneOf(std::array{"\xff", "\xc0\xaf", "\xed\xa0\x80", "\xe5\x85",
                                                               "\xf4\x90\x80\x80", "\x1b"}));
                break;
            case 6:
                text.insert(After(text, '"'), OneOf(std::array{"\\u001b[2J", "\\n", "\\u0000", "\\u202e", "\\ud800",
                                                               "\\t\\r", "\\u0085"}));
                break;
            case 7:
                text.resize(at);
                break;
            case 8: {
                const std::size_t length = std::min<std::size_t>(text.size() - at, static_cast<std::size_t>(Pick(1, 400)));
                text.insert(at + length, text.substr(at, length));
                break;
            }
            case 9:
                text.erase(at, static_cast<std::size_t>(Pick(1, 40)));
                break;
            default:
                text.insert(at, 1, static_cast<char>(Pick(0, 255)));
                break;
        }
        return text;
    }

    std::mt19937 random_;
};

class InputFuzzTest : public ::testing::Test {
protected:
    // Relative settings of the samples ("sqlite:demo-output/db") resolve in
    // the temporary directory, so that no mutant reaches outside it.
    void SetUp() override {
        previousDirectory_ = std::filesystem::current_path();
        std::filesystem::current_path(directory_);
        dbAx::AxLibInit();
        dbAx::provider::CreateEmbeddedInterfaceFiles("demo-output/db", "APLIB");
        const std::filesystem::path examples = std::filesystem::path(VELDMARK_SOURCE_DIR) / "examples";
        documentClass_ = ReadWhole(examples / "supplier-invoice.json");
        batch_ = ReadWhole(examples / "invoice-batch.json");
        classFile_ = store_.Write("class.json", documentClass_);
        batchFile_ = store_.Write("batch.json", batch_);
        baseline_ = Snapshot(directory_);
    }
    void TearDown() override {
        dbAx::AxLibClose();
        std::filesystem::current_path(previousDirectory_);
    }

    // Each command is a process of its own: its end closes the sessions it
    // left pooled, and with them the libraries' write-ahead logs.
    void EndCommand() {
        dbAx::AxLibClose();
        dbAx::AxLibInit();
    }

    // Puts the directory back as it was before the mutant, all but the mutant
    // files: a release that ran has written rows and a log.
    void Restore() {
        for (const auto& [path, content] : Snapshot(directory_)) {
            if (path == classFile_ || path == batchFile_) continue;
            const auto kept = baseline_.find(path);
            if (kept == baseline_.end()) {
                std::filesystem::remove(path);
            } else if (kept->second != content) {
                std::ofstream(path, std::ios::binary | std::ios::trunc) << kept->second;
            }
        }
    }

    testing::TemporaryStore store_;
    std::filesystem::path directory_ = store_.Path("");
    std::filesystem::path previousDirectory_;
    std::string documentClass_;
    std::string batch_;
    std::filesystem::path classFile_;
    std::filesystem::path batchFile_;
    Tree baseline_;
};

TEST_F(InputFuzzTest, NoMutantCrashesAndNoRefusalWritesAnything) {
    Mutator mutator(kSeed);
    InProcessLoader loader({{kReleaseScriptProgId, veldmark::CreateReleaseScript}});
    const std::chrono::system_clock::time_point started{std::chrono::seconds(1773480413)};
    std::array<int, 3> releaseExits{};
    std::array<int, 3> checkExits{};
    int mutants = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (; mutants < kMostMutants && std::chrono::steady_clock::now() - begin < kMostTime; ++mutants) {
        const bool classMutant = mutants % 2 == 0;
        const std::string classText = classMutant ? mutator.Mutate(documentClass_) : documentClass_;
        const std::string batchText = classMutant ? batch_ : mutator.Mutate(batch_);
        store_.Write("class.json", classText);
        store_.Write("batch.json", batchText);
        const Tree before = Snapshot(directory_);
        const std::string what = "mutant " + std::to_string(mutants) + " of the " + (classMutant ? "class" : "batch");

        std::ostringstream out;
        std::ostringstream err;
        int exit = -1;
        try {
            exit = RunRelease({classFile_, batchFile_, started}, loader, {out, err, false});
        } catch (const std::exception& error) {
            ADD_FAILURE() << what << ": release threw " << error.what();
        }
        EndCommand();
        ASSERT_TRUE(exit >= 0 && exit <= 2) << what << ": release answered " << exit << "\n" << err.str();
        ++releaseExits[static_cast<std::size_t>(exit)];
        if (exit == kExitNothingDone) {
            EXPECT_FALSE(std::filesystem::exists(LogPathFor(classFile_))) << what << ": a refused release made a log";
            EXPECT_EQ(Differences(before, Snapshot(directory_)), "") << what << ": a refused release wrote\n"
                                                                 << err.str();
        } else {
            std::ostringstream shown;
            std::ostringstream showErr;
            RunShow("demo-output/db", "APLIB", {shown, showErr, false});
            EndCommand();
            EXPECT_EQ(shown.str().find_first_of("\x1b\r\t"), std::string::npos) << what << ": show printed raw "
                                                                                 << "control characters";
        }
        Restore();

        if (classMutant) {
            std::ostringstream findings;
            std::ostringstream checkErr;
            int checked = -1;
            try {
                checked = RunCheck(classFile_, {findings, checkErr, false});
            } catch (const std::exception& error) {
                ADD_FAILURE() << what << ": check threw " << error.what();
            }
            EndCommand();
            ASSERT_TRUE(checked >= 0 && checked <= 2) << what << ": check answered " << checked;
            ++checkExits[static_cast<std::size_t>(checked)];
            EXPECT_EQ(Differences(before, Snapshot(directory_)), "") << what << ": check wrote";
            Restore();
        }
        if (::testing::Test::HasFailure()) break;
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::cout << mutants << " mutants in " << seconds << " s; release exited 0/1/2: " << releaseExits[0] << "/"
              << releaseExits[1] << "/" << releaseExits[2] << "; check exited 0/1/2: " << checkExits[0] << "/"
              << checkExits[1] << "/" << checkExits[2] << '\n';
    // The mutants reach past the readers into a release and into the database check.
    EXPECT_GT(releaseExits[kExitSomeFailed], 0);
    EXPECT_GT(releaseExits[kExitNothingDone], 0);
    EXPECT_GT(checkExits[kExitSuccess] + checkExits[kExitSomeFailed], 0);
}

}  // namespace
}  // namespace standin
