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
    const std::string bar = "[" + std::string(filled, '#') + std::string(kWidth - filled, '-') + "] " +
                            std::to_string(done_) + "/" + std::to_string(total_);
    out_ << '\r' << bar << std::flush;
    drawnWidth_ = bar.size();
}

void ProgressBar::Clear() {
    if (drawnWidth_ == 0) return;
    out_ << '\r' << std::string(drawnWidth_, ' ') << '\r' << std::flush;
    drawnWidth_ = 0;
}

}  // namespace standin
