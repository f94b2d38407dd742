#include "setup/task_dialog/qt/cx_task_dialog.h"

#include <cmath>
#include <cstdlib>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include "setup/qt/dialog_units.h"
#include "setup/qt/qt_text.h"
#include "setup/resource_ids.h"
#include "setup/task_dialog/qt/command_link.h"
#include "setup/task_dialog/qt/icon_resources.h"
#include "setup/task_dialog/qt/icon_static.h"
#include "setup/task_dialog/hyperlink_markup.h"

namespace veldmark {
namespace {

const QColor kUpperArea(255, 255, 255);
const QColor kLowerArea(240, 240, 240);
const QColor kDividerLine(233, 233, 233);
const QColor kInstructionColour(0, 51, 153);
constexpr int kCallbackInterval = 200;
constexpr int kExpandInterval = 25;
constexpr int kMainIconSize = 32;
constexpr int kFooterIconSize = 16;
constexpr int kLinkIconSize = 16;

QString ObjectNameOf(const TaskControl& control) {
    switch (control.kind) {
    case TaskControlKind::MainIcon: return QStringLiteral("mainIcon");
    case TaskControlKind::MainInstruction: return QStringLiteral("mainInstruction");
    case TaskControlKind::Content: return QStringLiteral("content");
    case TaskControlKind::ExpandedInformation: return QStringLiteral("expandedInformation");
    case TaskControlKind::ProgressBar: return QStringLiteral("progressBar");
    case TaskControlKind::RadioButton: return QStringLiteral("radio_%1").arg(control.id);
    case TaskControlKind::CommandLink: return QStringLiteral("commandLink_%1").arg(control.id);
    case TaskControlKind::PushButton: return QStringLiteral("button_%1").arg(control.id);
    case TaskControlKind::ExpandButton: return QStringLiteral("expandButton");
    case TaskControlKind::VerificationCheckBox: return QStringLiteral("verification");
    case TaskControlKind::FooterIcon: return QStringLiteral("footerIcon");
    case TaskControlKind::Footer: return QStringLiteral("footer");
    }
    return QString();
}

// The configuration's link markup as rich text.
QString HyperlinkHtml(const kfx::Text& text) {
    QString html;
    for (const MarkupRun& run : ParseHyperlinkMarkup(text)) {
        const QString shown = ToQString(run.text).toHtmlEscaped();
        html += run.link ? QStringLiteral("<a href=\"%1\">%2</a>").arg(ToQString(run.target).toHtmlEscaped(), shown)
                         : shown;
    }
    return html.replace(u'\n', QStringLiteral("<br>"));
}

QString ProgramFileName() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

}  // namespace

kfx::HRESULT CXTaskDialog::Run(const TaskDialogConfig& config, int* pressedButton, int* selectedRadio,
                               int* verificationChecked) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return HresultFromWin32(td::kErrorCannotFindWindowClass);

    Parts parts;
    std::optional<TaskDialogTexts> texts = LoadTaskDialogTexts(config, ToText(ProgramFileName()));
    if (!texts) return HresultFromWin32(td::kErrorResourceNotFound);
    parts.texts = std::move(*texts);
    const std::pair<std::pair<const TaskDialogButton*, std::uint32_t>, std::vector<LabelledButton>*> lists[] = {
        {{config.buttons, config.buttonCount}, &parts.customButtons},
        {{config.radioButtons, config.radioButtonCount}, &parts.radioButtons},
    };
    for (const auto& [source, target] : lists) {
        for (std::uint32_t index = 0; source.first && index < source.second; ++index) {
            std::optional<kfx::Text> text = LoadButtonText(config, source.first[index].text);
            if (!text) return HresultFromWin32(td::kErrorResourceNotFound);
            target->push_back({source.first[index].id, std::move(*text)});
        }
    }
    const bool mainHandle = (config.flags & td::kUseIconHandleMain) != 0;
    if (HasTaskDialogIcon(config.mainIcon, mainHandle)) {
        parts.mainIcon = TaskDialogIconPixmap(config, config.mainIcon, mainHandle, kMainIconSize);
        if (parts.mainIcon.isNull()) return HresultFromWin32(td::kErrorResourceNotFound);
    }
    const bool footerHandle = (config.flags & td::kUseIconHandleFooter) != 0;
    if (HasTaskDialogIcon(config.footerIcon, footerHandle))
        parts.footerIcon = TaskDialogIconPixmap(config, config.footerIcon, footerHandle, kFooterIconSize);

    CXTaskDialog dialog(config, std::move(parts), static_cast<QWidget*>(config.parent));
    dialog.Start();
    const int button = dialog.exec();
    dialog.NotifyDestroyed();
    if (pressedButton) *pressedButton = button;
    if (selectedRadio) *selectedRadio = dialog.selectedRadio_;
    if (verificationChecked) *verificationChecked = dialog.verificationChecked_ ? 1 : 0;
    return kfx::HR_S_OK;
}

CXTaskDialog::CXTaskDialog(const TaskDialogConfig& config, Parts parts, QWidget* owner)
    : QDialog(owner), config_(config), parts_(std::move(parts)),
      commonButtons_(RequestedCommonButtons(config.commonButtons)), normalFont_(QApplication::font()),
      largeFont_(LargeFontOf(normalFont_)), measurer_(normalFont_, largeFont_), rules_(config, *this),
      animate_(QApplication::isEffectEnabled(Qt::UI_General)) {
    setObjectName(QStringLiteral("taskDialog"));
    setWindowTitle(ToQString(parts_.texts.windowTitle));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (rules_.IsCancellable()) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (config.flags & td::kCanBeMinimized) flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    if (config.flags & td::kRtlLayout) setLayoutDirection(Qt::RightToLeft);
    setFont(normalFont_);

    layout_ = LayOutTaskDialog(LayoutInput(), measurer_);
    BuildControls();
    ApplyLayout(layout_);
}

TaskDialogLayoutInput CXTaskDialog::LayoutInput() const {
    TaskDialogLayoutInput input;
    input.flags = config_.flags;
    input.hasMainIcon = !parts_.mainIcon.isNull();
    input.hasFooterIcon = !parts_.footerIcon.isNull();
    input.mainInstruction = parts_.texts.mainInstruction;
    input.content = parts_.texts.contentPlain;
    input.expandedInformation = parts_.texts.expandedInformationPlain;
    input.verificationText = parts_.texts.verificationText;
    input.footer = parts_.texts.footerPlain;
    input.expandedControlText = parts_.texts.expandedControlText;
    input.collapsedControlText = parts_.texts.collapsedControlText;
    input.customButtons = parts_.customButtons;
    input.radioButtons = parts_.radioButtons;
    input.commonButtons = commonButtons_;
    input.implicitOkButton = ImplicitOkButton();
    input.defaultButton = config_.defaultButton;
    input.expanded = rules_.Expanded();
    input.widthInDialogUnits = static_cast<int>(config_.width);
    input.dialogBaseWidth = static_cast<int>(std::lround(BaseUnitsOf(normalFont_).x));
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    input.monitorWidth = screen ? screen->geometry().width() : 0;
    return input;
}

void CXTaskDialog::BuildControls() {
    for (const TaskControl& control : layout_.controls) {
        QWidget* widget = CreateControl(control);
        widget->setObjectName(ObjectNameOf(control));
        controls_[control.id] = widget;
    }
}

QLabel* CXTaskDialog::CreateTextLabel(const kfx::Text& text, const QFont& font, const QColor& colour) {
    auto* label = new QLabel(this);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    if (config_.flags & td::kEnableHyperlinks) {
        label->setTextFormat(Qt::RichText);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        label->setText(HyperlinkHtml(text));
        connect(label, &QLabel::linkActivated, this, [this](const QString& link) {
            const kfx::Text target = ToText(link);
            rules_.Notify(td::kHyperlinkClicked, 0, reinterpret_cast<std::intptr_t>(target.c_str()));
        });
    } else {
        label->setTextFormat(Qt::PlainText);
        label->setText(ToQString(text));
    }
    return label;
}

QWidget* CXTaskDialog::CreateControl(const TaskControl& control) {
    const QColor textColour = palette().color(QPalette::ButtonText);
    switch (control.kind) {
    case TaskControlKind::MainIcon: {
        auto* icon = new CXTaskDialogIconStatic(this);
        icon->SetPixmap(parts_.mainIcon);
        return icon;
    }
    case TaskControlKind::FooterIcon: {
        auto* icon = new CXTaskDialogIconStatic(this);
        icon->SetPixmap(parts_.footerIcon);
        return icon;
    }
    case TaskControlKind::MainInstruction: {
        auto* label = new QLabel(ToQString(control.text), this);
        label->setTextFormat(Qt::PlainText);
        label->setFont(largeFont_);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kInstructionColour);
        label->setPalette(palette);
        return label;
    }
    case TaskControlKind::Content: return CreateTextLabel(parts_.texts.content, normalFont_, textColour);
    case TaskControlKind::ExpandedInformation:
        return CreateTextLabel(parts_.texts.expandedInformation, normalFont_, textColour);
    case TaskControlKind::Footer: return CreateTextLabel(parts_.texts.footer, normalFont_, textColour);
    case TaskControlKind::ProgressBar: {
        auto* bar = new QProgressBar(this);
        bar->setTextVisible(false);
        bar->setRange(0, (config_.flags & td::kShowMarqueeProgressBar) ? 0 : 100);
        return bar;
    }
    case TaskControlKind::RadioButton: {
        auto* radio = new QRadioButton(ToQString(control.text), this);
        connect(radio, &QRadioButton::clicked, this, [this, id = control.id] { rules_.Notify(td::kRadioButtonClicked, id); });
        return radio;
    }
    case TaskControlKind::CommandLink: {
        const CommandLinkText text = SplitCommandLinkText(control.text);
        const bool withIcon = (config_.flags & td::kUseCommandLinksNoIcon) == 0;
        auto* link = new CXTaskDialogCommandLink(
            text, LayOutCommandLink(text, control.rect.width, withIcon, measurer_), largeFont_, normalFont_, this);
        SetLinkIcons(link, false);
        connect(link, &QAbstractButton::clicked, this, [this, id = control.id] { ButtonClicked(id); });
        return link;
    }
    case TaskControlKind::PushButton: {
        auto* button = new QPushButton(ToQString(control.text), this);
        button->setAutoDefault(false);
        button->setDefault(control.isDefault);
        connect(button, &QPushButton::clicked, this, [this, id = control.id] { ButtonClicked(id); });
        return button;
    }
    case TaskControlKind::ExpandButton: {
        auto* button = new QPushButton(ToQString(control.text), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, &CXTaskDialog::ToggleExpanded);
        return button;
    }
    case TaskControlKind::VerificationCheckBox: {
        auto* box = new QCheckBox(ToQString(control.text), this);
        connect(box, &QCheckBox::clicked, this, [this](bool checked) {
            rules_.Notify(td::kVerificationClicked, checked ? 1 : 0);
        });
        return box;
    }
    }
    return nullptr;
}

void CXTaskDialog::SetLinkIcons(QWidget* control, bool elevationRequired) {
    const bool withIcon = (config_.flags & td::kUseCommandLinksNoIcon) == 0;
    if (auto* link = qobject_cast<CXTaskDialogCommandLink*>(control)) {
        if (elevationRequired) {
            const QPixmap shield = ComponentIcon(res::kIconShield, kLinkIconSize);
            link->SetIcons(shield, shield);
        } else if (withIcon) {
            link->SetIcons(ComponentIcon(res::kIconArrow, kLinkIconSize), ComponentIcon(res::kIconArrowHot, kLinkIconSize));
        } else {
            link->SetIcons(QPixmap(), QPixmap());
        }
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        button->setIcon(elevationRequired ? QIcon(ComponentIcon(res::kIconShield, kLinkIconSize)) : QIcon());
    }
}

void CXTaskDialog::ApplyLayout(const TaskDialogLayout& layout) {
    const bool mirrored = layoutDirection() == Qt::RightToLeft;
    for (const TaskControl& control : layout.controls) {
        QWidget* widget = Control(control.id);
        if (!widget) continue;
        const int x = mirrored ? layout.width - control.rect.Right() : control.rect.x;
        widget->setGeometry(x, control.rect.y, control.rect.width, control.rect.height);
        widget->setVisible(!control.hidden);
        if (auto* button = qobject_cast<QPushButton*>(widget); button && control.kind == TaskControlKind::ExpandButton)
            button->setText(ToQString(control.text));
    }
    layout_ = layout;
    setFixedSize(layout.width, layout.height);
    update();
}

void CXTaskDialog::Start() { rules_.Start([this] { Prepare(); }); }

void CXTaskDialog::Prepare() {
    const QWidget* owner = parentWidget();
    if ((config_.flags & td::kPositionRelativeToWindow) && owner) {
        move(owner->frameGeometry().center() - rect().center());
    } else if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    if (auto* box = qobject_cast<QCheckBox*>(ControlOf(TaskControlKind::VerificationCheckBox)))
        box->setChecked((config_.flags & td::kVerificationFlagChecked) != 0);
    for (const TaskControl& control : layout_.controls) {
        if (control.isDefault) Control(control.id)->setFocus(Qt::OtherFocusReason);
    }
    if (const std::optional<int> radio = rules_.InitialRadio(parts_.radioButtons)) {
        if (auto* control = qobject_cast<QRadioButton*>(Control(*radio))) control->setChecked(true);
    }
    if ((config_.flags & td::kCanBeMinimized) && !parts_.mainIcon.isNull()) setWindowIcon(QIcon(parts_.mainIcon));

    if (config_.flags & td::kCallbackTimer) callbackTimer_.start(kCallbackInterval, this);
    startTick_.start();

    // The standard icons sound as the platform's message sounds do.
    const bool standardIcon = !(config_.flags & td::kUseIconHandleMain) &&
                              (config_.mainIcon.resourceId == td::kErrorIcon ||
                               config_.mainIcon.resourceId == td::kWarningIcon ||
                               config_.mainIcon.resourceId == td::kInformationIcon);
    if (standardIcon) QApplication::beep();
}

void CXTaskDialog::NotifyDestroyed() {
    callbackTimer_.stop();
    expandTimer_.stop();
    rules_.Destroyed();
}

void CXTaskDialog::ButtonClicked(int id) {
    if (rules_.ButtonClicked(id)) End(id);
}

void CXTaskDialog::End(int id) {
    if (auto* box = qobject_cast<QCheckBox*>(ControlOf(TaskControlKind::VerificationCheckBox)))
        verificationChecked_ = box->isChecked();
    selectedRadio_ = -1;
    for (const LabelledButton& radio : parts_.radioButtons) {
        if (auto* control = qobject_cast<QRadioButton*>(Control(radio.id)); control && control->isChecked()) {
            selectedRadio_ = radio.id;
            break;
        }
    }
    done(id);
}

void CXTaskDialog::reject() {
    if (rules_.CancelRequested()) End(td::kIdCancel);
}

void CXTaskDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}

void CXTaskDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        std::optional<int> focused;
        for (const auto& [id, widget] : controls_) {
            if (widget == focusWidget()) focused = id;
        }
        if (const std::optional<int> id = ButtonForEnter(layout_, focused)) {
            if (QAbstractButton* chosen = ButtonControl(*id); chosen && chosen->isEnabled()) chosen->click();
        }
        return;
    }
    case Qt::Key_Escape: reject(); return;
    case Qt::Key_F1: rules_.Notify(td::kHelp); return;
    default: QDialog::keyPressEvent(event);
    }
}

void CXTaskDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == callbackTimer_.timerId()) {
        if (rules_.TimerElapsed(static_cast<std::uint64_t>(startTick_.elapsed()))) startTick_.restart();
    } else if (event->timerId() == expandTimer_.timerId()) {
        StepExpansion();
    } else {
        QDialog::timerEvent(event);
    }
}

void CXTaskDialog::ToggleExpanded() { rules_.ToggleExpanded([this] { Relayout(); }); }

void CXTaskDialog::Relayout() {
    TaskDialogLayout next = LayOutTaskDialog(LayoutInput(), measurer_);
    if (!animate_) {
        ApplyLayout(next);
        return;
    }
    // Everything that moves is hidden while the dialog grows or shrinks.
    for (const TaskControl& control : next.controls) {
        const TaskControl* now = layout_.FindId(control.id);
        if (now && (now->rect.y != control.rect.y || control.kind == TaskControlKind::ExpandedInformation))
            Control(control.id)->hide();
    }
    expansionStep_ = std::max(1, std::abs(next.height - layout_.height) / 10);
    pendingLayout_ = std::move(next);
    layout_.dividers = pendingLayout_.dividers;
    expandTimer_.start(kExpandInterval, this);
}

void CXTaskDialog::StepExpansion() {
    const int target = pendingLayout_.height;
    const int current = height();
    const int next = current < target ? std::min(target, current + expansionStep_) : std::max(target, current - expansionStep_);
    setFixedSize(width(), next);
    if (next != target) return;
    expandTimer_.stop();
    ApplyLayout(pendingLayout_);
    if (QWidget* button = ControlOf(TaskControlKind::ExpandButton)) button->setFocus(Qt::OtherFocusReason);
}

QWidget* CXTaskDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QWidget* CXTaskDialog::ControlOf(TaskControlKind kind) const {
    const TaskControl* control = layout_.Find(kind);
    return control ? Control(control->id) : nullptr;
}

QAbstractButton* CXTaskDialog::ButtonControl(int id) const {
    const TaskControl* control = layout_.FindId(id);
    if (!control || (control->kind != TaskControlKind::CommandLink && control->kind != TaskControlKind::PushButton))
        return nullptr;
    return qobject_cast<QAbstractButton*>(Control(id));
}

QProgressBar* CXTaskDialog::ProgressBar() const {
    return qobject_cast<QProgressBar*>(ControlOf(TaskControlKind::ProgressBar));
}

std::intptr_t CXTaskDialog::Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return AnswerTaskDialogMessage(config_, *this, message, wParam, lParam);
}

bool CXTaskDialog::PressButtonLater(int id) {
    QAbstractButton* button = ButtonControl(id);
    if (!button) return false;
    button->setFocus(Qt::OtherFocusReason);
    return QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

void CXTaskDialog::EnableButton(int id, bool enabled) {
    if (QAbstractButton* button = ButtonControl(id)) button->setEnabled(enabled);
}

void CXTaskDialog::SetElevationRequired(int id, bool required) {
    if (QAbstractButton* button = ButtonControl(id)) SetLinkIcons(button, required);
}

void CXTaskDialog::CheckRadio(int id) {
    for (const LabelledButton& radio : parts_.radioButtons) {
        if (auto* control = qobject_cast<QRadioButton*>(Control(radio.id))) control->setChecked(radio.id == id);
    }
    if (QWidget* control = Control(id)) control->setFocus(Qt::OtherFocusReason);
}

void CXTaskDialog::EnableRadio(int id, bool enabled) {
    if (auto* radio = qobject_cast<QRadioButton*>(Control(id))) radio->setEnabled(enabled);
}

void CXTaskDialog::SetVerification(bool checked, bool focus) {
    auto* box = qobject_cast<QCheckBox*>(ControlOf(TaskControlKind::VerificationCheckBox));
    box->setChecked(checked);
    if (focus) box->setFocus(Qt::OtherFocusReason);
}

bool CXTaskDialog::HasControl(TaskControlKind kind) const { return ControlOf(kind) != nullptr; }

void CXTaskDialog::SetProgressMarquee(bool marquee) { ProgressBar()->setRange(0, marquee ? 0 : 100); }

void CXTaskDialog::SetProgressState(ProgressState state) {
    QProgressBar* bar = ProgressBar();
    QPalette palette = bar->style()->standardPalette();
    if (state == ProgressState::Error) palette.setColor(QPalette::Highlight, QColor(218, 38, 38));
    if (state == ProgressState::Paused) palette.setColor(QPalette::Highlight, QColor(218, 203, 38));
    bar->setPalette(palette);
}

std::pair<int, int> CXTaskDialog::ProgressRange() const { return {ProgressBar()->minimum(), ProgressBar()->maximum()}; }

void CXTaskDialog::SetProgressRange(int minimum, int maximum) { ProgressBar()->setRange(minimum, maximum); }

int CXTaskDialog::ProgressPosition() const { return ProgressBar()->value(); }

void CXTaskDialog::SetProgressPosition(int position) { ProgressBar()->setValue(position); }

void CXTaskDialog::SetElementText(TaskControlKind element, const kfx::Text& text) {
    switch (element) {
    case TaskControlKind::Content: parts_.texts.content = text; break;
    case TaskControlKind::ExpandedInformation: parts_.texts.expandedInformation = text; break;
    case TaskControlKind::Footer: parts_.texts.footer = text; break;
    case TaskControlKind::MainInstruction: parts_.texts.mainInstruction = text; break;
    default: return;
    }
    if (auto* label = qobject_cast<QLabel*>(ControlOf(element))) {
        const bool rich = label->textFormat() == Qt::RichText;
        label->setText(rich ? HyperlinkHtml(text) : ToQString(text));
    }
}

void CXTaskDialog::SetIcon(bool main, const TaskDialogIcon& icon, bool useHandle) {
    const QPixmap pixmap = TaskDialogIconPixmap(config_, icon, useHandle, main ? kMainIconSize : kFooterIconSize);
    if (auto* control =
            qobject_cast<CXTaskDialogIconStatic*>(ControlOf(main ? TaskControlKind::MainIcon : TaskControlKind::FooterIcon)))
        control->SetPixmap(pixmap);
    if (main && (config_.flags & td::kCanBeMinimized)) setWindowIcon(QIcon(pixmap));
}

void CXTaskDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const std::vector<int>& dividers = layout_.dividers;
    const int first = dividers.empty() ? height() : dividers.front();
    painter.fillRect(0, 0, width(), first, kUpperArea);
    if (dividers.empty()) return;
    painter.fillRect(0, first, width(), height() - first, kLowerArea);
    for (std::size_t index = 0; index < dividers.size(); ++index) {
        painter.fillRect(0, dividers[index], width(), 1, kDividerLine);
        if (index > 0) painter.fillRect(0, dividers[index] + 1, width(), 1, kUpperArea);
    }
}

}  // namespace veldmark
