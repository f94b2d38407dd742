// An icon control of the emulated task dialog: paints its picture on the
// colour of the area it stands in.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace veldmark {

class CXTaskDialogIconStatic final : public QWidget {
    Q_OBJECT

public:
    explicit CXTaskDialogIconStatic(QWidget* parent) : QWidget(parent) {}

    void SetPixmap(QPixmap pixmap);
    const QPixmap& Pixmap() const { return pixmap_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap pixmap_;
};

}  // namespace veldmark
