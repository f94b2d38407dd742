#include "ui_test_support.h"

#include <chrono>
#include <random>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "host/release_script.h"
#include "host_standin/document_class_file.h"
#include "setup/create_setup_script.h"
#include "setup/qt/settings_sheet.h"
#include "setup/task_dialog/qt/cx_task_dialog.h"

namespace veldmark::uitest {
namespace {

constexpr int kPollInterval = 5;
constexpr qint64 kAppearTimeout = 5000;

// Closes whatever is modal or popped up, so that a failed test ends.
void CloseEverything() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(0);
        else modal->close();
    }
}

QString Plain(QString caption) { return caption.remove(u'&'); }

void Describe(const QMenu& menu, const QString& indent, std::vector<QString>& lines) {
    for (QAction* action : menu.actions()) {
        QString line = indent;
        if (!action->isEnabled()) line += u'-';
        if (action->isChecked()) line += QStringLiteral("[x] ");
        line += Plain(action->text());
        lines.push_back(line);
        if (action->menu()) Describe(*action->menu(), indent + QStringLiteral("  "), lines);
    }
}

}  // namespace

std::unique_ptr<QApplication> UiTest::application_;

void UiTest::SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "setup_ui_tests";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
}

void UiTest::TearDownTestSuite() { application_.reset(); }

standin::DocumentClass SampleDocumentClass() {
    standin::DocumentClass stored;
    stored.batchClassName = u"AP Invoices";
    stored.documentClassName = u"Supplier Invoice";
    stored.releaseScriptName = u"System21 export";
    stored.connectString = u"sqlite:db";
    stored.userName = u"clerk";
    stored.password = u"secret";
    stored.customProperties = {{u"serverAPILibrary", u"APLIB"}};
    stored.indexFields = {{u"Invoice Number", u""}, {u"Supplier", u""}, {u"Invoice Date", u""},
                          {u"Description", u"Lines"}};
    stored.batchFields = {u"OriginalFolder", u"OriginalFileNameExt"};
    stored.hostValueNames = {u"First Page Original File Name", u"Batch Name"};
    stored.links = {{u"Invoice Number", kfx::KFX_REL_INDEXFIELD, u"AIP32.INVN32"},
                    {u"Description", kfx::KFX_REL_INDEXFIELD, u"AIP33.DESC33"}};
    return stored;
}

StoredDocumentClass::StoredDocumentClass(const standin::DocumentClass& documentClass) {
    std::random_device random;
    directory_ = std::filesystem::temp_directory_path() / ("veldmark-setup-" + std::to_string(random()));
    std::filesystem::create_directories(directory_);
    file_ = directory_ / "supplier-invoice.json";
    standin::SaveDocumentClass(file_, documentClass);
}

StoredDocumentClass::~StoredDocumentClass() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

kfx::ComPtr<standin::ReleaseSetupData> StoredDocumentClass::OpenSetupData() const {
    const std::filesystem::path file = file_;
    return standin::MakeHostObject<standin::ReleaseSetupData>(
        nullptr, standin::LoadDocumentClass(file_),
        [file](const standin::DocumentClass& edited) { standin::SaveDocumentClass(file, edited); });
}

standin::DocumentClass StoredDocumentClass::Reload() const { return standin::LoadDocumentClass(file_); }

kfx::KfxReturnValue RunSetup(kfx::IReleaseSetupData* setupData, const std::function<void(SettingsSheet&)>& drive) {
    void* object = nullptr;
    EXPECT_EQ(CreateSetupScript(nullptr, kfx::IID_IKfxReleaseSetupScript, &object), kfx::HR_S_OK);
    const auto script = kfx::ComPtr<kfx::IKfxReleaseSetupScript>::Adopt(static_cast<kfx::IKfxReleaseSetupScript*>(object));
    script->putref_SetupData(setupData);

    WhenShown([] { return qobject_cast<SettingsSheet*>(QApplication::activeModalWidget()); },
              [&drive](QWidget* widget) {
                  auto* sheet = static_cast<SettingsSheet*>(widget);
                  QApplication::setActiveWindow(sheet);
                  drive(*sheet);
                  if (sheet->isVisible()) {
                      ADD_FAILURE() << "the sheet was left open";
                      CloseEverything();
                  }
              });
    kfx::KfxReturnValue result = kfx::KFX_REL_ERROR;
    EXPECT_EQ(script->RunUI(&result), kfx::HR_S_OK);
    return result;
}

void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> act) {
    // Owned by the application, so that a timer whose test ended early goes with it.
    auto* timer = new QTimer(QCoreApplication::instance());
    QElapsedTimer clock;
    clock.start();
    timer->setInterval(kPollInterval);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, find = std::move(find), act = std::move(act)] {
        QWidget* widget = find();
        if (!widget && clock.elapsed() < kAppearTimeout) return;
        timer->stop();
        timer->deleteLater();
        if (!widget) {
            ADD_FAILURE() << "the expected window did not appear";
            CloseEverything();
            return;
        }
        act(widget);
    });
    timer->start();
}

QMessageBox* ActiveMessageBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

CXTaskDialog* ActiveTaskDialog() { return qobject_cast<CXTaskDialog*>(QApplication::activeModalWidget()); }

namespace {

void ChooseLevel(std::vector<QString> path, const QMenu* parent = nullptr) {
    WhenShown(
        [parent]() -> QWidget* {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            return menu != parent ? menu : nullptr;
        },
        [path](QWidget* widget) mutable {
                  auto* menu = static_cast<QMenu*>(widget);
                  QAction* chosen = nullptr;
                  for (QAction* action : menu->actions()) {
                      if (Plain(action->text()) == path.front()) chosen = action;
                  }
                  if (!chosen) {
                      ADD_FAILURE() << "no menu entry " << path.front().toStdString();
                      CloseEverything();
                      return;
                  }
                  path.erase(path.begin());
                  menu->setActiveAction(chosen);
                  if (!path.empty()) {
                      // The submenu opens; the next level is chosen there.
                      ChooseLevel(path, menu);
                      QTest::keyClick(menu, Qt::Key_Right);
                      return;
                  }
                  QTest::keyClick(menu, Qt::Key_Return);
              });
}

}  // namespace

void ChooseFromMenu(const std::function<void()>& open, const std::vector<QString>& path) {
    ChooseLevel(path);
    open();
    Settle();
}

std::vector<QString> ReadMenu(const std::function<void()>& open) {
    std::vector<QString> lines;
    WhenShown([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
              [&lines](QWidget* widget) {
                  Describe(*static_cast<QMenu*>(widget), QString(), lines);
                  QTest::keyClick(widget, Qt::Key_Escape);
              });
    open();
    Settle();
    return lines;
}

namespace {

// Watches, while an action runs, for modal windows above `below`, each
// handed to `handle`; a menu that pops up meanwhile fails the test.
class ModalWatch {
public:
    ModalWatch(QWidget* below, std::function<void(QWidget*)> handle) {
        timer_.setInterval(kPollInterval);
        QObject::connect(&timer_, &QTimer::timeout, [this, below, handle = std::move(handle)] {
            if (busy_) return;
            if (QApplication::activePopupWidget()) {
                ADD_FAILURE() << "a menu popped up";
                CloseEverything();
                return;
            }
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == below) return;
            busy_ = true;
            handle(modal);
            busy_ = false;
        });
        timer_.start();
    }

private:
    QTimer timer_;
    bool busy_ = false;
};

}  // namespace

QString AnswerMessageBox(const std::function<void()>& act) {
    QString text;
    {
        const ModalWatch watch(QApplication::activeModalWidget(), [&text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                ADD_FAILURE() << "a dialog other than a message box showed";
                CloseEverything();
                return;
            }
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        act();
    }
    return text;
}

void ExpectNoDialog(const std::function<void()>& act) {
    const ModalWatch watch(QApplication::activeModalWidget(), [](QWidget* modal) {
        ADD_FAILURE() << "a dialog showed: " << modal->windowTitle().toStdString();
        CloseEverything();
    });
    act();
}

void Settle() {
    // The window manager activates the window below a dialog that closes;
    // without one, that is done here.
    if (QWidget* modal = QApplication::activeModalWidget()) QApplication::setActiveWindow(modal);
    QCoreApplication::processEvents();
}

void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(box, text);
}

// In the build tree, so that running the tests leaves the sources as they are.
std::filesystem::path ScreenshotDirectory() { return VELDMARK_SCREENSHOT_DIR; }

void SaveScreenshot(QWidget* widget, const std::string& name) {
    std::filesystem::create_directories(ScreenshotDirectory());
    const std::filesystem::path file = ScreenshotDirectory() / (name + ".png");
    EXPECT_TRUE(widget->grab().save(QString::fromStdString(file.string()))) << file;
}

}  // namespace veldmark::uitest
