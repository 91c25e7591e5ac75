#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QWidget;

namespace kobalin {

// Every message box, the file dialog and the modal showing of the program's
// dialogs go through here, so that tests can answer them from a script.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual void error(QWidget* parent, const QString& text) = 0;
    virtual void info(QWidget* parent, const QString& text) = 0;
    // The answer that Enter gives; Escape and the close box always answer No.
    enum class Default { No, Yes };
    // Yes (true) or No; the buttons carry yes and no in the run's language
    // (Qt's own captions where they are empty).
    virtual bool question(QWidget* parent, const QString& text, const QString& yes, const QString& no,
                          Default preset = Default::No) = 0;
    // The chosen file's full path, or nothing when the dialog was cancelled;
    // selected, when given, is the file chosen when the dialog opens.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& folder, const QStringList& filters,
                                            const QString& selected = QString()) = 0;
    // The file to save to, or nothing when the dialog was cancelled; it opens
    // with suggested chosen and asks before an existing file is replaced.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& suggested, const QStringList& filters) = 0;
    virtual int exec(QDialog& dialog) = 0;

    // The prompts in use; install(nullptr) brings back the real ones.
    static Prompts& current();
    static void install(Prompts* prompts);
};

inline Prompts& prompts() { return Prompts::current(); }

}  // namespace kobalin
