#include "recorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

bool Recorder::question(QWidget*, const QString& text, const QString& yes, const QString& no, Default preset)
{
    questions.push_back(text);
    questionButtons.push_back({yes, no});
    questionDefaults.push_back(preset);
    if (whileShown)
        whileShown();
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question " << text;
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> Recorder::openFile(QWidget*, const QString& folder, const QStringList& filters,
                                          const QString& selected)
{
    fileRequests.push_back({folder, filters, selected});
    if (files.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    }
    const bool cancelled = !files.front().has_value();
    const QString path = files.front().value_or(QString());
    files.pop_front();
    if (cancelled)
        return std::nullopt;
    return path;
}

std::optional<QString> Recorder::saveFile(QWidget* parent, const QString& suggested, const QStringList& filters)
{
    return openFile(parent, QString(), filters, suggested);
}

int Recorder::exec(QDialog& dialog)
{
    dialogsShown.push_back(dialog.objectName());
    activeWhenShown.push_back(QApplication::activeWindow() ? QApplication::activeWindow()->objectName() : QString());
    dialog.setResult(0);
    dialog.show();
    // Active, with the keyboard's focus, as a modal dialog is.
    QApplication::setActiveWindow(&dialog);
    if (dialogs.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
    } else {
        DialogScript script = std::move(dialogs.front());
        dialogs.pop_front();
        script(dialog);
    }
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the script left dialog " << dialog.objectName().toStdString() << " open";
        dialog.hide();
    }
    return dialog.result();
}

void Recorder::expectAllAnswersUsed()
{
    EXPECT_TRUE(files.empty()) << files.size() << " file dialog answer(s) never used";
    EXPECT_TRUE(dialogs.empty()) << dialogs.size() << " dialog script(s) never run";
    EXPECT_TRUE(answers.empty()) << answers.size() << " answer(s) to a question never used";
    files.clear();
    dialogs.clear();
    answers.clear();
}

std::ostream& operator<<(std::ostream& out, const QString& s) { return out << '"' << s.toStdString() << '"'; }

std::ostream& operator<<(std::ostream& out, const Recorder::Message& m)
{
    return out << (m.kind == Recorder::Message::Error ? "error " : "info ") << m.text;
}

Recorder::DialogScript clickButton(const char* objectName)
{
    return [objectName](QDialog& dialog) {
        auto* button = dialog.findChild<QAbstractButton*>(objectName);
        ASSERT_NE(button, nullptr) << objectName;
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

Recorder::DialogScript closeBox()
{
    return [](QDialog& dialog) { dialog.close(); };
}
