#include "wizardtest.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace kobalin;

void retype(QWidget* field, const QString& text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QCoreApplication::sendEvent(widget, &release);
    }
}

void WizardTest::SetUp()
{
    FreshSettings::SetUp();
    Prompts::install(&recorder);
    restart();
}

void WizardTest::restart()
{
    windows = Windows();
    recorder = Recorder();
    run = RunData();
    windows = createWindows(run);
}

void WizardTest::TearDown()
{
    EXPECT_TRUE(recorder.answers.empty()) << "a scripted answer to a question was never used";
    windows = Windows();
    Prompts::install(nullptr);
    FreshSettings::TearDown();
}

void WizardTest::start() { windows.Form5->show(); }

void WizardTest::seed(std::optional<std::int32_t> taal, std::optional<std::int32_t> koppel)
{
    auto key = openSettingsKey(kSettingsKey);
    if (taal)
        key->writeInteger(u"taal", *taal);
    if (koppel)
        key->writeInteger(u"koppel", *koppel);
    key->close();
}

void WizardTest::addLayer(std::u16string name, float offset)
{
    auto& r = run.layers[run.lagen++];
    r = TLayerRecord{};
    r.Name = std::move(name);
    r.Offset = offset;
}

std::optional<std::int32_t> WizardTest::storedInteger(std::u16string_view name)
{
    return openSettingsKey(kSettingsKey)->readInteger(name);
}
