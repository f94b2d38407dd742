#include "tools/progress_bar.h"

#include <string>

namespace standin {

bool ShouldShowProgress(bool streamIsTerminal, std::size_t documents) {
    return streamIsTerminal && documents > kFewDocuments;
}

ProgressBar::ProgressBar(std::ostream& out, std::size_t total, bool enabled)
    : out_(out), total_(total), enabled_(enabled && total > 0) {}

void ProgressBar::Advance() {
    if (done_ < total_) ++done_;
    if (!enabled_) return;
    const std::size_t filled = done_ * kWidth / total_;
    out_ << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '-') << "] " << done_ << '/'
         << total_ << std::flush;
    drawn_ = true;
}

void ProgressBar::Clear() {
    if (!drawn_) return;
    out_ << '\r' << std::string(kWidth + 4 + 2 * std::to_string(total_).size() + 1, ' ') << '\r' << std::flush;
    drawn_ = false;
}

}  // namespace standin
