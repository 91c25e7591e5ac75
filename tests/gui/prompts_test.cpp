#include "wizardtest.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifdef _WIN32
namespace {

// The first visible window of a class among this thread's, or below a window.
HWND findWindow(HWND below, const wchar_t* className)
{
    struct Search {
        const wchar_t* className;
        HWND found = nullptr;
    } search{className};
    const auto visit = [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        wchar_t name[32] = {};
        GetClassNameW(w, name, 32);
        if (IsWindowVisible(w) && wcscmp(name, s->className) == 0) {
            s->found = w;
            return FALSE;
        }
        return TRUE;
    };
    if (below)
        EnumChildWindows(below, visit, reinterpret_cast<LPARAM>(&search));
    else
        EnumThreadWindows(GetCurrentThreadId(), visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

QString windowText(HWND w)
{
    std::wstring text(GetWindowTextLengthW(w) + 1, L'\0');
    text.resize(GetWindowTextW(w, text.data(), static_cast<int>(text.size())));
    return QString::fromStdWString(text);
}

// Windows' own save dialog, as a person uses it: the name box's text read,
// a name typed over it, Save clicked. It runs its own message loop, which
// still runs Qt's timers.
void answerNativeSaveDialog(bool& seen, const QString& proposed, const QString& typed)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=, &seen, waited = 0]() mutable {
        const HWND dialog = findWindow(nullptr, L"#32770");
        const HWND name = dialog ? findWindow(dialog, L"Edit") : nullptr;
        if (!name) {
            if ((waited += poll->interval()) > 20000) {
                ADD_FAILURE() << "no save dialog opened";
                poll->deleteLater();
            }
            return;
        }
        poll->deleteLater();
        seen = true;
        EXPECT_EQ(windowText(name), proposed);
        SendMessageW(name, EM_SETSEL, 0, -1);
        for (const QChar c : typed)
            SendMessageW(name, WM_CHAR, c.unicode(), 0);
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        // Whatever stays open is cancelled, so that a fault fails here rather than hangs.
        QTimer::singleShot(2000, [dialog] {
            if (IsWindow(dialog) && IsWindowVisible(dialog)) {
                ADD_FAILURE() << "the save dialog stayed open";
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        });
    });
    poll->start(100);
}

}  // namespace
#endif

// The real save dialog opens on the proposed file and gives a bare name the
// proposed file's ending; on Windows it is Windows' own dialog.
TEST(Prompts, TheSaveDialogProposesTheFileAndAddsItsEnding)
{
    QTemporaryDir dir;
    Prompts::install(nullptr);
    bool seen = false;
#ifdef _WIN32
    if (QGuiApplication::platformName() == "windows")
        answerNativeSaveDialog(seen, "road.xml_layer.pdf", "sheet");
    else
#endif
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
            // Whatever stays open is closed, so that a fault fails here rather
            // than hangs; with the dialog gone, nothing is left to close.
            QTimer::singleShot(1000, dialog, [] {
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
