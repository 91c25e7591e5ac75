#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace kobalin {

// A picture drawn from its SVG (see art.h) at the size it is shown, so it stays
// crisp at any scaling. It is drawn once per size, when first painted at that size.
class SvgPicture : public QWidget {
    Q_OBJECT
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QImage drawn_;
};

}  // namespace kobalin
