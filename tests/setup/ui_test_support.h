// Drives the settings sheet as an administrator would, inside the modal
// loops of RunUI, menus, message boxes and the prompt, over a document class
// kept in a store file as the veldmark command keeps it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <gtest/gtest.h>

#include "host/kfx_types.h"
#include "host_standin/release_setup_data.h"

class QApplication;
class QLineEdit;
class QMenu;
class QMessageBox;
class QWidget;

namespace veldmark {

class CXTaskDialog;
class SettingsSheet;

namespace uitest {

// A document class with index fields, host values and a few stored links.
standin::DocumentClass SampleDocumentClass();

// One document-class file in a directory of its own, removed afterwards.
class StoredDocumentClass {
public:
    explicit StoredDocumentClass(const standin::DocumentClass& documentClass);
    ~StoredDocumentClass();

    // The setup data as the host hands it to a setup script: Apply rewrites the file.
    kfx::ComPtr<standin::ReleaseSetupData> OpenSetupData() const;
    // What the file holds now.
    standin::DocumentClass Reload() const;
    const std::filesystem::path& Path() const { return file_; }

private:
    std::filesystem::path directory_;
    std::filesystem::path file_;
};

// Creates a setup object as the host does, hands it the setup data and runs
// RunUI; drive is called once the sheet shows and must close it. Answers
// RunUI's KfxReturnValue.
kfx::KfxReturnValue RunSetup(kfx::IReleaseSetupData* setupData, const std::function<void(SettingsSheet&)>& drive);

// Calls act with the widget find returns, as soon as it returns one. A
// widget that does not appear within a few seconds fails the test, and the
// modal windows are closed so that nothing hangs.
void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> act);

QMessageBox* ActiveMessageBox();
CXTaskDialog* ActiveTaskDialog();

// Schedules the choice of a menu entry, by the captions on the way to it,
// then runs open, which pops the menu up and returns when it has closed.
void ChooseFromMenu(const std::function<void()>& open, const std::vector<QString>& path);
// Schedules the check of the menu's entries (caption and check mark, "[x] "
// before a checked one, "-" before a disabled one, submenus indented) and
// dismisses it; runs open.
std::vector<QString> ReadMenu(const std::function<void()>& open);

// Runs act; a message box that shows meanwhile is answered with OK and its
// text returned (empty when none showed).
QString AnswerMessageBox(const std::function<void()>& act);
// Runs act; any dialog that shows meanwhile fails the test and is closed.
void ExpectNoDialog(const std::function<void()>& act);

// Lets queued work (such as a focus that is given back) happen.
void Settle();

// Types the text into the box as keystrokes, after giving it the focus.
void TypeInto(QLineEdit* box, const QString& text);

// The directory the screenshots go to.
std::filesystem::path ScreenshotDirectory();
void SaveScreenshot(QWidget* widget, const std::string& name);

// A widget application for the tests of a suite.
class UiTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

private:
    static std::unique_ptr<QApplication> application_;
};

}  // namespace uitest
}  // namespace veldmark
