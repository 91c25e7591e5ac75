#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <future>

namespace kobalin {

// A picture drawn from SVG at the size it is shown, so it stays crisp at any
// scaling. It is drawn once per size. Drawing takes a few milliseconds, so it
// starts on another thread as soon as the picture is shown at its size, while
// the rest of the window is laid out and painted.
class SvgPicture : public QWidget {
    Q_OBJECT
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSize pixels() const;
    void startDrawing();

    QString resource_;
    QImage drawn_;
    QSize drawingSize_;
    std::future<QImage> drawing_;  // waited for by its destructor
};

}  // namespace kobalin
