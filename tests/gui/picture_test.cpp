// The step pictures are drawn from their artwork at the size shown: what the
// window shows must be that drawing, after every resize.
#include "app/art.h"
#include "app/svgpicture.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using kobalin::SvgPicture;

namespace {

const QString kPicture = ":/steps/step1.svg";

// The picture as the widget should show it: drawn at its size, on the window's background.
QImage expected(const QWidget& picture)
{
    const qreal ratio = picture.devicePixelRatioF();
    QImage image(picture.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(picture.palette().window().color());
    QPainter painter(&image);
    QImage drawn = kobalin::artImage(kPicture, picture.size() * ratio);
    drawn.setDevicePixelRatio(ratio);
    painter.drawImage(0, 0, drawn);
    return image;
}

QImage shown(QWidget& picture) { return picture.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); }

}  // namespace

TEST(Picture, ShowsTheDrawingAtTheSizeShownAfterEveryResize)
{
    QWidget window;
    auto* picture = new SvgPicture(kPicture, &window);
    picture->setGeometry(0, 0, 250, 513);
    window.resize(300, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(shown(*picture), expected(*picture));
    for (const QSize size : {QSize(120, 240), QSize(250, 513), QSize(37, 401)}) {
        picture->resize(size);
        EXPECT_EQ(shown(*picture), expected(*picture)) << size.width() << " x " << size.height();
    }
}

TEST(Picture, HiddenUntilShownThenDrawnAtItsSize)
{
    QWidget window;
    auto* picture = new SvgPicture(kPicture, &window);
    picture->hide();
    window.resize(300, 600);
    window.show();
    picture->setGeometry(10, 10, 200, 300);
    picture->show();
    EXPECT_EQ(shown(*picture), expected(*picture));
}
