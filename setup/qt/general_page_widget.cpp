#include "setup/qt/general_page_widget.h"

#include <limits>

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "setup/general_page_controls.h"
#include "setup/qt/dialog_units.h"
#include "setup/qt/popup_menu_qt.h"
#include "setup/qt/qt_text.h"
#include "setup/resource_ids.h"
#include "setup/resources.h"

namespace veldmark {
namespace {

constexpr int kPageMarginUnits = 7;

FocusLoss FocusLossOf(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason: return FocusLoss::MouseClick;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason: return FocusLoss::Keyboard;
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason: return FocusLoss::Popup;
    case Qt::ActiveWindowFocusReason: return FocusLoss::OtherWindow;
    default: return FocusLoss::Other;
    }
}

// The edit box a caption names: on the caption's line, to its right.
const DialogControl* EditBeside(const DialogTemplate& dialog, const DialogControl& caption) {
    const int middle = caption.rect.y + caption.rect.height / 2;
    for (const DialogControl& control : dialog.controls) {
        const bool edit = control.kind == ControlKind::Edit || control.kind == ControlKind::PasswordEdit;
        if (edit && control.rect.x > caption.rect.x && control.rect.y <= middle &&
            middle < control.rect.y + control.rect.height)
            return &control;
    }
    return nullptr;
}

QString ObjectName(int id) { return QStringLiteral("control_%1").arg(id); }

// Swallows the press of a click the code page message interrupted, as the
// platform does, so that the control clicked does not act on it.
class InterruptedPressFilter final : public QObject {
public:
    static void EatNextPress() {
        auto* filter = new InterruptedPressFilter;
        qApp->installEventFilter(filter);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress) return false;
        qApp->removeEventFilter(this);
        deleteLater();
        return true;
    }
};

}  // namespace

GeneralPageWidget::GeneralPageWidget(SetupModel& model, QWidget* parent,
                                     CPropertyPageSetupGeneral::VersionReader readVersion)
    : QWidget(parent), page_(std::move(readVersion)), codepageCommit_(page_),
      template_(*FindDialogTemplate(res::kDialogGeneralPage)) {
    page_.SetModel(&model);
    page_.AttachView(this);
}

QSize GeneralPageWidget::sizeHint() const {
    const DialogBaseUnits base = BaseUnitsOf(font());
    return {DialogUnitsToPixelsX(template_.width, base), DialogUnitsToPixelsY(template_.height, base)};
}

QWidget* GeneralPageWidget::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

kfx::Text GeneralPageWidget::Caption() const { return template_.caption; }

void GeneralPageWidget::OnCreate() {
    CreateControls();
    page_.OnInitDialog();
}

void GeneralPageWidget::OnSetActive() {
    if (QWidget* first = Control(res::kEditInstanceName)) first->setFocus(Qt::OtherFocusReason);
}

bool GeneralPageWidget::OnKillActive() { return codepageCommit_.OnLeavingPage(); }

bool GeneralPageWidget::CommitPendingInput() { return codepageCommit_.OnLeavingPage(); }

void GeneralPageWidget::OnSheetClosing() { codepageCommit_.OnSheetClosing(); }

void GeneralPageWidget::OnOK() { page_.OnOK(); }

void GeneralPageWidget::CreateControls() {
    const DialogBaseUnits base = BaseUnitsOf(font());
    const int pageRight = DialogUnitsToPixelsX(template_.width - kPageMarginUnits, base);
    for (const DialogControl& control : template_.controls) {
        QWidget* widget = nullptr;
        QRect geometry = MapDialogRect(control.rect, base);
        const QString text = ToQString(control.text);
        switch (control.kind) {
        case ControlKind::Edit:
        case ControlKind::PasswordEdit: {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(std::numeric_limits<int>::max());  // the template sets no limit
            if (control.kind == ControlKind::PasswordEdit) {
                edit->setEchoMode(QLineEdit::Password);
                edit->setStyleSheet(QStringLiteral("lineedit-password-character: %1;").arg(int{u'*'}));
            }
            widget = edit;
            break;
        }
        case ControlKind::Label:
        case ControlKind::RightLabel: {
            auto* label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            const bool right = control.kind == ControlKind::RightLabel;
            label->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            // A caption that needs more room than its template gives grows to
            // the left, towards the margin; a value label grows to the right.
            // A caption spans its box's height, centred as the box centres its
            // text, so that both share one baseline.
            if (const DialogControl* edit = right ? EditBeside(template_, control) : nullptr) {
                const QRect box = MapDialogRect(edit->rect, base);
                geometry.setTop(box.top());
                geometry.setHeight(box.height());
            }
            const int needed = label->sizeHint().width();
            if (right && needed > geometry.width()) geometry.setLeft(std::max(0, geometry.right() + 1 - needed));
            if (!right && control.text[0] == u'\0') geometry.setRight(std::max(geometry.right(), pageRight));
            widget = label;
            break;
        }
        case ControlKind::GroupBox: {
            // The title sits on the frame's top line, as in the platform's group boxes.
            auto* box = new QGroupBox(text, this);
            box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                                              " margin-top: %1px; }"
                                              "QGroupBox::title { subcontrol-origin: margin; left: 7px;"
                                              " padding: 0 2px; }")
                                   .arg(box->fontMetrics().height() / 2));
            widget = box;
            break;
        }
        case ControlKind::PushButton: widget = new QPushButton(text, this); break;
        case ControlKind::Frame:
        case ControlKind::CheckBox:
            continue;  // not on this page
        }
        widget->setGeometry(geometry);
        if (control.id != res::kControlNone) {
            widget->setObjectName(ObjectName(control.id));
            controls_[control.id] = widget;
        }
        // Group boxes frame the controls; they must not cover them.
        if (control.kind == ControlKind::GroupBox) widget->lower();
        widget->setVisible(!control.hidden);
    }

    for (const SettingControls& setting : GeneralPageSettingControls()) {
        auto* edit = SettingEdit(setting.slot);
        auto* button = static_cast<QPushButton*>(Control(setting.button));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, slot = setting.slot] { page_.ShowSourceMenu(slot); });
        switch (setting.slot) {
        case SlotCodepage: edit->installEventFilter(this); break;
        case SlotReplacementChar:
            connect(edit, &QLineEdit::textEdited, this, [this] { page_.OnReplacementCharChanged(); });
            break;
        default:
            connect(edit, &QLineEdit::textEdited, this, [this, slot = setting.slot] { page_.OnSettingTextChanged(slot); });
            break;
        }
    }
}

QLineEdit* GeneralPageWidget::SettingEdit(SettingSlot slot) const {
    return static_cast<QLineEdit*>(Control(ControlsOf(slot).edit));
}

bool GeneralPageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && watched == Control(res::kEditCodepage)) {
        const FocusLoss how = FocusLossOf(static_cast<QFocusEvent*>(event)->reason());
        if (codepageCommit_.OnFocusLost(how) == InterruptedClick::Swallow) InterruptedPressFilter::EatNextPress();
    }
    return QWidget::eventFilter(watched, event);
}

void GeneralPageWidget::ReadControls(GeneralPageTexts& texts) {
    for (const auto& [id, member] : GeneralPageExchange()) {
        QWidget* control = Control(id);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) texts.*member = ToText(edit->text());
        else if (auto* label = qobject_cast<QLabel*>(control)) texts.*member = ToText(label->text());
    }
}

void GeneralPageWidget::WriteControls(const GeneralPageTexts& texts) {
    for (const auto& [id, member] : GeneralPageExchange()) {
        QWidget* control = Control(id);
        // setText raises no textEdited, so the page hears nothing of its own writes.
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            if (edit->text() != ToQString(texts.*member)) edit->setText(ToQString(texts.*member));
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(ToQString(texts.*member));
            label->setToolTip(label->sizeHint().width() > label->width() ? label->text() : QString());
        }
    }
}

void GeneralPageWidget::EnableSettingEdit(SettingSlot slot, bool enabled) { SettingEdit(slot)->setEnabled(enabled); }

void GeneralPageWidget::SetPasswordMasked(bool masked) {
    SettingEdit(SlotPassword)->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void GeneralPageWidget::ShowVersion() {
    Control(res::kLabelVersionCaption)->show();
    Control(res::kLabelVersionText)->show();
}

void GeneralPageWidget::ShowMessage(const kfx::Text& message) {
    // A plain message with OK, as the platform's message box shows it when asked for no icon.
    QMessageBox box(QMessageBox::NoIcon, window()->windowTitle(), ToQString(message), QMessageBox::Ok, this);
    box.exec();
}

void GeneralPageWidget::FocusSettingEdit(SettingSlot slot) {
    // Called while the focus is on its way elsewhere: once now, and once more
    // when that move has finished.
    QLineEdit* edit = SettingEdit(slot);
    edit->setFocus(Qt::OtherFocusReason);
    QMetaObject::invokeMethod(edit, [edit] { edit->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
}

std::optional<int> GeneralPageWidget::TrackSourceMenu(SettingSlot slot, const PopupMenu& menu) {
    QWidget* anchor = Control(ControlsOf(slot).button);
    return ExecPopupMenu(menu, anchor->mapToGlobal(anchor->rect().bottomLeft() + QPoint(0, 1)), this);
}

}  // namespace veldmark
