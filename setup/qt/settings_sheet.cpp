#include "setup/qt/settings_sheet.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QIcon>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "setup/qt/general_page_widget.h"
#include "setup/qt/mapping_page_widget.h"
#include "setup/qt/qt_text.h"

namespace veldmark {
namespace {

// Room around each page name in the navigation list, in pixels.
constexpr int kNavigationPaddingX = 10;
constexpr int kNavigationPaddingY = 5;
constexpr int kNavigationMinimumWidth = 120;

}  // namespace

SettingsSheet::SettingsSheet(const QString& title, SetupModel& model, RequiredFieldPrompt prompt,
                             CPropertyPageSetupGeneral::VersionReader readVersion)
    : QDialog(nullptr), generalPage_(new GeneralPageWidget(model, nullptr, std::move(readVersion))),
      mappingPage_(new MappingPageWidget(model, std::move(prompt), nullptr)), navigation_(new QListWidget),
      stack_(new QStackedWidget), okButton_(nullptr), cancelButton_(nullptr),
      sheet_({generalPage_, mappingPage_}, [this](std::size_t index) {
          stack_->setCurrentIndex(static_cast<int>(index));
          const QSignalBlocker blocker(navigation_);
          navigation_->setCurrentRow(static_cast<int>(index));
      }) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("settingsSheet"));

    navigation_->setObjectName(QStringLiteral("navigation"));
    navigation_->setStyleSheet(
        QStringLiteral("QListWidget::item { padding: %1px %2px; }").arg(kNavigationPaddingY).arg(kNavigationPaddingX));
    int widest = 0;
    for (std::size_t index = 0; index < sheet_.PageCount(); ++index) {
        const QString caption = ToQString(sheet_.Page(index).Caption());
        navigation_->addItem(caption);
        widest = std::max(widest, navigation_->fontMetrics().horizontalAdvance(caption));
    }
    navigation_->setFixedWidth(
        std::max(kNavigationMinimumWidth, widest + 4 * kNavigationPaddingX + 2 * navigation_->frameWidth()));

    stack_->addWidget(generalPage_);
    stack_->addWidget(mappingPage_);
    stack_->setFixedSize(generalPage_->sizeHint().expandedTo(mappingPage_->sizeHint()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
    okButton_->setDefault(true);
    // Plain buttons, as in the platform's settings dialogs, whatever icons the desktop theme offers.
    okButton_->setIcon(QIcon());
    cancelButton_->setIcon(QIcon());
    // Clicking Cancel leaves the box being edited without judging its text:
    // everything typed is discarded anyway.
    cancelButton_->setFocusPolicy(Qt::TabFocus);
    connect(okButton_, &QPushButton::clicked, this, &SettingsSheet::RequestOk);
    connect(cancelButton_, &QPushButton::clicked, this, &SettingsSheet::reject);
    connect(navigation_, &QListWidget::currentRowChanged, this, &SettingsSheet::RequestPage);

    auto* body = new QHBoxLayout;
    body->addWidget(navigation_);
    body->addWidget(stack_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SettingsSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    sheet_.Start();
}

void SettingsSheet::RequestPage(int index) {
    if (index < 0 || static_cast<std::size_t>(index) == sheet_.ActivePage()) return;
    if (sheet_.SetActivePage(static_cast<std::size_t>(index))) return;
    // The page refused to be left: the list goes back to it.
    const QSignalBlocker blocker(navigation_);
    navigation_->setCurrentRow(static_cast<int>(sheet_.ActivePage()));
}

void SettingsSheet::RequestOk() {
    if (!sheet_.PressOk()) return;
    sheet_.Close();
    accept();
}

void SettingsSheet::reject() {
    sheet_.Close();
    QDialog::reject();
}

}  // namespace veldmark
