#include "setup/task_dialog/qt/command_link.h"

#include <QPainter>
#include <QPainterPath>

#include "setup/qt/qt_text.h"
#include "setup/task_dialog/qt/qt_text_measurer.h"

namespace veldmark {
namespace {

const QColor kBackground(255, 255, 255);
const QColor kHotBorder(198, 198, 198);
const QColor kFocusBorder(178, 240, 255);
const QColor kPressedFill(240, 240, 240);
const QColor kText(0, 51, 153);
const QColor kHotText(7, 74, 229);
constexpr int kIconLeft = 10;
constexpr int kCornerSize = 6;

}  // namespace

CXTaskDialogCommandLink::CXTaskDialogCommandLink(const CommandLinkText& text, const CommandLinkGeometry& geometry,
                                                 QFont captionFont, QFont noteFont, QWidget* parent)
    : QAbstractButton(parent), text_(text), geometry_(geometry), captionFont_(std::move(captionFont)),
      noteFont_(std::move(noteFont)) {
    setText(ToQString(text.caption));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void CXTaskDialogCommandLink::SetIcons(QPixmap normal, QPixmap hot) {
    icon_ = std::move(normal);
    hotIcon_ = std::move(hot);
    update();
}

void CXTaskDialogCommandLink::enterEvent(QEnterEvent* event) {
    hot_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CXTaskDialogCommandLink::leaveEvent(QEvent* event) {
    hot_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CXTaskDialogCommandLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kBackground);

    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor border = kBackground;
    if (hot_) border = kHotBorder;
    else if (hasFocus()) border = kFocusBorder;
    if (isDown()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPressedFill);
        painter.drawRoundedRect(frame.adjusted(1, 1, -1, -1), kCornerSize / 2.0, kCornerSize / 2.0);
    }
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, kCornerSize / 2.0, kCornerSize / 2.0);

    // Focus cues only once the keyboard has been used, as the platform shows them.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 3, -3, -4));
        painter.setRenderHint(QPainter::Antialiasing);
    }

    const QPixmap& icon = hot_ && !hotIcon_.isNull() ? hotIcon_ : icon_;
    if (!icon.isNull()) painter.drawPixmap(kIconLeft, (height() - icon.height()) / 2, icon);

    const QColor textColour = hot_ && !isDown() ? kHotText : kText;
    painter.setPen(textColour);
    painter.setFont(captionFont_);
    const bool cues = window()->testAttribute(Qt::WA_KeyboardFocusChange);
    const int captionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine |
                             (cues ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    painter.drawText(QRect(geometry_.caption.x, geometry_.caption.y, geometry_.caption.width, geometry_.caption.height),
                     captionFlags, ToQString(text_.caption));
    if (!text_.note.empty()) {
        painter.setFont(noteFont_);
        painter.drawText(QRect(geometry_.note.x, geometry_.note.y, geometry_.note.width, geometry_.note.height),
                         Qt::AlignLeft | Qt::AlignTop | QtTextMeasurer::DrawFlags(geometry_.note.width, false),
                         ToQString(text_.note));
    }
}

}  // namespace veldmark
