// The task dialog emulation: takes the platform's configuration record, lays
// the dialog out by the platform's rules, paints it in the platform's look,
// raises the same notifications and answers the same messages.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include <QBasicTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QFont>
#include <QPixmap>

#include "setup/task_dialog/qt/qt_text_measurer.h"
#include "setup/task_dialog/task_dialog_config.h"
#include "setup/task_dialog/task_dialog_layout.h"
#include "setup/task_dialog/task_dialog_messages.h"
#include "setup/task_dialog/task_dialog_rules.h"
#include "setup/task_dialog/task_dialog_texts.h"

class QAbstractButton;
class QLabel;
class QProgressBar;

namespace veldmark {

class CXTaskDialog final : public QDialog, public TaskDialogWindow, private TaskDialogControls {
    Q_OBJECT

public:
    // Shows the dialog modally and fills the results that are given: 0 when
    // it ran, a failure code when a text or the main icon cannot be loaded
    // or no widget application runs.
    static kfx::HRESULT Run(const TaskDialogConfig& config, int* pressedButton, int* selectedRadio,
                            int* verificationChecked);

    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    WindowHandle Handle() override { return static_cast<QWidget*>(this); }

    const TaskDialogLayout& Layout() const { return layout_; }
    // The control of a layout entry; null when there is none.
    QWidget* Control(int id) const;
    QWidget* ControlOf(TaskControlKind kind) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

public slots:
    void reject() override;

private:
    struct Parts {
        TaskDialogTexts texts;
        std::vector<LabelledButton> customButtons;
        std::vector<LabelledButton> radioButtons;
        QPixmap mainIcon;
        QPixmap footerIcon;
    };

    CXTaskDialog(const TaskDialogConfig& config, Parts parts, QWidget* owner);

    TaskDialogLayoutInput LayoutInput() const;
    void BuildControls();
    QWidget* CreateControl(const TaskControl& control);
    QLabel* CreateTextLabel(const kfx::Text& text, const QFont& font, const QColor& colour);
    void ApplyLayout(const TaskDialogLayout& layout);
    void Start();
    // What the view prepares between the first two notifications.
    void Prepare();
    void NotifyDestroyed();
    void ButtonClicked(int id);
    // Ends the dialog with the button, keeping the radio and verification states.
    void End(int id);
    void ToggleExpanded();
    void Relayout();
    void StepExpansion();
    QAbstractButton* ButtonControl(int id) const;
    QProgressBar* ProgressBar() const;

    // TaskDialogControls.
    bool PressButtonLater(int id) override;
    void EnableButton(int id, bool enabled) override;
    void SetElevationRequired(int id, bool required) override;
    void CheckRadio(int id) override;
    void EnableRadio(int id, bool enabled) override;
    void SetVerification(bool checked, bool focus) override;
    bool HasControl(TaskControlKind kind) const override;
    void SetProgressMarquee(bool marquee) override;
    void SetProgressState(ProgressState state) override;
    std::pair<int, int> ProgressRange() const override;
    void SetProgressRange(int minimum, int maximum) override;
    int ProgressPosition() const override;
    void SetProgressPosition(int position) override;
    void SetElementText(TaskControlKind element, const kfx::Text& text) override;
    void SetIcon(bool main, const TaskDialogIcon& icon, bool useHandle) override;
    void SetLinkIcons(QWidget* control, bool elevationRequired);

    const TaskDialogConfig& config_;
    Parts parts_;
    std::vector<LabelledButton> commonButtons_;
    QFont normalFont_;
    QFont largeFont_;
    QtTextMeasurer measurer_;
    TaskDialogRules rules_;
    bool animate_;
    TaskDialogLayout layout_;
    TaskDialogLayout pendingLayout_;  // where an expansion animation ends
    std::map<int, QWidget*> controls_;
    QElapsedTimer startTick_;
    QBasicTimer callbackTimer_;
    QBasicTimer expandTimer_;
    int expansionStep_ = 0;
    int selectedRadio_ = -1;
    bool verificationChecked_ = false;
};

}  // namespace veldmark
