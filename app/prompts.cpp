#include "app/prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace kobalin {

namespace {

class RealPrompts final : public Prompts {
public:
    void error(QWidget* parent, const QString& text) override { show(parent, QMessageBox::Critical, text); }
    void info(QWidget* parent, const QString& text) override { show(parent, QMessageBox::Information, text); }

    bool question(QWidget* parent, const QString& text, const QString& yes, const QString& no, Default preset) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kobalin"), text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setTextFormat(Qt::PlainText);
        if (!yes.isEmpty())
            box.button(QMessageBox::Yes)->setText(yes);
        if (!no.isEmpty())
            box.button(QMessageBox::No)->setText(no);
        box.setDefaultButton(preset == Default::Yes ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    std::optional<QString> openFile(QWidget* parent, const QString& folder, const QStringList& filters,
                                    const QString& selected) override
    {
        // A preselected file opens its own folder, as in saveFile.
        const QFileInfo preselected(selected);
        QFileDialog dialog(parent, QString(), selected.isEmpty() ? folder : preselected.absolutePath());
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(0));
        if (!selected.isEmpty())
            dialog.selectFile(preselected.fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> saveFile(QWidget* parent, const QString& suggested, const QStringList& filters) override
    {
        // Folder and name apart: Windows' own dialog takes only a name from
        // selectFile and would otherwise open in the working folder.
        const QFileInfo proposed(suggested);
        QFileDialog dialog(parent, QString(), proposed.absolutePath());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        dialog.selectFile(proposed.fileName());
        dialog.setDefaultSuffix(proposed.suffix());  // "sheet" is saved as sheet.pdf
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    int exec(QDialog& dialog) override { return dialog.exec(); }

private:
    static void show(QWidget* parent, QMessageBox::Icon icon, const QString& text)
    {
        QMessageBox box(icon, QStringLiteral("Kobalin"), text, QMessageBox::Ok, parent);
        // A layer name or a folder may look like markup; it is shown as typed.
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
};

RealPrompts realPrompts;
Prompts* installed = &realPrompts;

}  // namespace

Prompts& Prompts::current() { return *installed; }

void Prompts::install(Prompts* prompts) { installed = prompts ? prompts : &realPrompts; }

}  // namespace kobalin
