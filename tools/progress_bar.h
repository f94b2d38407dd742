// A one-line progress bar redrawn in place on a terminal stream.
#pragma once

#include <cstddef>
#include <ostream>

namespace standin {

// A bar is worth showing only on a terminal and for more than a few documents.
constexpr std::size_t kFewDocuments = 5;
bool ShouldShowProgress(bool streamIsTerminal, std::size_t documents);

class ProgressBar {
public:
    // A disabled bar writes nothing.
    ProgressBar(std::ostream& out, std::size_t total, bool enabled);

    // Counts one more item done and redraws.
    void Advance();
    // Wipes the bar, so that other output can take the line.
    void Clear();

private:
    static constexpr std::size_t kWidth = 30;

    std::ostream& out_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool enabled_;
    std::size_t drawnWidth_ = 0;  // 0: nothing on the line
};

}  // namespace standin
