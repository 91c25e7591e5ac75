#pragma once

#include "app/prompts.h"

#include <QDialog>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

// Stands in for the real boxes and dialogs: records every message and answers
// the file dialog and each modal dialog from a script.
class Recorder : public kobalin::Prompts {
public:
    struct Message {
        enum Kind { Error, Info } kind;
        QString text;
        friend bool operator==(const Message&, const Message&) = default;
    };
    struct FileRequest {
        QString folder;
        QStringList filters;
        QString selected;
    };
    using DialogScript = std::function<void(QDialog&)>;

    void error(QWidget*, const QString& text) override { record({Message::Error, text}); }
    void info(QWidget*, const QString& text) override { record({Message::Info, text}); }
    bool question(QWidget*, const QString& text, const QString& yes, const QString& no, Default preset) override;
    std::optional<QString> openFile(QWidget*, const QString& folder, const QStringList& filters,
                                    const QString& selected) override;
    std::optional<QString> saveFile(QWidget*, const QString& suggested, const QStringList& filters) override;
    int exec(QDialog& dialog) override;

    // Answers: the next file dialog, to open or to save, chooses path (nothing: cancelled).
    void chooseFile(std::optional<QString> path) { files.push_back(std::move(path)); }
    // The next question is answered Yes (true) or No.
    void answerQuestion(bool yes) { answers.push_back(yes); }
    // The next modal dialog is driven by script; it must leave the dialog closed.
    void answerDialog(DialogScript script) { dialogs.push_back(std::move(script)); }

    // Fails the test for every scripted answer that no dialog took: a script
    // that never ran must not pass for one whose assertions held.
    void expectAllAnswersUsed();

    std::vector<Message> messages;
    // Runs while a message box or a question is "open", as a real box runs the event loop.
    std::function<void()> whileShown;
    std::vector<QString> dialogsShown;         // object names, in order
    std::vector<QString> activeWhenShown;      // the active window's name as each dialog was shown
    std::vector<FileRequest> fileRequests;     // to save: the suggested file as selected
    std::vector<QString> questions;            // texts, in order
    std::vector<QStringList> questionButtons;  // the Yes and No captions of each
    std::vector<Default> questionDefaults;     // the answer Enter would give to each
    std::deque<bool> answers;
    std::deque<std::optional<QString>> files;
    std::deque<DialogScript> dialogs;

private:
    void record(Message m)
    {
        messages.push_back(std::move(m));
        if (whileShown)
            whileShown();
    }
};

inline Recorder::Message errorBox(const QString& text) { return {Recorder::Message::Error, text}; }
inline Recorder::Message infoBox(const QString& text) { return {Recorder::Message::Info, text}; }

std::ostream& operator<<(std::ostream& out, const Recorder::Message& m);
std::ostream& operator<<(std::ostream& out, const QString& s);

// Scripts for dialogs.
Recorder::DialogScript clickButton(const char* objectName);
Recorder::DialogScript closeBox();
