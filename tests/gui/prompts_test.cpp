#include "wizardtest.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace kobalin;

// The real message boxes show a name or a path exactly as it stands, however
// much it looks like markup.
TEST(Prompts, MessageBoxesShowTheirTextAsPlainText)
{
    const QString texts[] = {
        "Layer added to template file: <b>Top</b>",
        "Layer is saved in template file R&lt;1",
        "Chosen layer has been removed from the template list<i>x</i>",
        "The layer file has been created: /home/ann/<i>jobs</i>/road.xml_layer.csv",
        "Failed to create the layer file. Try again/tmp/<font color=red>x</font>/_layer.csv",
    };
    Prompts::install(nullptr);
    for (const QString& text : texts) {
        for (bool error : {true, false}) {
            SCOPED_TRACE(text.toStdString());
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                seen = true;
                auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->text(), text);
                EXPECT_EQ(label->textFormat(), Qt::PlainText);
                EXPECT_EQ(box->icon(), error ? QMessageBox::Critical : QMessageBox::Information);
                box->accept();
            });
            if (error)
                prompts().error(nullptr, text);
            else
                prompts().info(nullptr, text);
            EXPECT_TRUE(seen);
        }
    }
}

// The real save dialog opens on the proposed file and gives a bare name the
// proposed file's ending.
TEST(Prompts, TheSaveDialogProposesTheFileAndAddsItsEnding)
{
    QTemporaryDir dir;
    Prompts::install(nullptr);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "road.xml_layer.pdf");
        retype(name, "sheet");
        QTest::keyClick(name, Qt::Key_Return);
        // Whatever stays open is closed, so that a fault fails here rather than hangs.
        QTimer::singleShot(1000, [] {
            while (QWidget* open = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "left open: " << open->metaObject()->className() << " " << open->windowTitle();
                open->close();
            }
        });
    });
    const auto chosen = prompts().saveFile(nullptr, dir.filePath("road.xml_layer.pdf"), {"PDF (*.pdf)"});
    EXPECT_TRUE(seen);
    EXPECT_EQ(chosen, std::optional(dir.filePath("sheet.pdf")));
}
