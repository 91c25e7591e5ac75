#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace kobalin {

// A picture drawn from SVG at the size it is shown, so it stays crisp at any scaling.
class SvgPicture : public QWidget {
    Q_OBJECT
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};

}  // namespace kobalin
