#include "setup/property_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldmark {
namespace {

// A page that records what the sheet asks of it.
class RecordingPage final : public PropertyPage {
public:
    RecordingPage(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}

    kfx::Text Caption() const override { return kfx::Text(name_.begin(), name_.end()); }
    void OnCreate() override { log_.push_back(name_ + ".create"); }
    void OnSetActive() override { log_.push_back(name_ + ".active"); }
    bool OnKillActive() override {
        log_.push_back(name_ + ".leave");
        return mayLeave;
    }
    bool CommitPendingInput() override {
        log_.push_back(name_ + ".commit");
        return inputAccepted;
    }
    void OnSheetClosing() override { log_.push_back(name_ + ".closing"); }
    void OnOK() override { log_.push_back(name_ + ".ok"); }

    bool mayLeave = true;
    bool inputAccepted = true;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class PropertySheetTest : public ::testing::Test {
protected:
    std::vector<std::string> log_;
    RecordingPage general_{"general", log_};
    RecordingPage mapping_{"mapping", log_};
    std::vector<std::size_t> shown_;
    PropertySheet sheet_{{&general_, &mapping_}, [this](std::size_t index) { shown_.push_back(index); }};
};

TEST_F(PropertySheetTest, CreatesAPageWhenItFirstBecomesActiveAndAsksTheActivePageBeforeLeaving) {
    sheet_.Start();
    EXPECT_TRUE(sheet_.SetActivePage(1));
    EXPECT_TRUE(sheet_.SetActivePage(0));
    EXPECT_EQ(log_, (std::vector<std::string>{"general.create", "general.active", "general.leave", "mapping.create",
                                              "mapping.active", "mapping.leave", "general.active"}));
    EXPECT_EQ(shown_, (std::vector<std::size_t>{0, 1, 0}));
}

TEST_F(PropertySheetTest, APageThatRefusesToBeLeftStaysActive) {
    sheet_.Start();
    sheet_.SetActivePage(1);
    mapping_.mayLeave = false;
    EXPECT_FALSE(sheet_.SetActivePage(0));
    EXPECT_EQ(sheet_.ActivePage(), 1u);
    EXPECT_FALSE(sheet_.PressOk());
    EXPECT_EQ(log_.back(), "mapping.leave");
}

TEST_F(PropertySheetTest, OkAsksOnlyTheActivePageThenReachesEveryCreatedPage) {
    sheet_.Start();
    EXPECT_TRUE(sheet_.PressOk());
    sheet_.Close();
    EXPECT_EQ(log_, (std::vector<std::string>{"general.create", "general.active", "general.commit", "general.leave",
                                              "general.ok", "general.closing"}));
}

TEST_F(PropertySheetTest, RefusedInputKeepsTheSheetOpenWithoutAskingThePage) {
    sheet_.Start();
    general_.inputAccepted = false;
    EXPECT_FALSE(sheet_.PressOk());
    EXPECT_EQ(log_.back(), "general.commit");
}

}  // namespace
}  // namespace veldmark
