// A command link of the emulated task dialog: a caption in the large font,
// a note below it, an arrow on the left, drawn in the platform's look.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include "setup/task_dialog/task_dialog_layout.h"

namespace veldmark {

class CXTaskDialogCommandLink final : public QAbstractButton {
    Q_OBJECT

public:
    CXTaskDialogCommandLink(const CommandLinkText& text, const CommandLinkGeometry& geometry, QFont captionFont,
                            QFont noteFont, QWidget* parent);

    // The arrow (or the shield), and the brighter arrow while the mouse is over the link.
    void SetIcons(QPixmap normal, QPixmap hot);
    const CommandLinkText& Text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    CommandLinkText text_;
    CommandLinkGeometry geometry_;
    QFont captionFont_;
    QFont noteFont_;
    QPixmap icon_;
    QPixmap hotIcon_;
    bool hot_ = false;
};

}  // namespace veldmark
