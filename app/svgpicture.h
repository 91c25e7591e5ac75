#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace kobalin {

// A picture drawn from SVG at the size it is shown, so it stays crisp at any
// scaling. It is drawn once per size, and only when first shown.
class SvgPicture : public QWidget {
    Q_OBJECT
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QPixmap drawn_;
};

}  // namespace kobalin
